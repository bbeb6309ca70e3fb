#include "AppTestSupport.h"
#include "MessageBoxText.h"

#include "CKTM220App.h"
#include "CKTM220Doc.h"
#include "CM220Radio.h"
#include "CMainFrame.h"
#include "CRecoveryFile.h"

#include <QFileSystemWatcher>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace kt {

namespace {
QStringList Args(std::initializer_list<const char*> args) {
    QStringList list{QStringLiteral("kt-m220")};
    for (const char* a : args)
        list << QString::fromUtf8(a);
    return list;
}

std::string RecoveryPath() {
    return CRecoveryFile::Path().toStdString();
}

class AppRecovery : public AppTest {
protected:
    // A recovery file as an earlier run would have left it: channel 4 in use.
    void PlaceRecoveryFile() {
        std::filesystem::create_directories(CRecoveryFile::Folder().toStdString());
        CM220Radio radio;
        radio.NewData();
        radio.SetFrequency(4, "119.100");
        radio.SetName(4, "RECOV");
        radio.SetAppear(4, "ON");
        radio.HealChannel(4);
        ASSERT_TRUE(radio.SaveFile(RecoveryPath()));
    }

    // A program started with the test's folders, offscreen.
    static void Prepare(QProcess& process) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(env);
    }

    // Waits (on the process's own events, at most 20 s) for a line of output.
    static bool WaitForLine(QProcess& process, const QByteArray& line) {
        QByteArray out;
        while (!out.contains(line)) {
            if (!process.waitForReadyRead(20000))
                return false;
            out += process.readAllStandardOutput();
        }
        return true;
    }

    static std::string ChildPath() {
        return std::string(KT_BINARY_DIR) + "/tests/gui/child/ui_unsaved_child";
    }
};
} // namespace

