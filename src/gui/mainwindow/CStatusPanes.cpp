#include "CStatusPanes.h"

#include "CStringTable.h"
#include "CommandIds.h"

#include <QLabel>
#include <QStatusBar>

namespace kt {

namespace {
constexpr int kPaneIds[CStatusPanes::kPaneCount] = {
    StringId::kIndicatorCaps, StringId::kIndicatorNum, StringId::kIndicatorScroll,
    StringId::kBlankPane};
constexpr int kPanePadding = 12;
// What a screen reader calls the three lock key panes, which are blank while
// their key is off.
constexpr const char* kLockKeyNames[] = {"Caps Lock", "Num Lock", "Scroll Lock"};

QString SpokenLockKey(int index, bool on, bool known = true) {
    if (!known)
        return QString::fromLatin1(kLockKeyNames[index]);
    return QString::fromLatin1(kLockKeyNames[index]) +
           (on ? QStringLiteral(" on") : QStringLiteral(" off"));
}
} // namespace

CStatusPanes::CStatusPanes(QStatusBar& bar) : QObject(&bar) {
    idle_ = new QLabel(CStringTable::Text(StringId::kIdleMessage), &bar);
    bar.addWidget(idle_, 1);
    for (int i = 0; i < kPaneCount; ++i) {
        auto* pane = new QLabel(&bar);
        const QString text = CStringTable::Text(kPaneIds[i]);
        // Each pane is as wide as its text, whether the text shows or not.
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(text) + kPanePadding);
        pane->setAlignment(Qt::AlignCenter);
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        if (kPaneIds[i] == StringId::kBlankPane)
            pane->setText(text);
        else
            pane->setAccessibleName(SpokenLockKey(i, false));
        bar.addPermanentWidget(pane);
        panes_[static_cast<std::size_t>(i)] = pane;
    }
}

void CStatusPanes::ShowLockKeys(const CLockKeyState& state) {
    const bool on[3] = {state.caps, state.num, state.scroll};
    for (int i = 0; i < 3; ++i) {
        QLabel* pane = panes_[static_cast<std::size_t>(i)];
        const bool shown = state.known && on[i];
        pane->setText(shown ? CStringTable::Text(kPaneIds[i]) : QString());
        pane->setAccessibleName(SpokenLockKey(i, shown, state.known));
    }
    shown_ = state;
}

} // namespace kt
