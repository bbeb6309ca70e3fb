#include "CChannelCsvCommands.h"

#include "CPlainMessageBox.h"
#include "FileReplace.h"

#include "CM220Radio.h"
#include "CMemoryArchive.h"
#include "CStringTable.h"
#include "CWaitCursor.h"
#include "CommandIds.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <algorithm>
#include <iterator>

namespace kt {

namespace {
const QString kCsvFilter = QStringLiteral("Channel Lists (*.csv *.CSV);;All Files (*)");
const QString kCsvSuffix = QStringLiteral("csv");
const QString kCannotImport = QStringLiteral("The channel list could not be imported.");
const QString kUnchanged = QStringLiteral("\nNothing has been changed.");

CKTM220Doc::FileResult Failure(const QString& message, const QString& path, const QString& reason) {
    return {false, message, path + QStringLiteral(": ") + reason};
}

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
             const QString& informative, const QString& details = {}) {
    CPlainMessageBox box(icon, CStringTable::Text(StringId::kAppTitle), text, QMessageBox::Ok,
                         parent);
    box.setInformativeText(informative);
    if (!details.isEmpty())
        box.setDetailedText(details);
    box.exec();
}

QString ProblemText(const CCsvProblem& problem) {
    return QString::fromStdString(problem.ToString());
}
} // namespace

QString CChannelCsvCommands::DefaultExportName() const {
    const QString path = doc_.GetPathName();
    if (path.isEmpty())
        return doc_.GetTitle() + QStringLiteral(".") + kCsvSuffix;
    return QFileInfo(path).completeBaseName() + QStringLiteral(".") + kCsvSuffix;
}

QString CChannelCsvCommands::StartFolder() const {
    const QString path = doc_.GetPathName();
    return path.isEmpty() ? QDir::homePath() : QFileInfo(path).absolutePath();
}

QString CChannelCsvCommands::ProblemLines(const std::vector<CCsvProblem>& problems, int max) {
    QStringList lines;
    for (const CCsvProblem& problem : problems) {
        if (max >= 0 && lines.size() == max) {
            lines << QStringLiteral("... and %1 more (see the details)")
                         .arg(static_cast<qsizetype>(problems.size()) - max);
            break;
        }
        lines << ProblemText(problem);
    }
    return lines.join(QLatin1Char('\n'));
}

CKTM220Doc::FileResult CChannelCsvCommands::Export(const QString& path) {
    const QString cannotExport = QStringLiteral("The channel list could not be exported.");
    const std::string text = CChannelCsv::Export(doc_.GetRadio());
    const QString reason = ReplaceFile(path, text);
    if (!reason.isEmpty())
        return Failure(cannotExport, path,
                       reason + QStringLiteral("\nThe file on disk has not been changed."));
    return {};
}

CChannelCsvCommands::ImportResult
CChannelCsvCommands::Import(const QString& path, const CChannelCsv::ImportOptions& options) {
    return ApplyFile(path, options, false);
}

CChannelCsvCommands::ImportResult
CChannelCsvCommands::TryImport(const QString& path, const CChannelCsv::ImportOptions& options) {
    return ApplyFile(path, options, true);
}

CChannelCsvCommands::ImportResult
CChannelCsvCommands::ApplyFile(const QString& path, const CChannelCsv::ImportOptions& options,
                               bool trial) {
    QByteArray bytes;
    ImportResult unread;
    if (!ReadList(path, bytes, unread))
        return unread;
    return Apply(path, bytes, options, trial);
}

CChannelCsvCommands::ImportResult
CChannelCsvCommands::Apply(const QString& path, const QByteArray& bytes,
                           const CChannelCsv::ImportOptions& options, bool trial) {
    if (trial) {
        CMemoryArchive image;
        doc_.GetRadio().Serialize(image);
        CM220Radio copy;
        copy.NewData();
        CMemoryArchive in(image.Bytes());
        copy.Serialize(in);
        return Run(path, bytes, options, copy);
    }
    ImportResult result = Run(path, bytes, options, doc_.GetRadio());
    if (!result.ok)
        return result;
    doc_.SetModifiedFlag(true);
    doc_.RecordEdit();
    doc_.UpdateAllViews();
    return result;
}

