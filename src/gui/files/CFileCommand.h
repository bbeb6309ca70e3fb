#pragma once

class QWidget;

namespace kt {

class CKTM220Doc;

// What each of the File menu's commands works on: the document, and the
// window its file dialogs and message boxes belong to. The commands are
// owned by the main window and live as long as it does.
class CFileCommand {
public:
    CFileCommand(CKTM220Doc& doc, QWidget* dialogParent) : doc_(doc), dialogParent_(dialogParent) {}

protected:
    CKTM220Doc& doc_;
    QWidget* dialogParent_;
};

} // namespace kt
