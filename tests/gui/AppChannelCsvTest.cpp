#include "AppFrameFixture.h"
#include "MessageBoxText.h"

#include "CChannelCsv.h"
#include "CChannelCsvCommands.h"
#include "CommandIds.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFileDialog>
#include <QMessageBox>
#include <filesystem>
#include <functional>
#include <utility>
#include <vector>

namespace kt {

namespace {
using namespace CommandId;

constexpr char kHeader[] = "Location,Name,Frequency,Skip,Comment\r\n";

class AppChannelCsv : public AppFrameTest {
protected:
    // Answers the next file dialog with path, after noting the name it
    // offered; then arranges the answer to what follows it (a message box).
    void AnswerFileDialog(const std::string& path, std::function<void()> then = {}) {
        AnswerNextModal([this, path, then](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (!dialog) {
                ADD_FAILURE() << "no file dialog";
                modal->close();
                return;
            }
            offered_ = dialog->selectedFiles().value(0);
            if (then)
                then();
            dialog->selectFile(QString::fromStdString(path));
            static_cast<QDialog*>(dialog)->accept(); // as the Save or Open button does
        });
    }
    void AnswerFileDialog(const std::string& path, SeenBox& box) {
        AnswerFileDialog(path, [&box] { AnswerNextBox(box, QMessageBox::Ok); });
    }

    // Channels with every column the list carries: names, both flags.
    void FillPlan() {
        Fill(1, "118.100", "TOWER");
        Fill(4, "121.500", "GUARD");
        Radio().SetTxInhibit(4, "ON");
        Fill(12, "132.450", "VOLMET");
        Radio().SetLockout(12, "ON");
        Fill(20, "136.975", "LAST");
    }

    QString offered_;
};
} // namespace

TEST_F(AppChannelCsv, ExportAndImportThroughTheMenuGiveTheSameContents) {
    FillPlan();
    SaveAndOpen("plan.vkf");
    const std::string planned = DocumentBytes(*doc_);

    const std::string csv = File("plan.csv");
    AnswerFileDialog(csv);
    Trigger(kFileExportChannels);
    EXPECT_TRUE(offered_.endsWith("/plan.csv")) << offered_.toStdString();
    ASSERT_TRUE(std::filesystem::exists(csv));
    EXPECT_FALSE(doc_->IsModified()) << "exporting changes nothing";

    ASSERT_TRUE(doc_->OnNewDocument());
    SeenBox box;
    AnswerFileDialog(csv, box);
    Trigger(kFileImportChannels);
    CancelPendingAnswers();
    EXPECT_FALSE(box.shown) << "a clean import needs no message";
    EXPECT_EQ(DocumentBytes(*doc_), planned);
    EXPECT_TRUE(doc_->IsModified());
    EXPECT_TRUE(frame_->isWindowModified());
    EXPECT_TRUE(ListShowsTheRadio());
    EXPECT_EQ(View().CellText(12, 5), "Lockout");
    EXPECT_TRUE(Enabled(kEditUndo)) << "the import is one step";

    // Undone, the new document is back, and unmodified.
    Trigger(kEditUndo);
    EXPECT_TRUE(Radio().IsChannelEmpty(4));
    EXPECT_FALSE(doc_->IsModified());
}

TEST_F(AppChannelCsv, AListWithErrorsChangesNothingAndSaysWhere) {
    FillPlan();
    SaveAndOpen("plan.vkf");
    const std::string before = DocumentBytes(*doc_);
    const std::string csv = File("bad.csv");
    WriteFileBytes(csv, std::string(kHeader) + "1,ONE,118.000,,\r\n" + "25,FAR,119.000,,\r\n" +
                            "3,LOW,9x.000,,\r\n");

    SeenBox box;
    AnswerFileDialog(csv, box);
    Trigger(kFileImportChannels);
    ASSERT_TRUE(box.shown);
    EXPECT_EQ(box.title, "KT-M220");
    EXPECT_EQ(box.text, "The channel list could not be imported.");
    // A channel beyond 20 is another radio's row: skipped, and said.
    EXPECT_TRUE(box.informativeText.contains("line 3: warning: skipped: Location 25"))
        << box.informativeText.toStdString();
    EXPECT_TRUE(box.informativeText.contains("line 4: error:")) << "every problem is listed";
    EXPECT_TRUE(box.informativeText.contains("Nothing has been changed."));

    EXPECT_EQ(DocumentBytes(*doc_), before);
    EXPECT_FALSE(doc_->IsModified());
    EXPECT_FALSE(Enabled(kEditUndo));
    EXPECT_EQ(View().CellText(1, 3), "TOWER");
}

TEST_F(AppChannelCsv, WarningsAreShownAndTheListIsTaken) {
    const std::string csv = File("long.csv");
    WriteFileBytes(csv, std::string(kHeader) + "1,ONE,118.000,,\r\n" + "2,LONGNAME9,119.000,,\r\n");
    SeenBox box;
    AnswerFileDialog(csv, box);
    Trigger(kFileImportChannels);
    ASSERT_TRUE(box.shown);
    EXPECT_TRUE(box.text.startsWith("The channel list was imported from long.csv"));
    EXPECT_TRUE(box.informativeText.contains("line 3: warning:"))
        << box.informativeText.toStdString();
    EXPECT_EQ(View().CellText(2, 3), "LONGNAM");
    EXPECT_TRUE(doc_->IsModified());
    EXPECT_TRUE(Enabled(kEditUndo));
}

TEST_F(AppChannelCsv, FilesThatCannotBeUsedAreReported) {
    CChannelCsvCommands& csv = frame_->CsvCommands();
    const std::string before = DocumentBytes(*doc_);

    const CKTM220Doc::FileResult exported =
        csv.Export(QString::fromStdString(File("no/such/a.csv")));
    EXPECT_FALSE(exported.ok);
    EXPECT_EQ(exported.message, "The channel list could not be exported.");
    EXPECT_TRUE(exported.detail.contains("no/such/a.csv"));

    const struct {
        const char* name;
        std::string path;
    } cases[] = {
        {"missing", File("missing.csv")},
        {"a folder", File("")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CChannelCsvCommands::ImportResult result = csv.Import(QString::fromStdString(c.path));
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.message, "The channel list could not be imported.");
        EXPECT_TRUE(result.detail.contains("Nothing has been changed."));
        EXPECT_EQ(DocumentBytes(*doc_), before);
        EXPECT_FALSE(doc_->IsModified());
    }

    // A file far larger than any channel list is not read.
    const std::string huge = File("huge.csv");
    WriteFileBytes(huge,
                   std::string(kHeader) + std::string(CChannelCsvCommands::kMaxCsvBytes, '#'));
    const CChannelCsvCommands::ImportResult result = csv.Import(QString::fromStdString(huge));
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.detail.contains("far too large"));
    EXPECT_EQ(DocumentBytes(*doc_), before);
}

