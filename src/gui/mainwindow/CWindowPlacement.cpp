#include "CWindowPlacement.h"

#include "CSettingsStore.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace kt {

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
    // The whole window, frame and title bar included. The normal rectangle of
    // a maximized window is its inside; the frame is taken to be the one it
    // has now.
    const QRect frame = window.frameGeometry();
    const QRect inside = window.geometry();
    const QMargins margins(inside.left() - frame.left(), inside.top() - frame.top(),
                           frame.right() - inside.right(), frame.bottom() - inside.bottom());
    p.normal = window.isMaximized() || window.isMinimized() || window.isFullScreen()
                   ? window.normalGeometry().marginsAdded(margins)
                   : frame;
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
// Room for the title bar at the top of the frame, whatever its exact height.
constexpr int kTitleBarRoom = 32;
} // namespace

QRect CWindowPlacement::VisibleNormal() const {
    const QList<QScreen*> screens = QGuiApplication::screens();
    const QScreen* best = nullptr;
    int bestArea = 0;
    for (const QScreen* screen : screens) {
        const QRect shown = screen->availableGeometry().intersected(normal);
        const int area = shown.width() * shown.height();
        if (shown.width() >= kMinimumShown && shown.height() >= kMinimumShown && area > bestArea) {
            best = screen;
            bestArea = area;
        }
    }
    if (screens.isEmpty())
        return normal;
    if (!best)
        return QRect(QPoint(5, 5), normal.size());
    // The whole title bar stays on the screen that shows most of the window,
    // so that the window can always be taken and moved.
    const QRect area = best->availableGeometry();
    QRect kept = normal;
    kept.moveLeft(std::max(area.left(), std::min(kept.left(), area.right() + 1 - kept.width())));
    kept.moveTop(std::max(area.top(), std::min(kept.top(), area.bottom() + 1 - kTitleBarRoom)));
    return kept;
}

} // namespace kt
