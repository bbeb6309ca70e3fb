#pragma once

#include <QString>
#include <QStringList>

namespace kt {

// The recent-file list of the File menu: the last documents opened or saved,
// newest first, at most four, kept in the settings ("Recent File List",
// "File1" to "File4") as soon as it changes.
class CRecentFileList {
public:
    static constexpr int kSize = 4;

    // Reads the list from the settings.
    CRecentFileList();

    const QStringList& Files() const { return files_; }
    // Puts path first (moving it up when it is there already).
    void Add(const QString& path);
    // Takes path out, as when it can no longer be opened.
    void Remove(const QString& path);
    // The menu text of entry index (0 to 3): "&1 name", with the home folder
    // written as "~".
    QString MenuText(int index) const;

private:
    void Store();

    QStringList files_;
};

} // namespace kt