namespace {
// One box of several in a row: the button to answer it with, whether to tick
// its check box first, and what it showed (hadCheckBox when asked).
struct BoxAnswer {
    SeenBox* seen;
    QMessageBox::StandardButton button;
    bool tick = false;
    bool* hadCheckBox = nullptr;
    std::function<void()> meanwhile = {}; // runs while the box is open
};

// Answers the boxes that come one after another.
void AnswerBoxes(std::vector<BoxAnswer> answers) {
    if (answers.empty())
        return;
    AnswerNextModal([answers](QWidget* modal) mutable {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) {
            ADD_FAILURE() << "no message box";
            modal->close();
            return;
        }
        ExpectPlainTexts(*box);
        const BoxAnswer answer = answers.front();
        answers.erase(answers.begin());
        answer.seen->shown = true;
        answer.seen->text = box->text();
        answer.seen->informativeText = box->informativeText();
        if (answer.hadCheckBox)
            *answer.hadCheckBox = box->checkBox() != nullptr;
        if (answer.tick && box->checkBox())
            box->checkBox()->setChecked(true);
        if (answer.meanwhile)
            answer.meanwhile();
        box->button(answer.button)->click();
        AnswerBoxes(answers);
    });
}

// A list as another radio's program writes it: every column, a Location 0,
// FM rows of other bands, an 8.33 kHz carrier and the Mode and TStep of
// other radios.
std::string PeerList() {
    const std::string rest = ",,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,";
    return std::string(CChannelCsv::kHeader) + "\r\n" + "0,ZERO,118.100000" + rest +
           "AM,25.00,,50W,,,,,\r\n" + "1,TOWER,118.100000" + rest + "AM,25.00,,50W,,,,,\r\n" +
           "2,APP,132.841667" + rest + "AM,8.33,,50W,,,,,\r\n" + "3,HAM,146.010000" + rest +
           "FM,5.00,,50W,,,,,\r\n" + "4,WX,162.550000" + rest + "NFM,12.50,S,1W,,,,,\r\n";
}
} // namespace

