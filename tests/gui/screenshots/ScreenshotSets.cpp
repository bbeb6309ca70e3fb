#include "ScreenshotSets.h"

#include "CAboutDlg.h"
#include "CEditMemoryDlg.h"
#include "CKTM220Doc.h"
#include "CKTM220View.h"
#include "CMainFrame.h"
#include "CPortDevicesDlg.h"
#include "CSplashDlg.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QTemporaryDir>
#include <QWidget>
#include <QWindow>

namespace kt {

namespace {
// The window as the screen shows it, frame and title included, once the
// window manager has framed and drawn it (at most two seconds).
QPixmap GrabWithFrame(QWidget* widget) {
    const bool framed = widget->windowType() != Qt::Popup && widget->windowType() != Qt::ToolTip &&
                        widget->windowType() != Qt::SplashScreen;
    const QDeadlineTimer deadline(2000);
    while (!deadline.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        const QWindow* window = widget->windowHandle();
        if (window && window->isExposed() &&
            (!framed || widget->frameGeometry() != widget->geometry()))
            break;
    }
    // Let the last paint reach the server before the screen is read.
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    const QRect area = widget->frameGeometry();
    return widget->screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
}

// A by-id link to the cable device in /dev/serial/by-id where this user may
// make one (and removes what it made), else in a folder of its own.
class CableLink {
public:
    explicit CableLink(const QString& device) {
        if (device.isEmpty())
            return;
        const QString name = QStringLiteral("usb-Airband_Clone_Cable_KT0001-if00-port0");
        const QString byId = QStringLiteral("/dev/serial/by-id");
        madeSerial_ = !QDir(QStringLiteral("/dev/serial")).exists();
        madeById_ = !QDir(byId).exists();
        if (QDir().mkpath(byId) && QFile::link(device, byId + '/' + name)) {
            folder_ = QStringLiteral("/dev");
            link_ = byId + '/' + name;
            return;
        }
        RemoveMadeFolders();
        if (own_.isValid() && QDir(own_.path()).mkpath(QStringLiteral("serial/by-id")) &&
            QFile::link(device, own_.path() + QStringLiteral("/serial/by-id/") + name)) {
            folder_ = own_.path();
            link_ = own_.path() + QStringLiteral("/serial/by-id/") + name;
        }
    }
    ~CableLink() {
        if (folder_ == QLatin1String("/dev")) {
            QFile::remove(link_);
            RemoveMadeFolders();
        }
    }
    const QString& Folder() const { return folder_; }
    const QString& Link() const { return link_; }

private:
    void RemoveMadeFolders() {
        if (madeById_)
            QDir().rmdir(QStringLiteral("/dev/serial/by-id"));
        if (madeSerial_)
            QDir().rmdir(QStringLiteral("/dev/serial"));
    }

    QTemporaryDir own_;
    QString folder_ = QStringLiteral("/dev");
    QString link_;
    bool madeSerial_ = false;
    bool madeById_ = false;
};
} // namespace

bool ScreenshotSets::Save(QWidget* widget, const QString& folder, const char* name) {
    QImageWriter writer(QDir(folder).filePath(QLatin1String(name)), "png");
    writer.setQuality(0);
    const bool onScreen =
        QGuiApplication::platformName() == QLatin1String("xcb") && widget->isWindow();
    return writer.write(onScreen ? GrabWithFrame(widget).toImage() : widget->grab().toImage());
}

void ScreenshotSets::RenderAboutBannerAndPorts(CMainFrame& frame, const QString& folder,
                                               QStringList& failures, const QString& cableDevice) {
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
        const CableLink cable(cableDevice);
        CPortDevicesDlg::Devices devices;
        // COM1 is the cable, chosen by its lasting name.
        devices[0] = cable.Link();
        CPortDevicesDlg ports(devices, &frame, cable.Folder());
        ports.show();
        save(&ports, "port-devices.png");
    }
}

void ScreenshotSets::RenderEditing(CMainFrame& frame, CKTM220Doc& doc, const QString& folder,
                                   QStringList& failures) {
    const auto save = [&](QWidget* widget, const char* name) {
        if (!Save(widget, folder, name))
            failures << QString::fromLatin1(name);
    };
    if (QMenu* popup = frame.View()->PopupMenu()) {
        popup->popup(frame.mapToGlobal(QPoint(40, 120)));
        save(popup, "popup-menu.png");
        popup->hide();
    }
    {
        CEditMemoryDlg edit(doc.GetRadio(), 3, &frame);
        edit.show();
        save(&edit, "edit-memory.png");
        // A frequency outside the airband, and what the radio will hold.
        if (auto* frequency = edit.findChild<QLineEdit*>(QStringLiteral("frequencyEdit"))) {
            frequency->setText(QStringLiteral("1215"));
            save(&edit, "edit-memory-stored.png");
        }
    }
    {
        CEditMemoryDlg empty(doc.GetRadio(), 12, &frame);
        empty.show();
        save(&empty, "edit-memory-empty.png");
    }
}

} // namespace kt
