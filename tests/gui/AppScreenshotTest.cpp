#include "AppTestSupport.h"

#include "CAboutDlg.h"
#include "CCloneProgressDlg.h"
#include "CDemoTransceiver.h"
#include "CHelpWindow.h"
#include "CKTM220Doc.h"
#include "CKTM220View.h"
#include "CMainFrame.h"
#include "CPortDevicesDlg.h"
#include "CQtCloneUi.h"
#include "CSplashDlg.h"
#include "CommandIds.h"
#include "SimProcess.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTimer>

// Renders the program's windows to PNG files for the documentation. Not part
// of the normal run: scripts/screenshots runs it with
// --gtest_also_run_disabled_tests and KT_SCREENSHOT_DIR set.
namespace {
QString ShotPath(const char* name) {
    return QDir(qEnvironmentVariable("KT_SCREENSHOT_DIR")).filePath(QLatin1String(name));
}

bool Save(QWidget* widget, const char* name) {
    return widget->grab().save(ShotPath(name));
}

class AppScreenshot : public AppTest {};
} // namespace

TEST_F(AppScreenshot, DISABLED_RenderWindows) {
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("KT_SCREENSHOT_DIR"));
    const std::string image = File("demo.vkf");
    ASSERT_TRUE(CDemoTransceiver::WriteDemoImage(QString::fromStdString(image)));
    // A paced line, so that the progress dialog is there long enough to be seen.
    SimProcess sim({"--image", image, "--slow", "1", "--comment", CDemoTransceiver::kComment});
    ASSERT_FALSE(sim.Device().empty());

    CKTM220Doc doc;
    CMainFrame frame(doc);
    doc.OnNewDocument();
    doc.SetDemoDevice(doc.PortNumber(), QString::fromStdString(sim.Device()));
    frame.resize(720, 480);
    frame.show();

    // The read, with the progress dialog caught half way.
    bool progressSaved = false;
    std::function<void()> watch = [&] {
        const auto dialogs = QApplication::topLevelWidgets();
        for (QWidget* w : dialogs)
            if (auto* progress = qobject_cast<CCloneProgressDlg*>(w))
                if (progress->isVisible() && progress->Pos() >= 50 && !progressSaved)
                    progressSaved = Save(progress, "progress.png");
        if (!progressSaved)
            QTimer::singleShot(5, watch);
    };
    QTimer::singleShot(0, watch);
    EXPECT_EQ(doc.OnCloneRead(), 0);
    EXPECT_TRUE(progressSaved);
    frame.View()->SelectChannel(3);
    EXPECT_TRUE(Save(&frame, "main-window.png"));

    // The Information dialog.
    AnswerNextModal([](QWidget* modal) {
        Save(modal, "information.png");
        modal->close();
    });
    EXPECT_EQ(doc.OnCloneInformation(), 0);

    CAboutDlg about(&frame);
    about.show();
    EXPECT_TRUE(Save(&about, "about.png"));
    about.close();

    CSplashDlg::EnableBanner(true);
    frame.ShowBanner();
    ASSERT_NE(CSplashDlg::Banner(), nullptr);
    EXPECT_TRUE(Save(CSplashDlg::Banner(), "banner.png"));
    CSplashDlg::Banner()->HideBanner();

    CPortDevicesDlg::Devices devices;
    CPortDevicesDlg ports(devices, &frame);
    ports.show();
    EXPECT_TRUE(Save(&ports, "port-devices.png"));

    frame.OnHelpContents();
    ASSERT_NE(frame.HelpWindow(), nullptr);
    EXPECT_TRUE(Save(frame.HelpWindow(), "help.png"));
}
