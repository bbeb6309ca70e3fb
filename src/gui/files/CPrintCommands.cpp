#include "CPrintCommands.h"

#include "CChannelPlanPrinter.h"
#include "CWaitCursor.h"
#include "OnePageOutput.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrinter>

namespace kt {

QString CPrintCommands::DefaultPdfName() const {
    const QString path = doc_.GetPathName();
    const QString base = path.isEmpty() ? doc_.GetTitle() : QFileInfo(path).completeBaseName();
    return base + QStringLiteral(".pdf");
}

CKTM220Doc::FileResult CPrintCommands::ExportPdf(const QString& path) {
    CWaitCursor wait;
    const CChannelPlanPrinter plan(
        CChannelPlan::Build(doc_.GetRadio(), doc_.GetTitle().toStdString()));
    return OnePageOutput::WritePdf(
        path, CChannelPlanPrinter::DefaultLayout(), doc_.GetTitle(),
        [&](QPagedPaintDevice& device) { return plan.Print(device); },
        QStringLiteral("The channel plan could not be exported as PDF."));
}

bool CPrintCommands::PrintWithDialog() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(doc_.GetTitle());
    return OnePageOutput::PrintWithDialog(
        printer, QStringLiteral("Print"),
        [&](QPagedPaintDevice& device) {
            const CChannelPlanPrinter plan(
                CChannelPlan::Build(doc_.GetRadio(), doc_.GetTitle().toStdString()));
            return plan.Print(device);
        },
        QStringLiteral("The channel plan could not be printed."), dialogParent_);
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
        OnePageOutput::ShowFailure(dialogParent_, result.message, result.detail);
    return result.ok;
}

} // namespace kt
