#pragma once

#include "CFileCommand.h"

#include <QString>

namespace kt {

// File > "Compare With...": a data file chosen in a file dialog is compared
// with the document, channel by channel and setting by setting, and what
// differs is shown in the compare window (CCompareDlg). A file that does not
// load is said as Open says it; nothing changes either way.
class CCompareCommand : public CFileCommand {
public:
    using CFileCommand::CFileCommand;

    // The file dialog, then CompareWith; false when nothing was compared.
    bool CompareWithDialog();
    // Compares the document with the data file at path and shows the window
    // modally; false (after its message box) when the file does not load.
    bool CompareWith(const QString& path);
};

} // namespace kt
