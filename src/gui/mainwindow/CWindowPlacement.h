#pragma once

#include <QRect>

class QWidget;

namespace kt {

// The main window's placement as the settings keep it ("Window Position"):
// the normal (restored) rectangle of the whole window, frame and title bar
// included, and the show state at close.
struct CWindowPlacement {
    // Show states as the settings store them.
    static constexpr int kShowNormal = 1;
    static constexpr int kShowMinimized = 2;
    static constexpr int kShowMaximized = 3;
    static constexpr int kShowDefault = 5;

    QRect normal{5, 5, 500, 300};
    int showState = kShowDefault;

    // Reads the settings; missing keys keep the defaults above.
    static CWindowPlacement Load();
    // The placement of window now: its normal rectangle and whether it is
    // maximized or minimized.
    static CWindowPlacement Of(const QWidget& window);
    // Writes Left, Top, Width, Height and CmdShow, in this order.
    void Save() const;

    bool IsMaximized() const { return showState == kShowMaximized; }
    // The normal rectangle, moved back to the default corner when it would lie
    // on no screen at all (a monitor that is no longer there), and otherwise
    // moved so that its title bar lies whole on the screen that shows most of
    // it (a window wider than that screen keeps its left end on it).
    QRect VisibleNormal() const;
};

} // namespace kt
