#include "CRecoveryFile.h"

#include "AtomicReplace.h"
#include "CKTM220Doc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <filesystem>

namespace kt {

QString CRecoveryFile::Folder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Velk/KT-M220/recovery");
}

QString CRecoveryFile::Path() {
    return Folder() + QStringLiteral("/unsaved.vkf");
}

QString CRecoveryFile::Write(CKTM220Doc& doc) {
    const std::string bytes = doc.ContentBytes();
    if (bytes.empty())
        return QStringLiteral("the contents could not be written out");
    // The unsaved changes are the user's own: the folder is theirs alone.
    std::error_code error;
    const std::filesystem::path folder(Folder().toStdString());
    std::filesystem::create_directories(folder, error);
    if (error)
        return QString::fromStdString(folder.string() + ": " + error.message());
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace, error);
    const CReplaceResult result = AtomicReplace(Path().toStdString(), bytes);
    if (!result.Ok())
        return Path() + QStringLiteral(": ") + QString::fromStdString(result.Reason());
    written_ = true;
    bytes_ = bytes;
    return {};
}

bool CRecoveryFile::Holds(CKTM220Doc& doc) {
    return written_ && QFileInfo::exists(Path()) && doc.ContentBytes() == bytes_;
}

QDateTime CRecoveryFile::Pending() {
    const QFileInfo info(Path());
    if (!info.isFile())
        return {};
    return info.lastModified();
}

bool CRecoveryFile::Remove() {
    return QFile::remove(Path()) || !QFileInfo::exists(Path());
}

QString CRecoveryFile::SetAside() {
    const QString aside =
        Folder() + QStringLiteral("/unreadable-") +
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")) +
        QStringLiteral(".vkf");
    return QFile::rename(Path(), aside) ? aside : Path();
}

} // namespace kt
