#include "CKneeboardCommands.h"

#include "FileReplace.h"

#include "CKneeboardDlg.h"
#include "CStringTable.h"
#include "CWaitCursor.h"
#include "CommandIds.h"

#include <QBuffer>
#include <QMessageBox>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

namespace kt {

CKneeboardCard CKneeboardCommands::Card(const CKneeboardCard::Options& options) const {
    return CKneeboardCard::Build(doc_.GetRadio(), doc_.GetTitle().toStdString(), options);
}

CKTM220Doc::FileResult CKneeboardCommands::ExportPdf(const CKneeboardCard& card,
                                                     const QString& title, const QString& path) {
    QBuffer file;
    file.open(QIODevice::WriteOnly);
    bool painted = false;
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(CKneeboardCard::Layout(card.GetOptions().size));
        writer.setTitle(title);
        writer.setCreator(CStringTable::Text(StringId::kAppTitle));
        painted = card.Print(writer);
    }
    const QString reason =
        painted ? ReplaceFile(path, std::string_view(file.data().constData(), file.data().size()))
                : QStringLiteral("failed");
    if (!reason.isEmpty())
        return {false, QStringLiteral("The kneeboard card could not be exported as PDF."),
                path + QStringLiteral(": ") + reason +
                    QStringLiteral("\nThe file on disk has not been changed.")};
    return {};
}

bool CKneeboardCommands::PrintWithDialog() {
    CKneeboardDlg choice(dialogParent_);
    choice.SetOptions(options_);
    if (choice.exec() != QDialog::Accepted)
        return false;
    options_ = choice.GetOptions();

    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(doc_.GetTitle());
    printer.setCreator(CStringTable::Text(StringId::kAppTitle));
    // The card draws its own margins and background: it gets the whole sheet.
    printer.setFullPage(true);
    printer.setPageLayout(CKneeboardCard::Layout(options_.size));
    printer.setFromTo(1, 1);
    QPrintDialog dialog(&printer, dialogParent_);
    dialog.setWindowTitle(QStringLiteral("Print Kneeboard"));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    bool printed = false;
    {
        CWaitCursor wait;
        printed = Card(options_).Print(printer);
    }
    if (!printed) {
        QMessageBox box(QMessageBox::Warning, CStringTable::Text(StringId::kAppTitle),
                        QStringLiteral("The kneeboard card could not be printed."), QMessageBox::Ok,
                        dialogParent_);
        box.setTextFormat(Qt::PlainText);
        box.setInformativeText(printer.printerName().isEmpty()
                                   ? QStringLiteral("The printer did not accept the page.")
                                   : printer.printerName() +
                                         QStringLiteral(": the printer did not accept the page."));
        box.exec();
    }
    return printed;
}

} // namespace kt
