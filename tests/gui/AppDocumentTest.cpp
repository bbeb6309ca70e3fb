#include "AppFrameFixture.h"

#include "CKTM220Doc.h"
#include "CKTM220View.h"
#include "CM220Radio.h"
#include "CMainFrame.h"
#include "CRecentFileList.h"
#include "CommandIds.h"

#include <QAction>
#include <QMessageBox>
#include <QSettings>
#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <unistd.h>

namespace kt {

namespace {
class AppDocument : public AppFrameTest {
protected:
    // A data file with channel 5 in use, saved by the program itself.
    std::string SaveSampleFile(const std::string& name) {
        CM220Radio& radio = doc_->GetRadio();
        radio.SetFrequency(5, "123.450");
        radio.SetName(5, "TEST");
        radio.SetAppear(5, "ON");
        radio.HealChannel(5);
        const std::string path = File(name);
        EXPECT_TRUE(doc_->OnSaveDocument(QString::fromStdString(path)).ok);
        return path;
    }
};
} // namespace

TEST_F(AppDocument, NewDocumentIsUntitledAndUnmodified) {
    EXPECT_EQ(doc_->GetTitle(), "Untitled");
    EXPECT_TRUE(doc_->GetPathName().isEmpty());
    EXPECT_FALSE(doc_->IsModified());
    EXPECT_FALSE(doc_->CloneFilePath().empty());
    EXPECT_TRUE(std::filesystem::exists(doc_->CloneFilePath()));
    EXPECT_EQ(std::filesystem::path(doc_->CloneFilePath()).filename().string().rfind("cl", 0), 0u);
}

TEST_F(AppDocument, ModifiedIsTheOwnFlagOrTheEditState) {
    doc_->SetModifiedFlag(true);
    EXPECT_TRUE(doc_->IsModified());
    doc_->SetModifiedFlag(false);
    EXPECT_FALSE(doc_->IsModified());
    doc_->GetRadio().SetName(2, "X");
    EXPECT_FALSE(doc_->IsModified()) << "an empty channel's name is not kept";
    doc_->GetRadio().SetName(1, "X");
    EXPECT_TRUE(doc_->IsModified()) << "the radio data object's edit state";
}

TEST_F(AppDocument, OpenAGoodFileFillsTheRowsAndTitle) {
    const std::string path = SaveSampleFile("good.vkf");
    ASSERT_TRUE(doc_->OnNewDocument());
    EXPECT_EQ(frame_->View()->CellText(5, 2), "");

    ASSERT_TRUE(Commands().OpenDocumentFile(QString::fromStdString(path)));
    EXPECT_EQ(frame_->View()->CellText(5, 2), "123.450");
    EXPECT_EQ(frame_->View()->CellText(5, 3), "TEST");
    EXPECT_EQ(frame_->windowTitle(), "good.vkf[*] - KT-M220");
    EXPECT_EQ(frame_->windowFilePath().toStdString(), path);
    EXPECT_FALSE(doc_->IsModified());
    EXPECT_EQ(frame_->RecentFiles().Files().value(0).toStdString(), path);
}

TEST_F(AppDocument, AFileTheEngineRefusesChangesNothing) {
    const std::string good = ReadFileBytes(SaveSampleFile("good.vkf"));
    ASSERT_TRUE(Commands().OpenDocumentFile(QString::fromStdString(File("good.vkf"))));
    doc_->GetRadio().SetName(5, "EDITED");
    const std::string before = DocumentBytes(*doc_);

    const struct {
        const char* name;
        std::string bytes;
    } files[] = {
        {"empty", ""},
        {"text", "hello\r\n"},
        {"header only", "22700100\r\n"},
        {"other model", "99990100\r\n" + good.substr(10)},
        {"cut short", good.substr(0, good.size() / 2)},
        {"bad digits", "22700100\r\n0010102Z202020\r\n"},
        {"binary", std::string("\x00\xff\xfe\x01", 4)},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        const std::string path = File(std::string(f.name) + ".vkf");
        WriteFileBytes(path, f.bytes);
        const CKTM220Doc::FileResult result = doc_->OnOpenDocument(QString::fromStdString(path));
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.message, "Unexpected file format.");
        EXPECT_TRUE(result.detail.startsWith(QString::fromStdString(path)));
        EXPECT_EQ(DocumentBytes(*doc_), before);
        EXPECT_TRUE(doc_->IsModified());
        EXPECT_EQ(doc_->GetTitle(), "good.vkf");
        EXPECT_EQ(frame_->View()->CellText(5, 2), "123.450") << "the rows stay";
    }

