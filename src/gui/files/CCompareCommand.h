#pragma once

#include <QString>

class QWidget;

namespace kt {

class CKTM220Doc;

// File > "Compare With...": a data file chosen in a file dialog is compared
// with the document, channel by channel and setting by setting, and what
// differs is shown in the compare window (CCompareDlg). A file that does not
// load is said as Open says it; nothing changes either way.
class CCompareCommand {
public:
    CCompareCommand(CKTM220Doc& doc, QWidget* dialogParent)
        : doc_(doc), dialogParent_(dialogParent) {}

    // The file dialog, then CompareWith; false when nothing was compared.
    bool CompareWithDialog();
    // Compares the document with the data file at path and shows the window
    // modally; false (after its message box) when the file does not load.
    bool CompareWith(const QString& path);

private:
    CKTM220Doc& doc_;
    QWidget* dialogParent_;
};

} // namespace kt
