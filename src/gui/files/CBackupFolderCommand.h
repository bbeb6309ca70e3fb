#pragma once

#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

namespace kt {

// The Help menu's "Open Backup Folder": shows the folder where every clone
// read and write keeps its backup, in the desktop's file manager. The folder
// is made first when no backup has been kept yet, private to the user as the
// backups themselves make it.
class CBackupFolderCommand {
public:
    // Opens a folder's URL; QDesktopServices::openUrl unless a test gives its own.
    using Opener = std::function<bool(const QUrl&)>;

    // Makes folder and the folders above it that are missing, each with mode
    // 0700. Empty when the folder is there now, else the reason.
    static QString MakeFolder(const QString& folder);

    // Makes and opens the folder; a message box with the path says why when
    // it cannot. Answers whether the folder was opened.
    static bool Run(const QString& folder, QWidget* parent, const Opener& opener = {});
};

} // namespace kt
