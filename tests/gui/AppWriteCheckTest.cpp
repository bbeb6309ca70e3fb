#include "AppFrameFixture.h"

#include "CBackupStore.h"
#include "CSettingsStore.h"
#include "CloneMessages.h"
#include "CommandIds.h"
#include "RecordingCloneUi.h"
#include "SimProcess.h"

#include <algorithm>

namespace kt {

namespace {
using namespace CommandId;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The document with a recording user interface for the clone commands, its
// backups in a folder of the test's own, and a virtual transceiver started
// on demand.
class AppWriteCheck : public AppFrameTest {
protected:
    void SetUp() override {
        AppFrameTest::SetUp();
        doc_->SetCloneUi(&ui_);
        doc_->SetBackupFolder(QString::fromStdString(File("backups")));
    }
    void TearDown() override {
        sim_.reset();
        AppFrameTest::TearDown();
    }

    void StartSim(std::vector<std::string> options = {}) {
        sim_.reset();
        options.insert(options.end(), {"--baud", "0"});
        sim_ = std::make_unique<SimProcess>(options);
        ASSERT_FALSE(sim_->Device().empty());
        doc_->SetDemoDevice(doc_->PortNumber(), QString::fromStdString(sim_->Device()));
    }

    // The events after the last one that starts with prefix.
    std::vector<std::string> EventsAfterLast(const std::string& prefix) const {
        const auto& events = ui_.Events();
        const auto last = std::find_if(events.rbegin(), events.rend(),
                                       [&](const std::string& e) { return e.starts_with(prefix); });
        return {last.base(), events.end()};
    }

    int Count(const std::string& event) const {
        return static_cast<int>(std::count(ui_.Events().begin(), ui_.Events().end(), event));
    }

