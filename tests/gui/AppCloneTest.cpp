#include "AppFrameFixture.h"

#include "CKTM220Doc.h"
#include "CKTM220View.h"
#include "CMainFrame.h"
#include "CloneMessages.h"
#include "CommandIds.h"
#include "RecordingCloneUi.h"
#include "SimProcess.h"

#include <QAction>
#include <algorithm>

namespace kt {

namespace {
// The document and main window with a recording user interface for the
// clone commands, and a virtual transceiver on the current port.
class AppClone : public AppFrameTest {
protected:
    void SetUp() override {
        AppFrameTest::SetUp();
        doc_->SetCloneUi(&ui_);
        image_ = File("transceiver.vkf");
        ASSERT_TRUE(SaveTransceiverImage(image_));
    }
    void TearDown() override {
        sim_.reset();
        AppFrameTest::TearDown();
    }

    void StartSim(std::vector<std::string> options) {
        options.insert(options.end(), {"--baud", "0", "--image", image_});
        sim_ = std::make_unique<SimProcess>(options);
        ASSERT_FALSE(sim_->Device().empty());
        doc_->SetDemoDevice(doc_->PortNumber(), QString::fromStdString(sim_->Device()));
    }

    // What the transceiver saw, once it has ended.
    std::string SimLog() {
        sim_->Stop();
        return sim_->Log();
    }

    std::string image_;
    RecordingCloneUi ui_;
    std::unique_ptr<SimProcess> sim_;
};
} // namespace

TEST_F(AppClone, ReadUpdatesTheRowsAndKeepsTheTitle) {
    StartSim({});
    frame_->Action(CommandId::kCloneRead)->trigger();
    EXPECT_EQ(ui_.StatusTexts().back(), CloneText::kCompleted);
    EXPECT_TRUE(ui_.Questions().empty()) << "an unmodified document asks nothing";
    EXPECT_EQ(frame_->View()->CellText(6, 2), "119.250");
    EXPECT_EQ(frame_->View()->CellText(6, 3), "RADIO");
    EXPECT_TRUE(doc_->IsModified());
    EXPECT_EQ(frame_->windowTitle(), "Untitled[*] - KT-M220");
    EXPECT_TRUE(frame_->isWindowModified());
}

TEST_F(AppClone, ReadIntoAnOpenedFileKeepsItsName) {
    const std::string path = File("mine.vkf");
    ASSERT_TRUE(doc_->OnSaveDocument(QString::fromStdString(path)).ok);
    StartSim({});
    EXPECT_EQ(doc_->OnCloneRead(), CloneOutcome::kCompleted);
    EXPECT_EQ(doc_->GetPathName().toStdString(), path);
    EXPECT_EQ(frame_->windowTitle(), "mine.vkf[*] - KT-M220");
    EXPECT_TRUE(doc_->IsModified());
    // Save writes the transceiver's contents there.
    ASSERT_TRUE(Commands().FileSave());
    ASSERT_TRUE(doc_->OnNewDocument());
    ASSERT_TRUE(Commands().OpenDocumentFile(QString::fromStdString(path)));
    EXPECT_EQ(frame_->View()->CellText(6, 3), "RADIO");
}

TEST_F(AppClone, AFailedOrCancelledReadChangesNothing) {
    doc_->GetRadio().SetName(1, "MINE");
    doc_->SetModifiedFlag(false);
    doc_->GetRadio().SetModified(0);
    const std::string before = DocumentBytes(*doc_);
    const struct {
        const char* name;
        std::vector<std::string> options;
        int cancelAfter;
        int outcome;
    } cases[] = {
        {"silent transceiver", {"--silent"}, -1, CloneOutcome::kFailed},
        {"bad checksum", {"--bad-checksum", "7"}, -1, CloneOutcome::kFailed},
        {"wrong revision", {"--revision", "0101"}, -1, CloneOutcome::kIllegalIdentity},
        {"cancelled", {"--slow", "2"}, 3, CloneOutcome::kCancelled},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui_.CancelAfterProgressCalls(c.cancelAfter < 0 ? -1 : ui_.ProgressCalls() + c.cancelAfter);
        StartSim(c.options);
        EXPECT_EQ(doc_->OnCloneRead(), c.outcome);
        EXPECT_EQ(DocumentBytes(*doc_), before);
        EXPECT_FALSE(doc_->IsModified());
        EXPECT_FALSE(frame_->isWindowModified());
        EXPECT_EQ(frame_->View()->CellText(6, 2), "");
        sim_.reset();
    }
}

TEST_F(AppClone, ReadOnAModifiedDocumentAsksAndCancelSendsNothing) {
    StartSim({});
    doc_->SetModifiedFlag(true);
    ui_.AnswerNext(false);
    frame_->Action(CommandId::kCloneRead)->trigger();
    ASSERT_EQ(ui_.Questions().size(), 1u);
    EXPECT_EQ(ui_.Questions()[0], " Read from transceiver, Data has been edited.");
    EXPECT_TRUE(ui_.StatusTexts().empty());
    EXPECT_EQ(frame_->View()->CellText(6, 2), "");
    EXPECT_EQ(SimLog().find("port opened"), std::string::npos) << "nothing reached the line";

    // OK reads.
    StartSim({});
    ui_.AnswerNext(true);
    EXPECT_EQ(doc_->OnCloneRead(), CloneOutcome::kCompleted);
    EXPECT_EQ(frame_->View()->CellText(6, 2), "119.250");
}

TEST_F(AppClone, WriteAndInformationChangeNothing) {
    StartSim({});
    doc_->GetRadio().SetName(2, "TWO");
    const std::string before = DocumentBytes(*doc_);
    const bool modified = doc_->IsModified();
    frame_->Action(CommandId::kCloneWrite)->trigger();
    EXPECT_EQ(ui_.Questions().back(), CloneText::kAskWrite);
    // The write's own outcome, then its verification's.
    const std::vector<std::string>& status = ui_.StatusTexts();
    EXPECT_NE(std::find(status.begin(), status.end(), CloneText::kCompleted), status.end());
    EXPECT_EQ(status.back(), " Verified: the transceiver holds what was written.");
    EXPECT_EQ(ui_.Boxes().size(), 1u) << "the write's own box only";
    frame_->Action(CommandId::kCloneInformation)->trigger();
    ASSERT_EQ(ui_.Informations().size(), 1u);
    EXPECT_EQ(ui_.Informations()[0].first, "VR-M220");
    EXPECT_EQ(DocumentBytes(*doc_), before);
    EXPECT_EQ(doc_->IsModified(), modified);
    EXPECT_EQ(doc_->GetTitle(), "Untitled");
}

TEST_F(AppClone, AMissingPortSaysSo) {
    doc_->SetDemoDevice(doc_->PortNumber(), QString::fromStdString(File("no-such-device")));
    EXPECT_EQ(doc_->OnCloneInformation(), CloneOutcome::kPortFailed);
    EXPECT_EQ(ui_.StatusTexts().back(), CloneText::kCannotAccessPort);
    ASSERT_FALSE(ui_.Boxes().empty());
    EXPECT_NE(ui_.Boxes().back().detail.find("no-such-device"), std::string::npos);
}

} // namespace kt