    // The user sees it in a box, and the document is still the same.
    doc_->SetModifiedFlag(false);
    doc_->GetRadio().SetModified(0);
    SeenBox seen;
    AnswerNextBox(seen, QMessageBox::Ok);
    EXPECT_FALSE(Commands().OpenDocumentFile(QString::fromStdString(File("empty.vkf"))));
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(seen.text, "Unexpected file format.");
    EXPECT_EQ(seen.title, "KT-M220");
    EXPECT_EQ(DocumentBytes(*doc_), before);
    EXPECT_EQ(frame_->windowTitle(), "good.vkf[*] - KT-M220");
}

TEST_F(AppDocument, AMissingFileSaysWhyAndLeavesTheRecentList) {
    const std::string path = SaveSampleFile("gone.vkf");
    ASSERT_EQ(frame_->RecentFiles().Files().value(0).toStdString(), path);
    std::filesystem::remove(path);
    SeenBox seen;
    AnswerNextBox(seen, QMessageBox::Ok);
    EXPECT_FALSE(Commands().OpenDocumentFile(QString::fromStdString(path)));
    EXPECT_EQ(seen.text, "Failed to open document.");
    EXPECT_TRUE(seen.informativeText.contains(QString::fromStdString(path)));
    EXPECT_TRUE(frame_->RecentFiles().Files().isEmpty());
    EXPECT_FALSE(frame_->Action(CommandId::kFileMruFirst)->isEnabled());
}

TEST_F(AppDocument, SaveThenOpenGivesTheSameBytes) {
    const std::string first = SaveSampleFile("first.vkf");
    // Saving again keeps the file's permissions.
    namespace fs = std::filesystem;
    fs::permissions(first, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
                    fs::perm_options::replace);
    ASSERT_TRUE(doc_->OnSaveDocument(QString::fromStdString(first)).ok);
    EXPECT_EQ(fs::status(first).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(Commands().OpenDocumentFile(QString::fromStdString(first)));
    const std::string second = File("second.vkf");
    ASSERT_TRUE(doc_->OnSaveDocument(QString::fromStdString(second)).ok);
    EXPECT_EQ(ReadFileBytes(second), ReadFileBytes(first));
    EXPECT_EQ(ReadFileBytes(first).substr(0, 10), "22700100\r\n");
    EXPECT_EQ(doc_->GetTitle(), "second.vkf");
    // The recent-file list keeps the newest first, at most four.
    for (const char* name : {"a.vkf", "b.vkf", "c.vkf"})
        ASSERT_TRUE(doc_->OnSaveDocument(QString::fromStdString(File(name))).ok);
    const QStringList recent = frame_->RecentFiles().Files();
    EXPECT_EQ(recent.size(), 4);
    EXPECT_EQ(recent.value(0).toStdString(), File("c.vkf"));
    EXPECT_FALSE(recent.contains(QString::fromStdString(first)));
    EXPECT_EQ(frame_->Action(CommandId::kFileMruFirst)->text().left(3), "&1 ");
    EXPECT_EQ(CRecentFileList().Files(), recent) << "kept in the settings";
}

TEST_F(AppDocument, FileSaveWritesTheOpenedFile) {
    const std::string path = SaveSampleFile("doc.vkf");
    ASSERT_TRUE(Commands().OpenDocumentFile(QString::fromStdString(path)));
    doc_->GetRadio().SetName(5, "NEW");
    frame_->Action(CommandId::kFileSave)->trigger();
    EXPECT_FALSE(doc_->IsModified());
    ASSERT_TRUE(doc_->OnNewDocument());
    ASSERT_TRUE(Commands().OpenDocumentFile(QString::fromStdString(path)));
    EXPECT_EQ(frame_->View()->CellText(5, 3), "NEW");
}

TEST_F(AppDocument, AFailedSaveKeepsTheOldFileAndTheChanges) {
    const std::string path = SaveSampleFile("kept.vkf");
    const std::string old = ReadFileBytes(path);
    doc_->GetRadio().SetName(5, "LOST?");
    ASSERT_TRUE(doc_->IsModified());

    // The disk fills up: no file may grow beyond a few bytes while saving.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &small);
    const CKTM220Doc::FileResult result = doc_->OnSaveDocument(QString::fromStdString(path));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "Failed to save document.");
    EXPECT_TRUE(result.detail.contains(QString::fromStdString(path)));
    EXPECT_EQ(ReadFileBytes(path), old);
    EXPECT_TRUE(doc_->IsModified()) << "the changes are still to be saved";
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(path).parent_path()))
        EXPECT_EQ(entry.path().string().find("kept.vkf."), std::string::npos)
            << "no half-written file left: " << entry.path();
}