    RecordingCloneUi ui_;
    std::unique_ptr<SimProcess> sim_;
};
} // namespace

// The question names the read it compares with by its date and the clone
// comment, as radios carry no serial number.
TEST_F(AppWriteCheck, TheWriteQuestionListsWhatChangesAgainstTheLastRead) {
    Fill(5, "119.100", "DEP");
    ui_.AnswerNext(false);
    EXPECT_EQ(doc_->OnCloneWrite(), CCloneCommands::kDeclined);
    EXPECT_EQ(ui_.Events(), std::vector<std::string>{"ask: " + std::string(CloneText::kAskWrite)});
    EXPECT_EQ(ui_.QuestionDetails().back(), "No earlier read of the transceiver is known, so what "
                                            "this write changes cannot be shown.");

    CM220Radio transceiver;
    transceiver.NewData();
    transceiver.SetCloneComment("Club radio 3");
    const std::string image = File("transceiver.vkf");
    transceiver.SaveDataFile(image);
    StartSim({"--image", image});
    ui_.AnswerNext(true); // the document is modified: Read asks first
    ASSERT_EQ(doc_->OnCloneRead(), CloneOutcome::kCompleted);
    const std::string read = doc_->LastBackupPath().toStdString();
    Fill(5, "119.100", "DEP");
    ui_.AnswerNext(false);
    EXPECT_EQ(doc_->OnCloneWrite(), CCloneCommands::kDeclined);
    const std::string& detail = ui_.QuestionDetails().back();
    EXPECT_TRUE(Contains(detail, "This write changes, against the last read of the transceiver (" +
                                     CBackupStore::DateOf(read) + ", comment \"Club radio 3\"):\n"))
        << detail;
    EXPECT_TRUE(Contains(detail, "\n  CH 5 Name: (blank) -> DEP")) << detail;
}

TEST_F(AppWriteCheck, ATransceiverThatHoldsSomethingElseFailsAndNamesTheChannel) {
    Fill(5, "119.100", "DEP");
    StartSim({"--corrupt-write", "10"});
    ASSERT_EQ(doc_->OnCloneWrite(), CloneOutcome::kCompleted);
    const std::string sent = doc_->LastBackupPath().toStdString();
    ASSERT_TRUE(sent.ends_with("_write.vkf")) << sent;

    ASSERT_EQ(ui_.Boxes().size(), 2u);
    EXPECT_EQ(ui_.Boxes()[0].text, CloneText::kBoxWriteSucceeded) << "the write's own comes first";
    const RecordingCloneUi::Box& failed = ui_.Boxes()[1];
    EXPECT_EQ(failed.text, "Verification failed: the transceiver does not hold what was written "
                           "(written -> read back):");
    EXPECT_TRUE(Contains(failed.detail, "  CH 5 Name: DEP -> EEP\n")) << failed.detail;
    EXPECT_TRUE(Contains(failed.detail, "What was sent is kept in the backup " + sent + "\n"))
        << failed.detail;
    EXPECT_TRUE(Contains(failed.detail, "_read.vkf")) << "the read-back is kept too";
    EXPECT_EQ(ui_.StatusTexts().back(),
              " Verification failed: the transceiver does not hold what was written.");
    // The failure's four long tones sound before its box.
    const auto beforeBox = ui_.Events();
    const auto box = std::find(beforeBox.begin(), beforeBox.end(), "box: " + failed.text);
    ASSERT_NE(box, beforeBox.end());
    EXPECT_EQ(std::count_if(beforeBox.begin(), box,
                            [](const std::string& e) { return e.starts_with("beep"); }),
              2 + 4);
}

TEST_F(AppWriteCheck, AReadBackWithoutAnswerIsWrittenButNotVerified) {
    Fill(5, "119.100", "DEP");
    // The cable is pulled once the write's 36 frames have passed.
    StartSim({"--pull-after", "36"});
    ASSERT_EQ(doc_->OnCloneWrite(), CloneOutcome::kCompleted);
    ASSERT_EQ(ui_.Boxes().size(), 2u);
    EXPECT_EQ(ui_.Boxes()[0].text, CloneText::kBoxWriteSucceeded);
    EXPECT_TRUE(Contains(ui_.Boxes()[1].text, "written, but not verified: reading it back failed"))
        << ui_.Boxes()[1].text;
    EXPECT_EQ(ui_.StatusTexts().back(), " Written, but not verified.");
    const auto after = EventsAfterLast("box: " + std::string(CloneText::kBoxWriteSucceeded));
    EXPECT_TRUE(std::none_of(after.begin(), after.end(), [](const std::string& e) {
        return e.starts_with("beep");
    })) << "no failure of the write";
}

TEST_F(AppWriteCheck, VerifyAfterWriteIsACheckItemRememberedInTheSettings) {
    QAction* verify = frame_->Action(kCloneVerifyAfterWrite);
    ASSERT_NE(verify, nullptr);
    EXPECT_TRUE(verify->isChecked()) << "on in a fresh profile";
    EXPECT_TRUE(doc_->VerifyAfterWrite());
    verify->trigger();
    EXPECT_FALSE(doc_->VerifyAfterWrite());
    EXPECT_FALSE(CSettingsStore().ReadVerifyAfterWrite());
    {
        // The next start takes it from the settings.
        CKTM220Doc doc;
        CMainFrame frame(doc);
        EXPECT_FALSE(frame.Action(kCloneVerifyAfterWrite)->isChecked());
        EXPECT_FALSE(doc.VerifyAfterWrite());
        frame.Action(kCloneVerifyAfterWrite)->trigger();
    }
    EXPECT_TRUE(CSettingsStore().ReadVerifyAfterWrite());
}

TEST_F(AppWriteCheck, WithVerifyOffAWriteIsNotReadBack) {
    frame_->Action(kCloneVerifyAfterWrite)->trigger();
    Fill(5, "119.100", "DEP");
    StartSim({"--corrupt-write", "10"});
    ASSERT_EQ(doc_->OnCloneWrite(), CloneOutcome::kCompleted);
    EXPECT_FALSE(doc_->LastVerification().has_value());
    EXPECT_EQ(Count("progress-begin"), 1);
    ASSERT_EQ(ui_.Boxes().size(), 1u);
    EXPECT_EQ(ui_.StatusTexts().back(), CloneText::kCompleted);
}

} // namespace kt