TEST_F(AppChannelCsv, APeerListAsksForTheSpacingAndTheSkippedRowsFirst) {
    Radio().SetChannelSpacing("25kHz");
    FillPlan();
    SaveAndOpen("plan.vkf");
    const std::string before = DocumentBytes(*doc_);
    const std::string csv = File("peer.csv");
    WriteFileBytes(csv, PeerList());

    // No to the spacing, then Cancel to the skipped rows: nothing changes.
    for (const auto& [name, answers] :
         std::vector<std::pair<const char*, std::vector<QMessageBox::StandardButton>>>{
             {"no spacing", {QMessageBox::No}},
             {"cancelled", {QMessageBox::Yes, QMessageBox::Cancel}}}) {
        SCOPED_TRACE(name);
        SeenBox spacing, skipped;
        std::vector<BoxAnswer> boxes{{&spacing, answers[0]}};
        if (answers.size() > 1)
            boxes.push_back({&skipped, answers[1]});
        AnswerFileDialog(csv, [boxes] { AnswerBoxes(boxes); });
        Trigger(kFileImportChannels);
        CancelPendingAnswers();
        ASSERT_TRUE(spacing.shown);
        EXPECT_TRUE(spacing.text.contains("25kHz")) << spacing.text.toStdString();
        EXPECT_TRUE(spacing.informativeText.contains("25k/8.33kHz"));
        EXPECT_TRUE(spacing.informativeText.contains("line 4: error:")) << "the row is named";
        EXPECT_EQ(skipped.shown, answers.size() > 1);
        if (skipped.shown) {
            EXPECT_TRUE(skipped.text.startsWith("3 rows")) << skipped.text.toStdString();
            for (const char* line : {"line 2:", "line 5:", "line 6:"})
                EXPECT_TRUE(skipped.informativeText.contains(line)) << line;
            EXPECT_FALSE(skipped.informativeText.contains("line 3:"));
        }
        EXPECT_EQ(DocumentBytes(*doc_), before);
        EXPECT_FALSE(doc_->IsModified());
        EXPECT_FALSE(Enabled(kEditUndo));
    }

    // Yes and OK: the airband rows are taken in the spacing that holds them.
    SeenBox spacing, skipped, outcome;
    AnswerFileDialog(csv, [&] {
        AnswerBoxes({{&spacing, QMessageBox::Yes},
                     {&skipped, QMessageBox::Ok},
                     {&outcome, QMessageBox::Ok}});
    });
    Trigger(kFileImportChannels);
    CancelPendingAnswers();
    ASSERT_TRUE(skipped.shown);
    EXPECT_EQ(Radio().GetChannelSpacing(), "25k/8.33kHz");
    EXPECT_EQ(Radio().GetName(1), "TOWER");
    EXPECT_EQ(Radio().GetFrequency(2), "132.840");
    EXPECT_TRUE(Radio().IsChannelEmpty(4));
    EXPECT_TRUE(ListShowsTheRadio());

    // One step undoes the import and the spacing with it.
    Trigger(kEditUndo);
    EXPECT_EQ(DocumentBytes(*doc_), before);
    EXPECT_FALSE(Enabled(kEditUndo));
}

TEST_F(AppChannelCsv, APeerListNumberedFromZeroCanBeTakenInItsOrder) {
    Radio().SetChannelSpacing("25k/8.33kHz");
    SaveAndOpen("plan.vkf");
    const std::string csv = File("peer.csv");
    WriteFileBytes(csv, PeerList());

    // The Location 0 row is an airband channel: the box offers the list's
    // order. Ticked, the rows fill channels 1, 2, 3 and only the rows of
    // other bands are left to skip, which the second box (without the
    // offer) says.
    SeenBox first, second, outcome;
    bool firstOffered = false;
    bool secondOffered = true;
    AnswerFileDialog(csv, [&] {
        AnswerBoxes({{&first, QMessageBox::Ok, true, &firstOffered},
                     {&second, QMessageBox::Ok, false, &secondOffered},
                     {&outcome, QMessageBox::Ok}});
    });
    Trigger(kFileImportChannels);
    CancelPendingAnswers();
    ASSERT_TRUE(second.shown);
    EXPECT_TRUE(firstOffered);
    EXPECT_FALSE(secondOffered);
    EXPECT_TRUE(first.text.startsWith("3 rows")) << first.text.toStdString();
    EXPECT_TRUE(second.text.startsWith("2 rows")) << second.text.toStdString();
    EXPECT_EQ(Radio().GetName(1), "ZERO");
    EXPECT_EQ(Radio().GetName(2), "TOWER");
    EXPECT_EQ(Radio().GetFrequency(3), "132.840");
    EXPECT_TRUE(ListShowsTheRadio());

    // Unticked, the import goes by Location as before.
    Trigger(kEditUndo);
    SeenBox plain, plainOutcome;
    AnswerFileDialog(csv, [&] {
        AnswerBoxes({{&plain, QMessageBox::Ok}, {&plainOutcome, QMessageBox::Ok}});
    });
    Trigger(kFileImportChannels);
    CancelPendingAnswers();
    EXPECT_EQ(Radio().GetName(1), "TOWER");
    EXPECT_EQ(Radio().GetFrequency(2), "132.840");
}

TEST_F(AppChannelCsv, TheListImportedIsTheOneTheQuestionsWereAbout) {
    Radio().SetChannelSpacing("25k/8.33kHz");
    SaveAndOpen("plan.vkf");
    const std::string csv = File("peer.csv");
    WriteFileBytes(csv, PeerList());

    // The file changes on disk while the skipped rows are asked about: what
    // is imported is the list the user saw, read once.
    SeenBox skipped, outcome;
    AnswerFileDialog(csv, [&] {
        AnswerBoxes({{&skipped, QMessageBox::Ok, false, nullptr,
                      [&] { WriteFileBytes(csv, "Location,Frequency\n1,125.000\n"); }},
                     {&outcome, QMessageBox::Ok}});
    });
    Trigger(kFileImportChannels);
    CancelPendingAnswers();
    ASSERT_TRUE(skipped.shown);
    EXPECT_EQ(Radio().GetName(1), "TOWER");
    EXPECT_EQ(Radio().GetFrequency(1), "118.100");
    EXPECT_EQ(Radio().GetFrequency(2), "132.840");
}

} // namespace kt
