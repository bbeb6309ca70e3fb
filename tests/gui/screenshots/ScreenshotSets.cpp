#include "ScreenshotSets.h"

#include "CAboutDlg.h"
#include "CMainFrame.h"
#include "CPortDevicesDlg.h"
#include "CSplashDlg.h"

#include <QDir>
#include <QImageWriter>
#include <QWidget>

namespace kt {

bool ScreenshotSets::Save(QWidget* widget, const QString& folder, const char* name) {
    QImageWriter writer(QDir(folder).filePath(QLatin1String(name)), "png");
    writer.setQuality(0);
    return writer.write(widget->grab().toImage());
}

void ScreenshotSets::RenderAboutBannerAndPorts(CMainFrame& frame, const QString& folder,
                                               QStringList& failures) {
    const auto save = [&](QWidget* widget, const char* name) {
        if (!Save(widget, folder, name))
            failures << QString::fromLatin1(name);
    };
    {
        CAboutDlg about(&frame);
        about.show();
        save(&about, "about.png");
    }

    CSplashDlg::EnableBanner(true);
    frame.ShowBanner();
    if (CSplashDlg* banner = CSplashDlg::Banner()) {
        save(banner, "banner.png");
        banner->HideBanner();
    } else {
        failures << QStringLiteral("banner.png");
    }
    CSplashDlg::EnableBanner(false);

    {
        CPortDevicesDlg::Devices devices;
        CPortDevicesDlg ports(devices, &frame);
        ports.show();
        save(&ports, "port-devices.png");
    }
}

} // namespace kt
