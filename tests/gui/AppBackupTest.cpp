#include "AppFrameFixture.h"

#include "CBackupFolderCommand.h"
#include "CloneMessages.h"
#include "CommandIds.h"
#include "RecordingCloneUi.h"
#include "SimProcess.h"

#include <QDir>
#include <QMessageBox>
#include <filesystem>
#include <sys/stat.h>

namespace kt {

namespace fs = std::filesystem;

namespace {
using namespace CommandId;

// The document with a recording user interface for the clone commands, its
// backups in a folder of the test's own, and a virtual transceiver whose
// channel 6 is in use.
class AppBackup : public AppFrameTest {
protected:
    void SetUp() override {
        AppFrameTest::SetUp();
        doc_->SetCloneUi(&ui_);
        folder_ = File("backups");
        doc_->SetBackupFolder(QString::fromStdString(folder_));
        image_ = File("transceiver.vkf");
        ASSERT_TRUE(SaveTransceiverImage(image_));
    }
    void TearDown() override {
        sim_.reset();
        AppFrameTest::TearDown();
    }

    void StartSim(std::vector<std::string> options = {}) {
        sim_.reset();
        options.insert(options.end(), {"--baud", "0", "--image", image_});
        sim_ = std::make_unique<SimProcess>(options);
        ASSERT_FALSE(sim_->Device().empty());
        doc_->SetDemoDevice(doc_->PortNumber(), QString::fromStdString(sim_->Device()));
    }

    std::vector<std::string> Backups() const {
        std::vector<std::string> names;
        if (fs::is_directory(folder_))
            for (const auto& entry : fs::directory_iterator(folder_))
                names.push_back(entry.path().filename().string());
        return names;
    }

    RecordingCloneUi ui_;
    std::unique_ptr<SimProcess> sim_;
    std::string folder_;
    std::string image_;
};
} // namespace

TEST_F(AppBackup, EveryReadAndWriteKeepsABackup) {
    StartSim();
    ASSERT_EQ(doc_->OnCloneRead(), CloneOutcome::kCompleted);
    const std::string readBackup = doc_->LastBackupPath().toStdString();
    EXPECT_EQ(fs::path(readBackup).parent_path(), fs::path(folder_));
    EXPECT_TRUE(readBackup.ends_with("_read.vkf")) << readBackup;
    EXPECT_TRUE(doc_->LastBackupNote().isEmpty());

    // The backup is a data file with what the transceiver held.
    CM220Radio kept;
    kept.NewData();
    ASSERT_TRUE(kept.LoadDataFile(readBackup));
    EXPECT_EQ(kept.GetName(6), "RADIO");

    Fill(7, "127.000", "SEVEN");
    const std::string sent = DocumentBytes(*doc_);
    StartSim();
    ASSERT_EQ(doc_->OnCloneWrite(), CloneOutcome::kCompleted);
    const std::string writeBackup = doc_->LastBackupPath().toStdString();
    EXPECT_TRUE(writeBackup.ends_with("_write.vkf")) << writeBackup;
    EXPECT_EQ(ReadFileBytes(writeBackup), sent) << "the image as it was sent";
    // The read, the write, and the read-back that verified the write.
    EXPECT_EQ(Backups().size(), 3u);

    struct stat st {};
    ASSERT_EQ(stat(folder_.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u) << "the folder is the user's own";
}

TEST_F(AppBackup, ABackupThatCannotBeKeptIsSaidButTheReadCompletes) {
    const std::string blocker = File("blocker");
    WriteFileBytes(blocker, "not a folder");
    doc_->SetBackupFolder(QString::fromStdString(blocker + "/backups"));
    StartSim();
    EXPECT_EQ(doc_->OnCloneRead(), CloneOutcome::kCompleted);
    EXPECT_EQ(View().CellText(6, 3), "RADIO");
    EXPECT_TRUE(doc_->LastBackupPath().isEmpty());
    EXPECT_FALSE(doc_->LastBackupNote().isEmpty());
    ASSERT_FALSE(ui_.Boxes().empty());
    EXPECT_EQ(ui_.Boxes().back().text, " No backup of the data read could be kept.");
    EXPECT_NE(ui_.Boxes().back().detail.find(blocker), std::string::npos)
        << ui_.Boxes().back().detail;
    EXPECT_EQ(ui_.StatusTexts().back(), CloneText::kCompleted);
}

TEST_F(AppBackup, AReadStartsANewHistoryAndAFailedOneKeepsIt) {
    Fill(2, "119.000", "TWO");
    doc_->RecordEdit();
    ASSERT_TRUE(doc_->CanUndo());

    StartSim({"--revision", "0101"});
    ui_.AnswerNext(true); // the document is modified: Read asks first
    EXPECT_EQ(doc_->OnCloneRead(), CloneOutcome::kIllegalIdentity);
    EXPECT_TRUE(doc_->CanUndo()) << "a failed read changes nothing";
    EXPECT_TRUE(doc_->LastBackupPath().isEmpty());
    EXPECT_TRUE(Backups().empty()) << "nothing was read to keep";

    StartSim();
    ui_.AnswerNext(true);
    ASSERT_EQ(doc_->OnCloneRead(), CloneOutcome::kCompleted);
    EXPECT_FALSE(doc_->CanUndo());
    EXPECT_FALSE(Enabled(kEditUndo));
    EXPECT_FALSE(Enabled(kEditRedo));

    // Edits after the read go back to it, modified as a read leaves it.
    const std::string read = DocumentBytes(*doc_);
    View().SelectChannel(6);
    Trigger(kEditClear);
    Trigger(kEditUndo);
    EXPECT_EQ(DocumentBytes(*doc_), read);
    EXPECT_TRUE(doc_->IsModified());
}

TEST_F(AppBackup, OpenBackupFolderMakesTheFolderAndOpensIt) {
    std::vector<QUrl> opened;
    bool opens = true;
    frame_->SetFolderOpener([&](const QUrl& url) {
        opened.push_back(url);
        return opens;
    });
    ASSERT_FALSE(fs::exists(folder_));
    Trigger(kHelpBackupFolder);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(QString::fromStdString(folder_)));
    EXPECT_TRUE(fs::is_directory(folder_));
    struct stat st {};
    ASSERT_EQ(stat(folder_.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    // When nothing can show it, a message names the folder.
    opens = false;
    SeenBox box;
    AnswerNextBox(box, QMessageBox::Ok);
    Trigger(kHelpBackupFolder);
    ASSERT_TRUE(box.shown);
    EXPECT_EQ(box.text, "The backup folder could not be opened.");
    EXPECT_TRUE(box.informativeText.contains(QString::fromStdString(folder_)));
}

TEST_F(AppBackup, ABackupFolderThatCannotBeMadeIsNotOpened) {
    const std::string blocker = File("blocker");
    WriteFileBytes(blocker, "x");
    const QString folder = QString::fromStdString(blocker + "/backups");
    int opens = 0;
    SeenBox box;
    AnswerNextBox(box, QMessageBox::Ok);
    EXPECT_FALSE(CBackupFolderCommand::Run(folder, frame_.get(), [&](const QUrl&) {
        ++opens;
        return true;
    }));
    EXPECT_EQ(opens, 0);
    ASSERT_TRUE(box.shown);
    EXPECT_TRUE(box.informativeText.contains(folder));
    EXPECT_TRUE(box.informativeText.contains("is not a folder"));
    EXPECT_FALSE(CBackupFolderCommand::MakeFolder({}).isEmpty()) << "no home folder";
}

} // namespace kt
