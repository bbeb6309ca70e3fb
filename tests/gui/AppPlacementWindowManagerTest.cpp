#include "AppTestSupport.h"

#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <csignal>
#include <ostream>

namespace kt {

// Lets the test messages show rectangles as numbers.
void PrintTo(const QRect& r, std::ostream* out) {
    *out << r.x() << ',' << r.y() << ' ' << r.width() << 'x' << r.height();
}

// The main window under a real window manager (openbox on Xvfb), whose frame
// adds a title bar above the window's inside: the placement kept is the whole
// window, and a first start shows the whole title bar. Skipped where Xvfb or
// openbox is not installed.
namespace {
class AppPlacementWindowManager : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("openbox")).isEmpty())
            GTEST_SKIP() << "Xvfb and openbox are needed";
        // Xvfb picks a free display and writes its number on the descriptor given.
        xvfb_.start(QStringLiteral("Xvfb"),
                    {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                     QStringLiteral("0"), QStringLiteral("1024x768x24"),
                     QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        QByteArray number;
        while (!number.contains('\n') && xvfb_.waitForReadyRead(20000))
            number += xvfb_.readAllStandardOutput();
        ASSERT_TRUE(number.contains('\n')) << "Xvfb did not start";
        display_ = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
        // openbox runs the start-up command once it manages the screen.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display_);
        openbox_.setProcessEnvironment(env);
        openbox_.start(QStringLiteral("openbox"),
                       {QStringLiteral("--sm-disable"), QStringLiteral("--startup"),
                        QStringLiteral("echo managing")});
        QByteArray out;
        while (!out.contains("managing") && openbox_.waitForReadyRead(20000))
            out += openbox_.readAllStandardOutput();
        ASSERT_TRUE(out.contains("managing")) << "openbox did not start";
    }
    void TearDown() override {
        for (QProcess* p : {&openbox_, &xvfb_}) {
            if (p->state() != QProcess::NotRunning) {
                p->terminate();
                p->waitForFinished(10000);
            }
        }
        AppTest::TearDown();
    }

    // Runs the program until its window is framed; answers the frame's
    // rectangle as it printed it, after ending it with SIGTERM (which saves
    // the placement).
    QRect RunOnce() {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display_);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("KT_CHILD_WATCH_FRAME"), QStringLiteral("1"));
        program.setProcessEnvironment(env);
        program.start(QString::fromLatin1(KT_BINARY_DIR "/tests/gui/child/ui_unsaved_child"), {});
        QByteArray out;
        while (!out.contains('\n') && program.waitForReadyRead(30000))
            out += program.readAllStandardOutput();
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral(R"(framed (-?\d+) (-?\d+) (\d+) (\d+))"))
                .match(QString::fromLatin1(out));
        ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
        EXPECT_TRUE(program.waitForFinished(20000));
        EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
        if (!m.hasMatch()) {
            ADD_FAILURE() << "no frame: " << out.toStdString();
            return {};
        }
        return QRect(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(),
                     m.captured(4).toInt());
    }

    static QRect Saved() {
        QSettings settings(QString::fromStdString(SettingsFile()), QSettings::IniFormat);
        return QRect(settings.value("Window Position/Left").toInt(),
                     settings.value("Window Position/Top").toInt(),
                     settings.value("Window Position/Width").toInt(),
                     settings.value("Window Position/Height").toInt());
    }

    QProcess xvfb_;
    QProcess openbox_;
    QString display_;
};
} // namespace

TEST_F(AppPlacementWindowManager, TheWholeWindowIsPlacedAndKept) {
    // A first start: the whole window at the default corner, title bar shown.
    const QRect first = RunOnce();
    EXPECT_EQ(first, QRect(5, 5, 500, 300));
    EXPECT_EQ(Saved(), QRect(5, 5, 500, 300));

    // A placement that would put the title bar above the screen is brought
    // down onto it; the one kept is where it was shown.
    {
        QSettings settings(QString::fromStdString(SettingsFile()), QSettings::IniFormat);
        settings.setValue("Window Position/Left", 200);
        settings.setValue("Window Position/Top", -10);
        settings.setValue("Window Position/Width", 600);
        settings.setValue("Window Position/Height", 400);
    }
    const QRect second = RunOnce();
    EXPECT_EQ(second, QRect(200, 0, 600, 400));
    EXPECT_EQ(Saved(), second);

    // Kept and restored again, it stays where it was.
    EXPECT_EQ(RunOnce(), second);
}

// On X11 the lock key panes show what the server's keyboard holds, and follow
// a lock key the moment the server reports it.
TEST_F(AppPlacementWindowManager, LockKeyPanesFollowTheServersKeyboard) {
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("KT_CHILD_LOCK_CAPS"), QStringLiteral("1"));
    program.setProcessEnvironment(env);
    program.start(QString::fromLatin1(KT_BINARY_DIR "/tests/gui/child/ui_unsaved_child"), {});
    QByteArray out;
    while (!out.contains("locks 1 0 0") && program.waitForReadyRead(30000))
        out += program.readAllStandardOutput();
    EXPECT_TRUE(out.startsWith("locks 0 0 0\n")) << out.toStdString();
    EXPECT_TRUE(out.contains("locks 1 0 0")) << "Caps Lock was never seen: " << out.toStdString();
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    EXPECT_TRUE(program.waitForFinished(20000));
}

} // namespace kt
