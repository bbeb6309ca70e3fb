#pragma once

#include <QDateTime>
#include <QString>
#include <string>

namespace kt {

class CKTM220Doc;

// The data file that keeps unsaved changes when the program is ended without
// a chance to ask about them (SIGTERM, SIGHUP, the end of the desktop
// session): $XDG_DATA_HOME/Velk/KT-M220/recovery/unsaved.vkf. The next start
// offers to open it.
class CRecoveryFile {
public:
    // The folder and the file; ~/.local/share stands for $XDG_DATA_HOME when
    // that is not set.
    static QString Folder();
    static QString Path();

    // Writes the document's contents through the atomic replace. Answers
    // empty on success, else the reason for the user.
    QString Write(CKTM220Doc& doc);
    // Whether this run wrote the file and it holds the document's contents
    // as they are now.
    bool Holds(CKTM220Doc& doc);
    bool Written() const { return written_; }

    // When the file waiting to be offered was written; invalid when there is
    // none.
    static QDateTime Pending();
    // Removes the file (declined, taken into the document, or no longer
    // needed); true when it is gone.
    static bool Remove();
    // Renames a file that could not be read so that it is not offered again
    // but stays at hand; answers its new path.
    static QString SetAside();

private:
    bool written_ = false;
    std::string bytes_;
};

} // namespace kt