bool CChannelCsvCommands::ReadList(const QString& path, QByteArray& bytes, ImportResult& failure) {
    failure = {};
    failure.message = kCannotImport;
    QFile file(path);
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        failure.detail = path + QStringLiteral(": not a file") + kUnchanged;
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        failure.detail = path + QStringLiteral(": ") + file.errorString() + kUnchanged;
        return false;
    }
    // The whole file is read before anything reaches the channels.
    bytes = file.read(kMaxCsvBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        failure.detail = path + QStringLiteral(": ") + file.errorString() + kUnchanged;
        return false;
    }
    if (bytes.size() > kMaxCsvBytes) {
        failure.detail = path + QStringLiteral(": far too large for a channel list") + kUnchanged;
        return false;
    }
    failure = {};
    return true;
}

CChannelCsvCommands::ImportResult
CChannelCsvCommands::Run(const QString& path, const QByteArray& bytes,
                         const CChannelCsv::ImportOptions& options, CM220Radio& radio) {
    ImportResult result;
    CChannelCsv::ImportResult imported;
    {
        CWaitCursor wait;
        imported = CChannelCsv::Import(
            radio, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
            options);
    }
    result.problems = std::move(imported.problems);
    result.skippedLines = std::move(imported.skippedLines);
    result.skippedForLocation = imported.skippedForLocation;
    result.needsOtherSpacing = imported.needsOtherSpacing;
    result.spacingBefore = QString::fromStdString(imported.spacingBefore);
    result.spacingAfter = QString::fromStdString(imported.spacingAfter);
    if (HasErrors(result.problems)) {
        result.message = kCannotImport;
        result.detail = path + kUnchanged;
        return result;
    }
    result.ok = true;
    return result;
}

