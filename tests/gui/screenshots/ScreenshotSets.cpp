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
#include <cstdlib>
#include <memory>
#include <optional>
#include <xcb/xcb.h>

namespace kt {

namespace {
// An X reply, freed with the C library's free as xcb asks.
template <class Reply> using XReply = std::unique_ptr<Reply, decltype(&std::free)>;

// Where the window manager's frame around widget's window stands on the
// screen: the window's outermost ancestor below the root, once the manager
// has reparented the window into it. Nothing before then, or off X.
std::optional<QRect> ManagerFrame(QWidget* widget) {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || widget->windowHandle() == nullptr)
        return std::nullopt;
    xcb_connection_t* connection = x11->connection();
    const auto client = static_cast<xcb_window_t>(widget->winId());
    xcb_window_t frame = client;
    xcb_window_t root = XCB_NONE;
    for (int depth = 0; depth < 8; ++depth) {
        XReply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(connection, xcb_query_tree(connection, frame), nullptr),
            &std::free);
        if (!tree)
            return std::nullopt;
        root = tree->root;
        if (tree->parent == root || tree->parent == XCB_NONE)
            break;
        frame = tree->parent;
    }
    if (frame == client)
        return std::nullopt;
    XReply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, frame), nullptr),
        &std::free);
    XReply<xcb_translate_coordinates_reply_t> origin(
        xcb_translate_coordinates_reply(
            connection, xcb_translate_coordinates(connection, frame, root, 0, 0), nullptr),
        &std::free);
    if (!geometry || !origin)
        return std::nullopt;
    const int border = geometry->border_width;
    return QRect(origin->dst_x - border, origin->dst_y - border, geometry->width + 2 * border,
                 geometry->height + 2 * border);
}

// The window as the screen shows it, frame and title included, once the
// window manager has framed it and the window is drawn (at most five
// seconds). The frame is asked of the X server itself: Qt's own idea of
// the frame may still be the unframed window when the manager was slow.
QPixmap GrabWithFrame(QWidget* widget) {
    const bool framed = widget->windowType() != Qt::Popup && widget->windowType() != Qt::ToolTip &&
                        widget->windowType() != Qt::SplashScreen;
    const QDeadlineTimer deadline(5000);
    std::optional<QRect> frame;
    while (!deadline.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        const QWindow* window = widget->windowHandle();
        if (window == nullptr || !window->isExposed())
            continue;
        if (!framed)
            break;
        if ((frame = ManagerFrame(widget)))
            break;
    }
    // Let the last paint, the window's and the manager's, reach the screen.
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    if (framed && (frame = ManagerFrame(widget)))
        return widget->screen()->grabWindow(0, frame->x(), frame->y(), frame->width(),
                                            frame->height());
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
