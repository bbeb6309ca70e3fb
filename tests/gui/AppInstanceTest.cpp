#include "AppTestSupport.h"

#include "CAboutDlg.h"
#include "CKTM220App.h"
#include "CKTM220Doc.h"
#include "CKTM220View.h"
#include "CMainFrame.h"
#include "CSingleInstance.h"
#include "CSplashDlg.h"
#include "CommandIds.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLockFile>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace kt {

namespace {
using namespace CommandId;

QStringList Args(std::initializer_list<const char*> args) {
    QStringList list{QStringLiteral("kt-m220")};
    for (const char* a : args)
        list << QString::fromUtf8(a);
    return list;
}

class AppInstance : public AppTest {};

// How much wider the whole window is than its inside on this platform (the
// offscreen platform draws a thin frame of its own).
int FrameWidth() {
    QWidget probe;
    probe.show();
    return probe.frameGeometry().width() - probe.geometry().width();
}
} // namespace

TEST_F(AppInstance, ASecondCopyEndsAtOnceWithoutAWord) {
    CSingleInstance first;
    ASSERT_TRUE(first.IsFirst());

    ASSERT_TRUE(std::filesystem::exists(DesktopProgramPath())) << "build kt-m220 first";
    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    second.setProcessEnvironment(env);
    second.start(QString::fromStdString(DesktopProgramPath()), {});
    ASSERT_TRUE(second.waitForFinished(10000)) << "it must end by itself";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(second.readAllStandardOutput(), "");
    EXPECT_FALSE(std::filesystem::exists(SettingsFile())) << "it touched nothing";

    // In the same way inside one process.
    CKTM220App app;
    EXPECT_FALSE(app.InitInstance(Args({})));
    EXPECT_EQ(app.ExitCode(), 0);
    EXPECT_EQ(app.MainFrame(), nullptr);
}

