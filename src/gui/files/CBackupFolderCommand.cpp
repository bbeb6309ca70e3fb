#include "CBackupFolderCommand.h"

#include "CPlainMessageBox.h"
#include "CStringTable.h"
#include "CommandIds.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

namespace kt {

QString CBackupFolderCommand::MakeFolder(const QString& folder) {
    if (folder.isEmpty() || QDir::isRelativePath(folder))
        return QStringLiteral("no home folder is known to keep backups in");
    const QString clean = QDir::cleanPath(folder);
    const QStringList parts = clean.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString path;
    for (const QString& part : parts) {
        path += QLatin1Char('/') + part;
        const QFileInfo info(path);
        if (info.isDir())
            continue;
        if (info.exists())
            return path + QStringLiteral(" is not a folder");
        if (!QDir().mkdir(path,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner))
            return QStringLiteral("cannot create the folder ") + path;
    }
    return {};
}

bool CBackupFolderCommand::Run(const QString& folder, QWidget* parent, const Opener& opener) {
    QString reason = MakeFolder(folder);
    if (reason.isEmpty()) {
        const QUrl url = QUrl::fromLocalFile(QDir::cleanPath(folder));
        const bool opened = opener ? opener(url) : QDesktopServices::openUrl(url);
        if (opened)
            return true;
        reason = QStringLiteral("no program to show folders could be started");
    }
    CPlainMessageBox box(QMessageBox::Warning, CStringTable::Text(StringId::kAppTitle),
                         QStringLiteral("The backup folder could not be opened."), QMessageBox::Ok,
                         parent);
    box.setInformativeText(
        (folder.isEmpty() ? QString() : QDir::toNativeSeparators(folder) + QStringLiteral("\n")) +
        reason.left(1).toUpper() + reason.mid(1) + QLatin1Char('.'));
    box.exec();
    return false;
}

} // namespace kt
