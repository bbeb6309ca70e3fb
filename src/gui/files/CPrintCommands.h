#pragma once

#include "CKTM220Doc.h"

#include <QString>

class QWidget;

namespace kt {

// The File menu's "Print..." and "Export PDF...": the document's channel plan
// (CChannelPlanPrinter) on one page, on a printer chosen in the print dialog
// or as a PDF file. The PDF is written whole through the atomic replace, so a file
// that cannot be completed leaves the old one as it was.
class CPrintCommands {
public:
    CPrintCommands(CKTM220Doc& doc, QWidget* dialogParent)
        : doc_(doc), dialogParent_(dialogParent) {}

    // Writes the PDF without dialogs or messages.
    CKTM220Doc::FileResult ExportPdf(const QString& path);

    // The menu commands, with their dialogs and a message box on failure;
    // each answers whether it was carried out.
    bool PrintWithDialog();
    bool ExportPdfWithDialog();

    // "plan.pdf" for the document "plan.vkf", "Untitled.pdf" while untitled.
    QString DefaultPdfName() const;

private:
    CKTM220Doc& doc_;
    QWidget* dialogParent_;
};

} // namespace kt
