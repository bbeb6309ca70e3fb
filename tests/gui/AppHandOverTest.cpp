#include "AppTestSupport.h"

#include "CKTM220App.h"
#include "CKTM220Doc.h"
#include "CKTM220View.h"
#include "CM220Radio.h"
#include "CMainFrame.h"
#include "CSingleInstance.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <cstring>
#include <filesystem>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>

namespace kt {

// A copy started with a file while another runs hands the file to the
// running copy, which opens it as File > Open does.
namespace {
// A client of the running copy's socket that says what the test wants.
class RawSocket {
public:
    explicit RawSocket(const QString& path)
        : fd_(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray bytes = QFile::encodeName(path);
        std::memcpy(address.sun_path, bytes.constData(), static_cast<std::size_t>(bytes.size()));
        connected_ =
            fd_.IsValid() &&
            ::connect(fd_.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    }
    bool Connected() const { return connected_; }
    void Send(const std::string& bytes) { EXPECT_TRUE(fd_.WriteAll(bytes)); }

private:
    CFileDescriptor fd_;
    bool connected_ = false;
};

QStringList Args(std::initializer_list<const char*> args) {
    QStringList list{QStringLiteral("kt-m220")};
    for (const char* a : args)
        list << QString::fromUtf8(a);
    return list;
}

class AppHandOver : public AppTest {
protected:
    // A data file with name on channel 1.
    std::string DataFile(const std::string& file, const char* name) {
        const std::string path = File(file);
        CKTM220Doc doc;
        doc.OnNewDocument();
        doc.GetRadio().SetName(1, name);
        EXPECT_TRUE(doc.OnSaveDocument(QString::fromStdString(path)).ok);
        return path;
    }

    // The desktop program, offscreen, with the test's folders.
    static void Prepare(QProcess& process, const char* watch = nullptr) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        if (watch)
            env.insert(QString::fromLatin1(watch), QStringLiteral("1"));
        process.setProcessEnvironment(env);
    }

    // Waits (on the process's own events, at most 20 s each) for a line.
    static bool WaitForLine(QProcess& process, const QByteArray& line, QByteArray& out) {
        while (!out.contains(line)) {
            if (!process.waitForReadyRead(20000))
                return false;
            out += process.readAllStandardOutput();
        }
        return true;
    }

    static QString ChildPath() {
        return QString::fromStdString(std::string(KT_BINARY_DIR) +
                                      "/tests/gui/child/ui_unsaved_child");
    }

    static QString Program() { return QString::fromStdString(DesktopProgramPath()); }
};
} // namespace

// Two programs: the second, started with a file named relative to its own
// folder, ends at once and without a word, and the running one opens it.
TEST_F(AppHandOver, ASecondCopysFileOpensInTheRunningOne) {
    DataFile("other.vkf", "OTHER");
    QProcess running;
    Prepare(running, "KT_CHILD_REPORT_OPENED");
    running.start(ChildPath(), {});
    QByteArray out;
    ASSERT_TRUE(WaitForLine(running, "ready", out)) << running.readAllStandardError().toStdString();

    QProcess second;
    Prepare(second);
    second.setWorkingDirectory(QString::fromStdString(File("")));
    second.start(Program(), {QStringLiteral("other.vkf")});
    ASSERT_TRUE(second.waitForFinished(20000)) << "it must end by itself";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(second.readAllStandardOutput(), "");
    EXPECT_EQ(second.readAllStandardError(), "");
    EXPECT_TRUE(WaitForLine(running, "opened other.vkf", out)) << out.toStdString();

    // Without a file a later copy still ends silently, handing nothing over.
    QProcess third;
    Prepare(third);
    third.start(Program(), {});
    ASSERT_TRUE(third.waitForFinished(20000));
    EXPECT_EQ(third.exitCode(), 0);
    EXPECT_EQ(third.readAllStandardError(), "");

    running.terminate();
    ASSERT_TRUE(running.waitForFinished(20000));
    out += running.readAllStandardOutput();
    EXPECT_EQ(out.count("opened"), 1) << out.toStdString();
    EXPECT_FALSE(std::filesystem::exists(CSingleInstance::SocketPath().toStdString()))
        << "the socket goes with the program";
}

// The running copy asks about its unsaved changes first, and brings its
// window forward; a file that cannot be opened is said there.
TEST_F(AppHandOver, TheRunningCopyAsksAboutUnsavedChangesAndComesForward) {
    const std::string path = DataFile("handed.vkf", "HANDED");
    CKTM220App app;
    ASSERT_TRUE(app.InitInstance(Args({})));
    CMainFrame* frame = app.MainFrame();
    app.Document()->GetRadio().SetName(2, "MINE");
    app.Document()->SetModifiedFlag(true);
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    QApplication::setActiveWindow(&elsewhere);

    SeenBox seen;
    AnswerNextBox(seen, QMessageBox::No);
    QProcess second;
    Prepare(second);
    QSignalSpy finished(&second, &QProcess::finished);
    QSignalSpy state(app.Document(), &CKTM220Doc::StateChanged);
    second.start(Program(), {QString::fromStdString(path)});
    // The running copy answers from its own event loop.
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(second.exitCode(), 0);
    while (app.Document()->GetTitle() != QLatin1String("handed.vkf"))
        ASSERT_TRUE(state.wait(20000)) << "the file was never opened";
    EXPECT_EQ(seen.text, "Save changes to Untitled?");
    EXPECT_EQ(frame->View()->CellText(1, 3), "HANDED");
    EXPECT_FALSE(app.Document()->IsModified());
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), frame);

    // A broken file: the running copy says why; the second copy has done its
    // part and ends as usual.
    const std::string broken = File("broken.vkf");
    WriteFileBytes(broken, "nonsense\r\n");
    SeenBox failure;
    AnswerNextBox(failure, QMessageBox::Ok);
    QProcess third;
    Prepare(third);
    QSignalSpy thirdFinished(&third, &QProcess::finished);
    third.start(Program(), {QString::fromStdString(broken)});
    ASSERT_TRUE(thirdFinished.wait(20000));
    EXPECT_EQ(third.exitCode(), 0);
    for (int i = 0; i < 100 && !failure.shown; ++i)
        ASSERT_TRUE(state.wait(20000) || failure.shown);
    EXPECT_EQ(failure.text, "Unexpected file format.");
    EXPECT_EQ(app.Document()->GetTitle(), "handed.vkf") << "the open file stays";
}

