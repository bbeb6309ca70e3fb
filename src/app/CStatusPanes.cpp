#include "CStatusPanes.h"

#include "CStringTable.h"
#include "CommandIds.h"

#include <QLabel>
#include <QStatusBar>

namespace {
constexpr int kPaneIds[CStatusPanes::kPaneCount] = {
    StringId::kIndicatorCaps, StringId::kIndicatorNum, StringId::kIndicatorScroll,
    StringId::kBlankPane};
constexpr int kPanePadding = 12;
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
        bar.addPermanentWidget(pane);
        panes_[static_cast<std::size_t>(i)] = pane;
    }
}

void CStatusPanes::ShowLockKeys(const CLockKeyState& state) {
    const bool on[3] = {state.caps, state.num, state.scroll};
    for (int i = 0; i < 3; ++i)
        panes_[static_cast<std::size_t>(i)]->setText(on[i] ? CStringTable::Text(kPaneIds[i])
                                                           : QString());
    shown_ = state;
}