bool CChannelCsvCommands::ExportWithDialog() {
    QFileDialog dialog(dialogParent_, QStringLiteral("Export Channels"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(kCsvFilter.split(QStringLiteral(";;")));
    dialog.setDefaultSuffix(kCsvSuffix);
    dialog.setDirectory(StartFolder());
    dialog.selectFile(DefaultExportName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    const CKTM220Doc::FileResult result = Export(dialog.selectedFiles().constFirst());
    if (!result.ok)
        ShowBox(dialogParent_, QMessageBox::Warning, result.message, result.detail);
    return result.ok;
}

bool CChannelCsvCommands::ImportWithDialog() {
    QFileDialog dialog(dialogParent_, QStringLiteral("Import Channels"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(kCsvFilter.split(QStringLiteral(";;")));
    dialog.setDirectory(StartFolder());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    const QString path = dialog.selectedFiles().constFirst();

    // The list is read once: the questions and the import are about the same
    // bytes, whatever happens to the file meanwhile. Every question is asked
    // on a copy of the channels, so that No or Cancel leaves the document as
    // it was. Choosing to renumber asks again about the list as it then
    // imports.
    QByteArray bytes;
    if (ImportResult unread; !ReadList(path, bytes, unread)) {
        ShowImportOutcome(path, unread);
        return false;
    }
    CChannelCsv::ImportOptions options;
    for (;;) {
        ImportResult trial = Apply(path, bytes, options, true);
        if (trial.needsOtherSpacing) {
            CChannelCsv::ImportOptions switched = options;
            switched.chooseSpacing = true;
            ImportResult retried = Apply(path, bytes, switched, true);
            if (!retried.ok) {
                ShowImportOutcome(path, retried);
                return false;
            }
            if (!AskSpacing(trial, retried))
                return false;
            options = switched;
            trial = std::move(retried);
        }
        if (!trial.ok) {
            ShowImportOutcome(path, trial);
            return false;
        }
        if (trial.skippedLines.empty())
            break;
        bool renumber = false;
        if (!AskSkipped(trial, options.renumber ? nullptr : &renumber))
            return false;
        if (!renumber)
            break;
        options.renumber = true;
    }
    const ImportResult result = Apply(path, bytes, options, false);
    ShowImportOutcome(path, result);
    return result.ok;
}

// The rows the spacing cannot hold, and the spacing that would hold them.
bool CChannelCsvCommands::AskSpacing(const ImportResult& refused, const ImportResult& switched) {
    std::vector<CCsvProblem> rows;
    std::copy_if(refused.problems.begin(), refused.problems.end(), std::back_inserter(rows),
                 [](const CCsvProblem& problem) { return problem.IsError(); });
    CPlainMessageBox box(
        QMessageBox::Question, CStringTable::Text(StringId::kAppTitle),
        QStringLiteral("The channel list holds channels the %1 spacing cannot hold.")
            .arg(refused.spacingBefore),
        QMessageBox::Yes | QMessageBox::No, dialogParent_);
    box.setInformativeText(
        ProblemLines(rows, kProblemsShown) +
        QStringLiteral("\n\nSwitch the channel spacing to %1 first and import the list?\n"
                       "No leaves everything unchanged.")
            .arg(switched.spacingAfter));
    if (static_cast<int>(rows.size()) > kProblemsShown)
        box.setDetailedText(ProblemLines(rows, -1));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool CChannelCsvCommands::AskSkipped(const ImportResult& trial, bool* renumber) {
    std::vector<CCsvProblem> skipped;
    for (const CCsvProblem& problem : trial.problems) {
        if (std::find(trial.skippedLines.begin(), trial.skippedLines.end(), problem.line) !=
            trial.skippedLines.end())
            skipped.push_back(problem);
    }
    const qsizetype count = static_cast<qsizetype>(trial.skippedLines.size());
    const QString text =
        count == 1
            ? QStringLiteral("One row of the channel list is for another radio and is skipped:")
            : QStringLiteral("%1 rows of the channel list are for other radios and are skipped:")
                  .arg(count);
    CPlainMessageBox box(QMessageBox::Question, CStringTable::Text(StringId::kAppTitle), text,
                         QMessageBox::Ok | QMessageBox::Cancel, dialogParent_);
    box.setInformativeText(ProblemLines(skipped, kProblemsShown) +
                           QStringLiteral("\n\nImport the other rows? Cancel changes nothing."));
    if (static_cast<int>(skipped.size()) > kProblemsShown)
        box.setDetailedText(ProblemLines(skipped, -1));
    box.setDefaultButton(QMessageBox::Ok);
    // Another radio's numbering (from 0, or past 20) keeps airband rows out
    // that the list's order would place.
    QCheckBox* inOrder = nullptr;
    if (renumber && trial.skippedForLocation > 0) {
        inOrder = new QCheckBox(
            QStringLiteral("Fill the channels from 1 in the list's order, not by Location"));
        box.setCheckBox(inOrder);
    }
    const bool ok = box.exec() == QMessageBox::Ok;
    if (renumber)
        *renumber = ok && inOrder && inOrder->isChecked();
    return ok;
}

// A failed import lists what is wrong; one with warnings says what the radio
// made of the values it changed; a clean one needs no box.
void CChannelCsvCommands::ShowImportOutcome(const QString& path, const ImportResult& result) {
    QWidget* parent = dialogParent_;
    const bool many = static_cast<int>(result.problems.size()) > kProblemsShown;
    const QString details = many ? ProblemLines(result.problems, -1) : QString();
    if (!result.ok) {
        QString informative = result.detail;
        if (!result.problems.empty())
            informative = ProblemLines(result.problems, kProblemsShown) + QStringLiteral("\n\n") +
                          result.detail;
        ShowBox(parent, QMessageBox::Warning, result.message, informative, details);
        return;
    }
    if (result.problems.empty())
        return;
    ShowBox(parent, QMessageBox::Information,
            QStringLiteral("The channel list was imported from %1 with these changes:")
                .arg(QFileInfo(path).fileName()),
            ProblemLines(result.problems, kProblemsShown), details);
}

} // namespace kt