TEST_F(AppInstance, TheLockOfACrashedCopyIsTakenOver) {
    const QString path = CSingleInstance::LockFilePath();
    EXPECT_TRUE(path.startsWith(QString::fromStdString(RuntimeFolder())));
    const pid_t child = fork();
    if (child == 0) {
        QLockFile lock(path);
        lock.tryLock(0);
        _exit(0); // ends without releasing it
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(QFile::exists(path));
    CSingleInstance next;
    EXPECT_TRUE(next.IsFirst());
}

TEST_F(AppInstance, PortAndPlacementSurviveARestart) {
    {
        CKTM220App app;
        ASSERT_TRUE(app.InitInstance(Args({})));
        CMainFrame* frame = app.MainFrame();
        EXPECT_TRUE(frame->Action(kPortCom1)->isChecked()) << "a fresh profile";
        // The placement is the whole window, frame included.
        EXPECT_EQ(frame->frameGeometry(), QRect(5, 5, 500, 300));
        frame->Action(kPortCom1 + 2)->trigger();
        frame->setGeometry(40, 50, 640, 420);
        ASSERT_TRUE(frame->close());
        app.ExitInstance();
    }
    {
        CKTM220App app;
        ASSERT_TRUE(app.InitInstance(Args({})));
        CMainFrame* frame = app.MainFrame();
        EXPECT_TRUE(frame->Action(kPortCom1 + 2)->isChecked());
        EXPECT_EQ(app.Document()->GetCloneComm().GetPortNumber(), 3u);
        EXPECT_EQ(frame->geometry(), QRect(40, 50, 640, 420));
        EXPECT_FALSE(frame->isMaximized());
        // Ends maximized: the normal rectangle is kept, and it starts maximized.
        frame->showMaximized();
        ASSERT_TRUE(frame->close());
        app.ExitInstance();
    }
    QSettings settings(QString::fromStdString(SettingsFile()), QSettings::IniFormat);
    EXPECT_EQ(settings.value("Window Position/CmdShow").toInt(), 3);
    EXPECT_EQ(settings.value("Window Position/Width").toInt(), 640 + FrameWidth());
    EXPECT_TRUE(settings.contains("Window Position/ToolBarState"));
    {
        CKTM220App app;
        ASSERT_TRUE(app.InitInstance(Args({})));
        EXPECT_TRUE(app.MainFrame()->StartedMaximized());
        EXPECT_TRUE(app.MainFrame()->isMaximized());
        ASSERT_TRUE(app.MainFrame()->close());
        app.ExitInstance();
    }
    // Started and ended maximized, it keeps the same normal rectangle.
    EXPECT_EQ(QSettings(QString::fromStdString(SettingsFile()), QSettings::IniFormat)
                  .value("Window Position/Width")
                  .toInt(),
              640 + FrameWidth());
}

TEST_F(AppInstance, AWindowLeftOnAMissingScreenComesBack) {
    {
        QSettings settings(QString::fromStdString(SettingsFile()), QSettings::IniFormat);
        settings.setValue("Window Position/Left", 30000);
        settings.setValue("Window Position/Top", -20000);
    }
    CKTM220App app;
    ASSERT_TRUE(app.InitInstance(Args({})));
    EXPECT_EQ(app.MainFrame()->frameGeometry(), QRect(5, 5, 500, 300));
}

TEST_F(AppInstance, ACancelledCloseKeepsTheWindowAndSavesThePlacement) {
    CKTM220App app;
    ASSERT_TRUE(app.InitInstance(Args({})));
    CMainFrame* frame = app.MainFrame();
    app.Document()->SetModifiedFlag(true);
    frame->setGeometry(60, 70, 600, 400);
    SeenBox seen;
    AnswerNextBox(seen, 0x00400000); // QMessageBox::Cancel
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(seen.text, "Save changes to Untitled?");
    EXPECT_TRUE(frame->isVisible());
    QSettings settings(QString::fromStdString(SettingsFile()), QSettings::IniFormat);
    EXPECT_EQ(settings.value("Window Position/Left").toInt(), frame->frameGeometry().left());
    EXPECT_EQ(settings.value("Window Position/Width").toInt(), frame->frameGeometry().width());
}

TEST_F(AppInstance, TemporaryFilesAreGoneAfterANormalEnd) {
    std::string cloneFile, workFile;
    {
        CKTM220App app;
        ASSERT_TRUE(app.InitInstance(Args({})));
        cloneFile = app.Document()->CloneFilePath();
        workFile = app.Document()->GetRadio().TempPath();
        EXPECT_EQ(std::filesystem::path(cloneFile).parent_path(), TempFolder());
        ASSERT_TRUE(std::filesystem::exists(cloneFile));
        ASSERT_TRUE(std::filesystem::exists(workFile));
        ASSERT_TRUE(app.MainFrame()->close());
    }
    EXPECT_FALSE(std::filesystem::exists(cloneFile));
    EXPECT_FALSE(std::filesystem::exists(workFile));
    EXPECT_TRUE(std::filesystem::is_empty(TempFolder()));
}

TEST_F(AppInstance, AFileOnTheCommandLineIsOpened) {
    const std::string path = File("start.vkf");
    {
        CKTM220Doc doc;
        doc.OnNewDocument();
        doc.GetRadio().SetName(1, "START");
        ASSERT_TRUE(doc.OnSaveDocument(QString::fromStdString(path)).ok);
    }
    CKTM220App app;
    ASSERT_TRUE(app.InitInstance(Args({path.c_str()})));
    EXPECT_EQ(app.Document()->GetTitle(), "start.vkf");
    EXPECT_EQ(app.MainFrame()->View()->CellText(1, 3), "START");
    EXPECT_FALSE(app.Document()->IsModified());
}

TEST_F(AppInstance, AFileThatCannotBeOpenedEndsTheStart) {
    const std::string path = File("broken.vkf");
    WriteFileBytes(path, "nonsense\r\n");
    CKTM220App app;
    SeenBox seen;
    AnswerNextBox(seen, 0x00000400); // QMessageBox::Ok
    EXPECT_FALSE(app.InitInstance(Args({path.c_str()})));
    EXPECT_EQ(seen.text, "Unexpected file format.");
    EXPECT_NE(app.ExitCode(), 0);
}

TEST(AppCommandLine, Options) {
    const struct {
        std::vector<const char*> args;
        bool run;
        int exitCode;
        const char* file;
        bool demo;
    } cases[] = {
        {{}, true, 0, "", false},
        {{"--demo"}, true, 0, "", true},
        {{"radio.vkf", "--demo"}, true, 0, "radio.vkf", true},
        {{"--help"}, false, 0, "", false},
        {{"--version"}, false, 0, "", false},
        {{"a.vkf", "b.vkf"}, false, 2, "", false},
        {{"--no-such-option"}, false, 2, "", false},
    };
    for (const auto& c : cases) {
        QStringList args{QStringLiteral("kt-m220")};
        for (const char* a : c.args)
            args << QString::fromUtf8(a);
        SCOPED_TRACE(args.join(' ').toStdString());
        CKTM220App::Options options;
        QString message;
        int exitCode = -1;
        EXPECT_EQ(CKTM220App::ParseCommandLine(args, options, message, exitCode), c.run);
        EXPECT_EQ(exitCode, c.exitCode);
        if (c.run) {
            EXPECT_EQ(options.file.toStdString(), c.file);
            EXPECT_EQ(options.demo, c.demo);
        } else {
            EXPECT_FALSE(message.isEmpty());
        }
    }
}

TEST_F(AppInstance, TheBannerComesAfterTheWindowAndAKeyHidesIt) {
    CKTM220App app;
    ASSERT_TRUE(app.InitInstance(Args({})));
    CMainFrame* frame = app.MainFrame();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(CSplashDlg::Banner(), nullptr) << "not before the window is up";
    QApplication::processEvents();
    CSplashDlg* banner = CSplashDlg::Banner();
    ASSERT_NE(banner, nullptr);
    EXPECT_TRUE(banner->isVisible());
    EXPECT_FALSE(banner->isModal());
    EXPECT_EQ(banner->windowTitle(), "Cloning Software For VR-M220");
    EXPECT_TRUE(frame->isEnabled()) << "the window stays usable";
    bool revisionShown = false;
    for (QLabel* label : banner->findChildren<QLabel*>())
        revisionShown |= label->text() == "KT-M220 Rev.1.0";
    EXPECT_TRUE(revisionShown);

    // The key that hides the banner goes no further: the selection stays.
    CKTM220View* view = frame->View();
    ASSERT_EQ(view->CurrentChannel(), 1);
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(CSplashDlg::Banner(), nullptr);
    EXPECT_EQ(view->CurrentChannel(), 1);
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(view->CurrentChannel(), 2) << "later keys work";
}

TEST_F(AppInstance, AClickHidesTheBannerAndIsConsumed) {
    CSplashDlg::EnableBanner(true);
    QWidget owner;
    owner.show();
    QPushButton button(QStringLiteral("Press"));
    button.show();
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&clicks] { ++clicks; });
    CSplashDlg::ShowBanner(&owner);
    ASSERT_NE(CSplashDlg::Banner(), nullptr);
    CSplashDlg::ShowBanner(&owner); // one banner at a time
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(CSplashDlg::Banner(), nullptr);
    EXPECT_EQ(clicks, 0);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    // A shortcut key is consumed as well. (Of a key chord such as Ctrl+N, the
    // first key down, Ctrl, is the one consumed.)
    QAction action(&owner);
    action.setShortcut(QKeySequence(Qt::Key_F5));
    owner.addAction(&action);
    int triggered = 0;
    QObject::connect(&action, &QAction::triggered, [&triggered] { ++triggered; });
    CSplashDlg::ShowBanner(&owner);
    QApplication::setActiveWindow(&owner);
    ASSERT_EQ(QApplication::activeWindow(), &owner);
    QTest::keyClick(&owner, Qt::Key_F5);
    EXPECT_EQ(CSplashDlg::Banner(), nullptr);
    EXPECT_EQ(triggered, 0);
    QTest::keyClick(&owner, Qt::Key_F5);
    EXPECT_EQ(triggered, 1) << "the next press reaches the shortcut";
}

TEST_F(AppInstance, AboutOpensFromTheHelpMenuAndClosesWithOk) {
    CKTM220App app;
    ASSERT_TRUE(app.InitInstance(Args({})));
    if (CSplashDlg* banner = CSplashDlg::Banner())
        banner->HideBanner();
    QString title;
    QStringList texts;
    AnswerNextModal([&](QWidget* modal) {
        title = modal->windowTitle();
        for (QLabel* label : modal->findChildren<QLabel*>())
            texts << label->text();
        auto* ok = modal->findChild<QPushButton*>(QStringLiteral("okButton"));
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(ok->text(), "OK");
        ok->click();
    });
    app.MainFrame()->Action(kAppAbout)->trigger();
    EXPECT_EQ(title, "About KT-M220");
    EXPECT_TRUE(texts.contains("KT-M220 Rev.1.0"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace kt