TEST_F(AppDocument, ASaveIntoAReadOnlyFolderKeepsTheOldFile) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    const std::string folder = File("ro");
    std::filesystem::create_directories(folder);
    const std::string path = folder + "/kept.vkf";
    ASSERT_TRUE(doc_->OnSaveDocument(QString::fromStdString(path)).ok);
    const std::string old = ReadFileBytes(path);
    doc_->GetRadio().SetName(1, "CHANGED");
    std::filesystem::permissions(folder, std::filesystem::perms::owner_read |
                                             std::filesystem::perms::owner_exec);
    SeenBox seen;
    AnswerNextBox(seen, QMessageBox::Ok);
    frame_->Action(CommandId::kFileSave)->trigger();
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
    EXPECT_EQ(seen.text, "Failed to save document.");
    EXPECT_EQ(ReadFileBytes(path), old);
    EXPECT_TRUE(doc_->IsModified());
}

TEST_F(AppDocument, NewAsksToSaveChangesFirst) {
    doc_->GetRadio().SetName(1, "KEEP");
    {
        SeenBox seen;
        AnswerNextBox(seen, QMessageBox::Cancel);
        frame_->Action(CommandId::kFileNew)->trigger();
        EXPECT_EQ(seen.text, "Save changes to Untitled?");
        EXPECT_EQ(seen.title, "KT-M220");
        EXPECT_EQ(doc_->GetRadio().GetName(1), "KEEP") << "Cancel keeps everything";
        EXPECT_TRUE(doc_->IsModified());
    }
    {
        SeenBox seen;
        AnswerNextBox(seen, QMessageBox::No);
        frame_->Action(CommandId::kFileNew)->trigger();
        EXPECT_TRUE(seen.shown);
        EXPECT_EQ(doc_->GetRadio().GetName(1), "");
        EXPECT_FALSE(doc_->IsModified());
    }
    {
        SeenBox seen;
        AnswerNextBox(seen, QMessageBox::Ok);
        frame_->Action(CommandId::kFileNew)->trigger();
        EXPECT_FALSE(seen.shown) << "nothing to save, nothing asked";
        CancelPendingAnswers();
    }
}

TEST_F(AppDocument, YesSavesBeforeGoingOn) {
    const std::string path = SaveSampleFile("yes.vkf");
    ASSERT_TRUE(Commands().OpenDocumentFile(QString::fromStdString(path)));
    doc_->GetRadio().SetName(5, "SAVED");
    SeenBox seen;
    AnswerNextBox(seen, QMessageBox::Yes);
    ASSERT_TRUE(Commands().FileNew());
    EXPECT_EQ(seen.text, "Save changes to yes.vkf?");
    ASSERT_TRUE(Commands().OpenDocumentFile(QString::fromStdString(path)));
    EXPECT_EQ(doc_->GetRadio().GetName(5), "SAVED");
}

TEST_F(AppDocument, PortNumberAndDevicesAreKept) {
    doc_->SetPortNumber(3);
    doc_->SetPortDevice(2, QStringLiteral("/dev/serial/by-id/usb-cable"));
    doc_->SetDemoDevice(3, QStringLiteral("/dev/pts/77"));
    EXPECT_EQ(doc_->EffectivePortNames().DeviceOf(3), "/dev/pts/77");
    EXPECT_EQ(doc_->GetCloneComm().PortNames().DeviceOf(3), "/dev/pts/77");
    frame_.reset();
    doc_.reset();

    QSettings settings(QString::fromStdString(SettingsFile()), QSettings::IniFormat);
    EXPECT_EQ(settings.value("CommPort/PortNumber").toInt(), 3);
    EXPECT_EQ(settings.value("CommPort/Device2").toString(), "/dev/serial/by-id/usb-cable");
    EXPECT_EQ(settings.value("CommPort/Device3").toString(), "") << "the demo device is not kept";

    doc_ = std::make_unique<CKTM220Doc>();
    frame_ = std::make_unique<CMainFrame>(*doc_);
    EXPECT_EQ(doc_->PortNumber(), 3u);
    EXPECT_EQ(doc_->GetCloneComm().GetPortNumber(), 3u);
    EXPECT_EQ(doc_->PortDevice(2), "/dev/serial/by-id/usb-cable");
    EXPECT_EQ(doc_->GetCloneComm().PortNames().DeviceOf(2), "/dev/serial/by-id/usb-cable");
}

TEST_F(AppDocument, TemporaryFilesGoWithTheDocument) {
    const std::string cloneFile = doc_->CloneFilePath();
    const std::string workFile = doc_->GetRadio().TempPath();
    ASSERT_TRUE(std::filesystem::exists(cloneFile));
    ASSERT_TRUE(std::filesystem::exists(workFile));
    EXPECT_EQ(std::filesystem::path(workFile).filename().string().rfind("cw", 0), 0u);
    frame_.reset();
    doc_.reset();
    EXPECT_FALSE(std::filesystem::exists(cloneFile));
    EXPECT_FALSE(std::filesystem::exists(workFile));
}

} // namespace kt
