#include "CKneeboardCommands.h"

#include "CKneeboardDlg.h"
#include "OnePageOutput.h"

#include <QPrinter>

namespace kt {

CKneeboardCard CKneeboardCommands::Card(const CKneeboardCard::Options& options) const {
    return CKneeboardCard::Build(doc_.GetRadio(), doc_.GetTitle().toStdString(), options);
}

CKTM220Doc::FileResult CKneeboardCommands::ExportPdf(const CKneeboardCard& card,
                                                     const QString& title, const QString& path) {
    return OnePageOutput::WritePdf(
        path, CKneeboardCard::Layout(card.GetOptions().size), title,
        [&](QPagedPaintDevice& device) { return card.Print(device); },
        QStringLiteral("The kneeboard card could not be exported as PDF."));
}

bool CKneeboardCommands::PrintWithDialog() {
    CKneeboardDlg choice(dialogParent_);
    choice.SetOptions(options_);
    if (choice.exec() != QDialog::Accepted)
        return false;
    options_ = choice.GetOptions();

    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(doc_.GetTitle());
    // The card draws its own margins and background: it gets the whole sheet.
    printer.setFullPage(true);
    printer.setPageLayout(CKneeboardCard::Layout(options_.size));
    return OnePageOutput::PrintWithDialog(
        printer, QStringLiteral("Print Kneeboard"),
        [&](QPagedPaintDevice& device) { return Card(options_).Print(device); },
        QStringLiteral("The kneeboard card could not be printed."), dialogParent_);
}

} // namespace kt
