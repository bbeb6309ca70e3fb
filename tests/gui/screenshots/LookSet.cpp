#include "ScreenshotSets.h"

#include "CAboutDlg.h"
#include "CAdvancedPage.h"
#include "CCloneProgressDlg.h"
#include "CCommonPage.h"
#include "CDemoTransceiver.h"
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

namespace kt {

void ScreenshotSets::RenderLook(const QString& folder, const QString& work, bool dark,
                                QStringList& failures) {
    const auto save = [&](QWidget* widget, const char* name) {
        if (!Save(widget, folder, name))
            failures << QString::fromLatin1(name);
    };
    const QString image = QDir(work).filePath(QStringLiteral("demo.vkf"));
    CKTM220Doc doc;
    CMainFrame frame(doc);
    if (!CDemoTransceiver::WriteDemoImage(image) || !doc.OnOpenDocument(image).ok) {
        failures << QStringLiteral("the demonstration image could not be opened");
        return;
    }
    frame.resize(720, 480);
    frame.show();
    QApplication::setActiveWindow(&frame);
    frame.View()->setFocus();
    QCoreApplication::processEvents();
    frame.View()->SelectChannel(3);
    frame.SetMessageText(QStringLiteral(" Cloning completed."));
    save(&frame, "main-window.png");

    RenderEditing(frame, doc, folder, failures);

    const char* const pages[] = {"settings-common.png", "settings-advanced.png"};
    for (int page = 0; page < 2; ++page) {
        CSettingSheet sheet(&frame, page);
        CCommonPage common(&doc.GetRadio());
        CAdvancedPage advanced(&doc.GetRadio());
        sheet.AddPage(&common);
        sheet.AddPage(&advanced);
        sheet.show();
        save(&sheet, pages[page]);
        sheet.hide();
    }

    {
        CCloneProgressDlg progress(&frame);
        if (progress.Create()) {
            progress.SetPos(60);
            save(&progress, "progress.png");
        } else {
            failures << QStringLiteral("progress.png");
        }
    }
    {
        CInformationDlg information(&frame);
        information.SetModel(QStringLiteral("VR-M220"));
        information.SetComment(QString::fromLatin1(CDemoTransceiver::kComment));
        information.show();
        save(&information, "information.png");
    }
    RenderAboutBannerAndPorts(frame, folder, failures);

    frame.OnHelpContents();
    CHelpWindow* help = frame.HelpWindow();
    if (!help) {
        failures << QStringLiteral("help.png");
        return;
    }
    save(help, "help.png");
    if (dark) {
        // The page with tables of messages, whose colours matter most.
        help->ShowPage(QStringLiteral("messages.html"));
        save(help, "help-messages.png");
    }
    help->close();
    doc.SetModifiedFlag(false);
}

} // namespace kt
