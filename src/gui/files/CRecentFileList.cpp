#include "CRecentFileList.h"

#include "CSettingsStore.h"

#include <QDir>
#include <QFileInfo>

namespace kt {

namespace {
QString EntryKey(int index) {
    return QString::fromLatin1(SettingsKey::kRecentFilePrefix) + QString::number(index + 1);
}
} // namespace

CRecentFileList::CRecentFileList() {
    CSettingsStore store;
    for (int i = 0; i < kSize; ++i) {
        const QString path = store.GetString(SettingsKey::kRecentFileSection, EntryKey(i));
        if (!path.isEmpty() && !files_.contains(path))
            files_.append(path);
    }
}

void CRecentFileList::Add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    files_.removeAll(absolute);
    files_.prepend(absolute);
    while (files_.size() > kSize)
        files_.removeLast();
    Store();
}

void CRecentFileList::Remove(const QString& path) {
    if (files_.removeAll(QFileInfo(path).absoluteFilePath()) + files_.removeAll(path) > 0)
        Store();
}

QString CRecentFileList::MenuText(int index) const {
    if (index < 0 || index >= files_.size())
        return {};
    QString shown = QDir::toNativeSeparators(files_[index]);
    const QString home = QDir::homePath();
    if (home.size() > 1 && shown.startsWith(home + QLatin1Char('/')))
        shown = QLatin1Char('~') + shown.mid(home.size());
    shown.replace(QLatin1Char('&'), QLatin1String("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

void CRecentFileList::Store() {
    CSettingsStore store;
    for (int i = 0; i < kSize; ++i)
        store.WriteString(SettingsKey::kRecentFileSection, EntryKey(i),
                          i < files_.size() ? files_[i] : QString());
}

} // namespace kt