// A file handed over while a dialog holds the window waits for the dialog.
TEST_F(AppHandOver, AHandedOverFileWaitsForTheOpenDialog) {
    const std::string path = DataFile("later.vkf", "LATER");
    CKTM220App app;
    ASSERT_TRUE(app.InitInstance(Args({})));
    QDialog dialog(app.MainFrame());
    bool openWhileDialog = false;
    QProcess second;
    Prepare(second);
    QObject::connect(&second, &QProcess::finished, &dialog, [&] {
        // The running copy took the file before the second copy ended; its
        // opening is already queued ahead of this look.
        QTimer::singleShot(0, &dialog, [&] {
            openWhileDialog = app.Document()->GetTitle() == QLatin1String("later.vkf");
            dialog.accept();
        });
    });
    QTimer::singleShot(0, &dialog,
                       [&] { second.start(Program(), {QString::fromStdString(path)}); });
    dialog.exec();
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_FALSE(openWhileDialog);
    QSignalSpy state(app.Document(), &CKTM220Doc::StateChanged);
    while (app.Document()->GetTitle() != QLatin1String("later.vkf"))
        ASSERT_TRUE(state.wait(20000)) << "the file was never opened";
}

// No running copy listens: the file is not lost in silence.
TEST_F(AppHandOver, AFailedHandOverIsSaid) {
    CSingleInstance running; // holds the lock but does not listen
    ASSERT_TRUE(running.IsFirst());
    const QString reason = CSingleInstance::HandOver({QStringLiteral("/x.vkf")}, {});
    EXPECT_FALSE(reason.isEmpty());

    CKTM220App app;
    SeenBox seen;
    AnswerNextBox(seen, QMessageBox::Ok);
    EXPECT_FALSE(app.InitInstance(Args({"/x.vkf"})));
    EXPECT_EQ(app.ExitCode(), 1);
    EXPECT_EQ(seen.text, "/x.vkf could not be handed to the KT-M220 that is running.");
}

// Another program that connects and sends nonsense, or nothing, holds up
// neither the running copy nor a real hand-over after it.
TEST_F(AppHandOver, ABrokenOrSilentCallerDoesNotHoldUpTheHandOver) {
    CSingleInstance running;
    ASSERT_TRUE(running.IsFirst());
    QStringList files;
    QByteArray token;
    ASSERT_EQ(running.Listen([&](const QStringList& f, const QByteArray& t) {
        files = f;
        token = t;
    }),
              QString());
    RawSocket broken(CSingleInstance::SocketPath());
    RawSocket greedy(CSingleInstance::SocketPath());
    RawSocket silent(CSingleInstance::SocketPath());
    ASSERT_TRUE(broken.Connected() && greedy.Connected() && silent.Connected());
    broken.Send(std::string("\xff\xff\xff\xffnonsense", 12));
    // A length far beyond any message is refused before anything is reserved.
    greedy.Send("99999999:x");

    QString reason = QStringLiteral("not done");
    std::thread later(
        [&] { reason = CSingleInstance::HandOver({QStringLiteral("/a.vkf")}, "tok"); });
    const bool arrived = QTest::qWaitFor([&] { return !files.isEmpty(); }, 20000);
    later.join();
    ASSERT_TRUE(arrived);
    EXPECT_EQ(reason, QString());
    EXPECT_EQ(files, QStringList{QStringLiteral("/a.vkf")});
    EXPECT_EQ(token, "tok");
}

} // namespace kt
