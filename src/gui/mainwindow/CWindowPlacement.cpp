#include "CWindowPlacement.h"

#include "CSettingsStore.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

CWindowPlacement CWindowPlacement::Load() {
    CWindowPlacement p;
    CSettingsStore store;
    using namespace SettingsKey;
    const int left = store.GetInt(kWindowSection, kLeft, p.normal.x());
    const int top = store.GetInt(kWindowSection, kTop, p.normal.y());
    const int width = store.GetInt(kWindowSection, kWidth, p.normal.width());
    const int height = store.GetInt(kWindowSection, kHeight, p.normal.height());
    p.normal = QRect(left, top, width, height);
    p.showState = store.GetInt(kWindowSection, kCmdShow, kShowDefault);
    return p;
}

CWindowPlacement CWindowPlacement::Of(const QWidget& window) {
    CWindowPlacement p;
    p.normal = window.isMaximized() || window.isMinimized() || window.isFullScreen()
                   ? window.normalGeometry()
                   : window.geometry();
    if (window.isMinimized())
        p.showState = kShowMinimized;
    else if (window.isMaximized())
        p.showState = kShowMaximized;
    else
        p.showState = kShowNormal;
    return p;
}

void CWindowPlacement::Save() const {
    CSettingsStore store;
    using namespace SettingsKey;
    store.WriteInt(kWindowSection, kLeft, normal.x());
    store.WriteInt(kWindowSection, kTop, normal.y());
    store.WriteInt(kWindowSection, kWidth, normal.width());
    store.WriteInt(kWindowSection, kHeight, normal.height());
    store.WriteInt(kWindowSection, kCmdShow, showState);
    store.Sync();
}

namespace {
// Enough of the window to take hold of it with the mouse.
constexpr int kMinimumShown = 24;
} // namespace

QRect CWindowPlacement::VisibleNormal() const {
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (const QScreen* screen : screens) {
        const QRect shown = screen->availableVirtualGeometry().intersected(normal);
        if (shown.width() >= kMinimumShown && shown.height() >= kMinimumShown)
            return normal;
    }
    if (screens.isEmpty())
        return normal;
    return QRect(QPoint(5, 5), normal.size());
}
