#pragma once

#include "CChannelCsv.h"
#include "CCsvProblem.h"
#include "CFileCommand.h"
#include "CKTM220Doc.h"

#include <QByteArray>
#include <QString>
#include <vector>

class QWidget;

namespace kt {

// The File menu's "Import Channels..." and "Export Channels...": the 20
// memory channels of the document as a CSV channel list (CChannelCsv), so
// that a channel plan can be kept in a spreadsheet or moved between radios.
//
// Export writes the whole list at once through the atomic replace, so a file that
// cannot be completed leaves the old one as it was. Import reads the list and
// gives it to the channels only when it holds no error; it is one edit of the
// document, which can be undone as a whole.
class CChannelCsvCommands : public CFileCommand {
public:
    // A channel list of 20 channels is about 2 kB; comments may make it
    // longer, but nothing near this.
    static constexpr qint64 kMaxCsvBytes = 1024 * 1024;
    // At most this many problems are listed in the box itself; all of them
    // are in its details.
    static constexpr int kProblemsShown = 15;

    struct ImportResult {
        bool ok = false;                   // the channels hold the list now
        QString message;                   // what went wrong, for the user; empty when ok
        QString detail;                    // the file and the system's reason
        std::vector<CCsvProblem> problems; // in the order of the lines
        std::vector<int> skippedLines;     // the rows skipped as another radio's
        int skippedForLocation = 0;        // of them, airband rows renumbering takes
        bool needsOtherSpacing = false;    // refused only for the spacing
        QString spacingBefore;
        QString spacingAfter;
    };

    using CFileCommand::CFileCommand;

    // The commands themselves, without dialogs or messages.
    CKTM220Doc::FileResult Export(const QString& path);
    ImportResult Import(const QString& path, const CChannelCsv::ImportOptions& options = {});
    // The same on a copy of the channels: what the import would do, with
    // nothing changed.
    ImportResult TryImport(const QString& path, const CChannelCsv::ImportOptions& options);

    // The menu commands: a file dialog, then the command, then a message box
    // on failure (and, for an import with warnings, the warnings). Before an
    // import changes anything it asks to switch the spacing when the list
    // needs another, and to leave out the rows only another radio can take;
    // when rows are left out only for their Location, it offers to fill the
    // channels in the list's order instead.
    // Each answers whether it was carried out.
    bool ExportWithDialog();
    bool ImportWithDialog();

    // "plan.csv" for the document "plan.vkf", "Untitled.csv" while untitled.
    QString DefaultExportName() const;
    // The problems as lines for a message box: "line 5: error: ...".
    static QString ProblemLines(const std::vector<CCsvProblem>& problems, int max);

private:
    QString StartFolder() const;
    // Reads the list at path whole; false, with the failure, when it cannot.
    bool ReadList(const QString& path, QByteArray& bytes, ImportResult& failure);
    // Import (trial: TryImport) of the file at path, or of its bytes already read.
    ImportResult ApplyFile(const QString& path, const CChannelCsv::ImportOptions& options,
                           bool trial);
    ImportResult Apply(const QString& path, const QByteArray& bytes,
                       const CChannelCsv::ImportOptions& options, bool trial);
    ImportResult Run(const QString& path, const QByteArray& bytes,
                     const CChannelCsv::ImportOptions& options, CM220Radio& radio);
    bool AskSpacing(const ImportResult& refused, const ImportResult& switched);
    // OK to import without the skipped rows; renumber is offered as a check
    // box when renumbering would take rows in, and says whether it was ticked.
    bool AskSkipped(const ImportResult& trial, bool* renumber);
    void ShowImportOutcome(const QString& path, const ImportResult& result);
};

} // namespace kt
