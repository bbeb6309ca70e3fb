#include "CPrintCommands.h"

#include "FileReplace.h"

#include "CChannelPlanPrinter.h"
#include "CStringTable.h"
#include "CWaitCursor.h"
#include "CommandIds.h"

#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

namespace kt {

namespace {
void ShowFailure(QWidget* parent, const QString& text, const QString& detail) {
    QMessageBox box(QMessageBox::Warning, CStringTable::Text(StringId::kAppTitle), text,
                    QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(detail);
    box.exec();
}
} // namespace

QString CPrintCommands::DefaultPdfName() const {
    const QString path = doc_.GetPathName();
    const QString base = path.isEmpty() ? doc_.GetTitle() : QFileInfo(path).completeBaseName();
    return base + QStringLiteral(".pdf");
}

CKTM220Doc::FileResult CPrintCommands::ExportPdf(const QString& path) {
    const QString cannotExport = QStringLiteral("The channel plan could not be exported as PDF.");
    const QString unchanged = QStringLiteral("\nThe file on disk has not been changed.");
    QBuffer file;
    file.open(QIODevice::WriteOnly);
    bool painted = false;
    {
        CWaitCursor wait;
        const CChannelPlanPrinter printer(
            CChannelPlan::Build(doc_.GetRadio(), doc_.GetTitle().toStdString()));
        QPdfWriter writer(&file);
        writer.setPageLayout(CChannelPlanPrinter::DefaultLayout());
        writer.setTitle(doc_.GetTitle());
        writer.setCreator(CStringTable::Text(StringId::kAppTitle));
        painted = printer.Print(writer);
    }
    const QString reason =
        painted ? ReplaceFile(path, std::string_view(file.data().constData(), file.data().size()))
                : QStringLiteral("failed");
    if (!reason.isEmpty())
        return {false, cannotExport, path + QStringLiteral(": ") + reason + unchanged};
    return {};
}

bool CPrintCommands::PrintWithDialog() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(doc_.GetTitle());
    printer.setCreator(CStringTable::Text(StringId::kAppTitle));
    printer.setFromTo(1, 1);
    QPrintDialog dialog(&printer, dialogParent_);
    dialog.setWindowTitle(QStringLiteral("Print"));
    // One page: there is nothing to choose among pages.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    bool printed = false;
    {
        CWaitCursor wait;
        const CChannelPlanPrinter plan(
            CChannelPlan::Build(doc_.GetRadio(), doc_.GetTitle().toStdString()));
        printed = plan.Print(printer);
    }
    if (!printed)
        ShowFailure(dialogParent_, QStringLiteral("The channel plan could not be printed."),
                    printer.printerName().isEmpty()
                        ? QStringLiteral("The printer did not accept the page.")
                        : printer.printerName() +
                              QStringLiteral(": the printer did not accept the page."));
    return printed;
}

bool CPrintCommands::ExportPdfWithDialog() {
    QFileDialog dialog(dialogParent_, QStringLiteral("Export PDF"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(
        {QStringLiteral("PDF Files (*.pdf *.PDF)"), QStringLiteral("All Files (*)")});
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    const QString path = doc_.GetPathName();
    dialog.setDirectory(path.isEmpty() ? QDir::homePath() : QFileInfo(path).absolutePath());
    dialog.selectFile(DefaultPdfName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    const CKTM220Doc::FileResult result = ExportPdf(dialog.selectedFiles().constFirst());
    if (!result.ok)
        ShowFailure(dialogParent_, result.message, result.detail);
    return result.ok;
}

} // namespace kt
