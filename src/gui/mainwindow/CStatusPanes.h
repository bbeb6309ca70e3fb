#pragma once

#include "CLockKeyState.h"

#include <QObject>
#include <array>

class QLabel;
class QStatusBar;

namespace kt {

// The status bar's panes beside the message pane: CAP, NUM and SCRL, shown
// while their lock key is on, and a blank pane of six spaces. A screen reader
// hears each lock key pane as the key and its state ("Caps Lock off").
class CStatusPanes : public QObject {
    Q_OBJECT

public:
    // Adds the idle text ("Ready") and the four panes to bar.
    explicit CStatusPanes(QStatusBar& bar);

    // Shows state in the three indicator panes.
    void ShowLockKeys(const CLockKeyState& state);
    const CLockKeyState& ShownLockKeys() const { return shown_; }

    QLabel* IdleLabel() const { return idle_; }
    // Index 0 to 3: CAP, NUM, SCRL and the blank pane.
    QLabel* Pane(int index) const { return panes_[static_cast<std::size_t>(index)]; }
    static constexpr int kPaneCount = 4;

private:
    QLabel* idle_ = nullptr;
    std::array<QLabel*, kPaneCount> panes_{};
    CLockKeyState shown_;
};

} // namespace kt
