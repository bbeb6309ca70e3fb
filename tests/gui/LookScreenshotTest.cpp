#include "AppTestSupport.h"
#include "DarkPalette.h"

#include "CAboutDlg.h"
#include "CAdvancedPage.h"
#include "CCloneProgressDlg.h"
#include "CCommonPage.h"
#include "CDemoTransceiver.h"
#include "CEditMemoryDlg.h"
#include "CHelpWindow.h"
#include "CInformationDlg.h"
#include "CKTM220Doc.h"
#include "CKTM220View.h"
#include "CMainFrame.h"
#include "CPortDevicesDlg.h"
#include "CSettingSheet.h"
#include "CSplashDlg.h"

#include <QApplication>
#include <QDir>
#include <QImageWriter>
#include <QMenu>
#include <QStatusBar>

#include <memory>
#include <optional>

// Renders every window and dialog of the program to PNG files, for the
// documentation sets at other scales and colour schemes. Not part of the
// normal run: scripts/screenshots runs it with --gtest_also_run_disabled_tests,
// KT_SCREENSHOT_DIR set to the folder of the set, QT_SCALE_FACTOR for the
// scale and KT_SCREENSHOT_SCHEME=dark for the dark colour scheme.
namespace {
QString ShotPath(const char* name) {
    return QDir(qEnvironmentVariable("KT_SCREENSHOT_DIR")).filePath(QLatin1String(name));
}

// The window's own area only, packed as tightly as PNG allows.
bool Save(QWidget* widget, const char* name) {
    QImageWriter writer(ShotPath(name), "png");
    writer.setQuality(0);
    return writer.write(widget->grab().toImage());
}

class LookScreenshot : public AppTest {};
} // namespace

TEST_F(LookScreenshot, DISABLED_RenderWindows) {
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("KT_SCREENSHOT_DIR"));
    QDir().mkpath(qEnvironmentVariable("KT_SCREENSHOT_DIR"));
    std::optional<DarkPalette> dark;
    if (qEnvironmentVariable("KT_SCREENSHOT_SCHEME") == QLatin1String("dark"))
        dark.emplace();

    const QString image = QString::fromStdString(File("demo.vkf"));
    ASSERT_TRUE(CDemoTransceiver::WriteDemoImage(image));
    CKTM220Doc doc;
    CMainFrame frame(doc);
    ASSERT_TRUE(doc.OnOpenDocument(image).ok);
    frame.resize(720, 480);
    frame.show();
    QApplication::setActiveWindow(&frame);
    frame.View()->setFocus();
    QCoreApplication::processEvents();
    frame.View()->SelectChannel(3);
    frame.SetMessageText(QStringLiteral(" Cloning completed."));
    EXPECT_TRUE(Save(&frame, "main-window.png"));

    if (QMenu* popup = frame.View()->PopupMenu()) {
        popup->popup(frame.mapToGlobal(QPoint(40, 120)));
        EXPECT_TRUE(Save(popup, "popup-menu.png"));
        popup->hide();
    }

    {
        CEditMemoryDlg edit(doc.GetRadio(), 3, &frame);
        edit.show();
        EXPECT_TRUE(Save(&edit, "edit-memory.png"));
    }
    {
        CEditMemoryDlg empty(doc.GetRadio(), 12, &frame);
        empty.show();
        EXPECT_TRUE(Save(&empty, "edit-memory-empty.png"));
    }

    const char* const pages[] = {"settings-common.png", "settings-advanced.png"};
    for (int page = 0; page < 2; ++page) {
        CSettingSheet sheet(&frame, page);
        CCommonPage common(&doc.GetRadio());
        CAdvancedPage advanced(&doc.GetRadio());
        sheet.AddPage(&common);
        sheet.AddPage(&advanced);
        sheet.show();
        EXPECT_TRUE(Save(&sheet, pages[page]));
        sheet.hide();
    }

    {
        CCloneProgressDlg progress(&frame);
        ASSERT_TRUE(progress.Create());
        progress.SetPos(60);
        EXPECT_TRUE(Save(&progress, "progress.png"));
    }
    {
        CInformationDlg information(&frame);
        information.SetModel(QStringLiteral("VR-M220"));
        information.SetComment(QString::fromLatin1(CDemoTransceiver::kComment));
        information.show();
        EXPECT_TRUE(Save(&information, "information.png"));
    }
    {
        CAboutDlg about(&frame);
        about.show();
        EXPECT_TRUE(Save(&about, "about.png"));
    }

    CSplashDlg::EnableBanner(true);
    frame.ShowBanner();
    ASSERT_NE(CSplashDlg::Banner(), nullptr);
    EXPECT_TRUE(Save(CSplashDlg::Banner(), "banner.png"));
    CSplashDlg::Banner()->HideBanner();
    CSplashDlg::EnableBanner(false);

    {
        CPortDevicesDlg::Devices devices;
        CPortDevicesDlg ports(devices, &frame);
        ports.show();
        EXPECT_TRUE(Save(&ports, "port-devices.png"));
    }

    frame.OnHelpContents();
    ASSERT_NE(frame.HelpWindow(), nullptr);
    EXPECT_TRUE(Save(frame.HelpWindow(), "help.png"));
    if (dark) {
        // The page with tables of messages, whose colours matter most.
        frame.HelpWindow()->ShowPage(QStringLiteral("messages.html"));
        EXPECT_TRUE(Save(frame.HelpWindow(), "help-messages.png"));
    }
    frame.HelpWindow()->close();
    doc.SetModifiedFlag(false);
}
