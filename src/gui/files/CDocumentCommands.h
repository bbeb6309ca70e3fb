#pragma once

#include "CFileCommand.h"
#include "CKTM220Doc.h"

#include <QString>

class QWidget;

namespace kt {

// The File menu's New, Open, Save and Save As, and Edit's Undo and Redo, with
// their questions, file dialogs and messages, all owned by the main window.
// The document itself only reads, writes and steps through its history.
class CDocumentCommands : public CFileCommand {
public:
    using CFileCommand::CFileCommand;

    // Each answers whether it was carried out.
    bool SaveModified(); // "Save changes to %1?"; false when the user cancels
    bool FileNew();
    bool FileOpen();
    bool OpenDocumentFile(const QString& path);
    bool FileSave();
    bool FileSaveAs();
    // Undo (back) or Redo. A step that could not be taken is said; the
    // contents stay as they were.
    bool StepHistory(bool back);

    // The file dialogs' filter: data files, then all files.
    static QString FileFilter();
    // A file that could not be read or written, in a message box.
    static void ShowFileError(QWidget* parent, const CKTM220Doc::FileResult& result);

private:
    bool DoSave(const QString& path);
};

} // namespace kt
