#pragma once

#include "CFileCommand.h"
#include "CKTM220Doc.h"

#include <QString>

class QWidget;

namespace kt {

// The File menu's "Print..." and "Export PDF...": the document's channel plan
// (CChannelPlanPrinter) on one page, on a printer chosen in the print dialog
// or as a PDF file. The PDF is written whole through the atomic replace, so a file
// that cannot be completed leaves the old one as it was.
class CPrintCommands : public CFileCommand {
public:
    using CFileCommand::CFileCommand;

    // Writes the PDF without dialogs or messages.
    CKTM220Doc::FileResult ExportPdf(const QString& path);

    // The menu commands, with their dialogs and a message box on failure;
    // each answers whether it was carried out.
    bool PrintWithDialog();
    bool ExportPdfWithDialog();

    // "plan.pdf" for the document "plan.vkf", "Untitled.pdf" while untitled.
    QString DefaultPdfName() const;
};

} // namespace kt