// A signal from the session or the system ends the program at once, asks
// nothing, and keeps the unsaved changes where the next start finds them.
TEST_F(AppRecovery, TerminationSignalsKeepUnsavedChangesAndEndWithoutAQuestion) {
    ASSERT_TRUE(std::filesystem::exists(ChildPath()));
    for (const int signal : {SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        std::filesystem::remove(RecoveryPath());
        QProcess program;
        Prepare(program);
        program.start(QString::fromStdString(ChildPath()), {});
        ASSERT_TRUE(WaitForLine(program, "ready")) << program.readAllStandardError().toStdString();
        ASSERT_EQ(::kill(static_cast<pid_t>(program.processId()), signal), 0);
        ASSERT_TRUE(program.waitForFinished(20000)) << "it must end by itself, asking nothing";
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
        EXPECT_EQ(program.readAllStandardError(), "");

        ASSERT_TRUE(std::filesystem::exists(RecoveryPath()));
        CM220Radio kept;
        ASSERT_TRUE(kept.LoadFile(RecoveryPath()));
        EXPECT_EQ(kept.GetName(1), "KEPT");
        EXPECT_EQ(kept.GetFrequency(1), "121.500");
        struct stat folder {};
        ASSERT_EQ(::stat(CRecoveryFile::Folder().toLocal8Bit().constData(), &folder), 0);
        EXPECT_EQ(folder.st_mode & 0777, 0700u) << "the changes are the user's own";
    }
}

// The desktop program itself, told to stop while it asks about a recovery
// file: it ends, and the file waits for the next start.
TEST_F(AppRecovery, StoppedWhileAskingKeepsTheFile) {
    PlaceRecoveryFile();
    const std::string before = [] {
        std::ifstream in(RecoveryPath(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    // The lock file appears once the program has taken its signals.
    QFileSystemWatcher watcher({QString::fromStdString(RuntimeFolder())});
    QSignalSpy changed(&watcher, &QFileSystemWatcher::directoryChanged);
    QProcess program;
    Prepare(program);
    program.start(QString::fromStdString(DesktopProgramPath()), {});
    ASSERT_TRUE(program.waitForStarted(20000));
    const std::string lock = RuntimeFolder() + "/kt-m220.lock";
    for (int events = 0; events < 100 && !std::filesystem::exists(lock); ++events)
        ASSERT_TRUE(changed.wait(20000)) << "the program never took its lock";
    ASSERT_EQ(::kill(static_cast<pid_t>(program.processId()), SIGTERM), 0);
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    std::ifstream in(RecoveryPath(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), before);
}

TEST_F(AppRecovery, AcceptedRecoveryIsAnUnsavedUntitledDocument) {
    PlaceRecoveryFile();
    CKTM220App app;
    SeenBox seen;
    AnswerNextBox(seen, QMessageBox::Yes);
    ASSERT_TRUE(app.InitInstance(Args({})));
    EXPECT_TRUE(QRegularExpression(
                    QStringLiteral(R"(^Recover unsaved changes from \d{4}-\d\d-\d\d \d\d:\d\d\?$)"))
                    .match(seen.text)
                    .hasMatch())
        << seen.text.toStdString();
    CKTM220Doc& doc = *app.Document();
    EXPECT_EQ(doc.GetRadio().GetName(4), "RECOV");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), "Untitled");
    EXPECT_TRUE(app.MainFrame()->isWindowModified());
    EXPECT_FALSE(std::filesystem::exists(RecoveryPath())) << "the document holds it now";
    EXPECT_TRUE(app.MainFrame()->RecentFiles().Files().isEmpty());
    doc.SetModifiedFlag(false);
    doc.GetRadio().SetModified(0);
}

TEST_F(AppRecovery, DeclinedRecoveryIsRemoved) {
    PlaceRecoveryFile();
    CKTM220App app;
    SeenBox seen;
    AnswerNextBox(seen, QMessageBox::No);
    ASSERT_TRUE(app.InitInstance(Args({})));
    EXPECT_TRUE(seen.shown);
    EXPECT_FALSE(std::filesystem::exists(RecoveryPath()));
    EXPECT_FALSE(app.Document()->IsModified());
    EXPECT_EQ(app.Document()->GetRadio().GetName(4), "");
}

TEST_F(AppRecovery, AnUnreadableRecoveryFileIsSaidAndSetAside) {
    std::filesystem::create_directories(CRecoveryFile::Folder().toStdString());
    std::ofstream(RecoveryPath()) << "not a data file\n";
    CKTM220App app;
    SeenBox question;
    AnswerNextBox(question, QMessageBox::Yes);
    SeenBox failure;
    AnswerNextModal([&failure](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        failure.shown = box != nullptr;
        if (box) {
            ExpectPlainTexts(*box);
            failure.text = box->text();
            failure.informativeText = box->informativeText();
        }
        modal->close();
    });
    ASSERT_TRUE(app.InitInstance(Args({})));
    EXPECT_TRUE(failure.shown);
    EXPECT_TRUE(failure.informativeText.contains(QStringLiteral("The file is kept as ")));
    EXPECT_FALSE(std::filesystem::exists(RecoveryPath())) << "it is not offered again";
    int aside = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(CRecoveryFile::Folder().toStdString()))
        aside += entry.path().filename().string().starts_with("unreadable-") ? 1 : 0;
    EXPECT_EQ(aside, 1) << "nothing is lost";
}

// At the end of the desktop session the changes are kept and the window
// closes unasked; if the session goes on and the user edits again, closing
// asks again and the file written for the session end goes.
TEST_F(AppRecovery, SessionEndKeepsChangesAndClosesUnasked) {
    {
        CKTM220App app;
        ASSERT_TRUE(app.InitInstance(Args({})));
        app.Document()->GetRadio().SetName(1, "LOGOUT");
        app.OnCommitDataRequest();
        ASSERT_TRUE(std::filesystem::exists(RecoveryPath()));
        SeenBox seen;
        AnswerNextBox(seen, QMessageBox::Cancel);
        EXPECT_TRUE(app.MainFrame()->close());
        CancelPendingAnswers();
        EXPECT_FALSE(seen.shown) << seen.text.toStdString();
        app.ExitInstance();
    }
    ASSERT_TRUE(std::filesystem::exists(RecoveryPath()));
    std::filesystem::remove(RecoveryPath());

    CKTM220App app;
    ASSERT_TRUE(app.InitInstance(Args({})));
    app.Document()->GetRadio().SetName(1, "LOGOUT");
    app.OnCommitDataRequest();
    app.Document()->GetRadio().SetName(1, "LATER");
    SeenBox seen;
    AnswerNextBox(seen, QMessageBox::No);
    EXPECT_TRUE(app.MainFrame()->close());
    EXPECT_EQ(seen.text, "Save changes to Untitled?");
    app.ExitInstance();
    EXPECT_FALSE(std::filesystem::exists(RecoveryPath()))
        << "the user answered for the changes themselves";
}

} // namespace kt
