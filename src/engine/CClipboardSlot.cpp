#include "CClipboardSlot.h"

#include "TextFields.h"

namespace kt {

bool CClipboardSlot::SetKind(const std::string& name) {
    if (EqualsNoCase(name, "EMPTY")) {
        Clear();
        return true;
    }
    if (!EqualsNoCase(name, "MEMORY_CH") || bandPlan_ == nullptr)
        return false;
    const CChannelPosition position =
        entry_ ? entry_->Position() : CChannelPosition(CChannelPosition::kKindVfo, 0);
    entry_ =
        std::make_unique<CChannelEntry>(position, *bandPlan_, *appear_, *txInhibit_, *lockout_);
    return true;
}

void CClipboardSlot::Hold(const CChannelEntry& source) {
    auto fresh =
        std::make_unique<CChannelEntry>(source.Position(), source.BandPlan(), source.AppearList(),
                                        source.TxInhibitList(), source.LockoutList());
    fresh->CopyFrom(source);
    entry_ = std::move(fresh);
}

void CClipboardSlot::Bind(CBandPlan& bandPlan, const CChoiceList& appear,
                          const CChoiceList& txInhibit, const CChoiceList& lockout) {
    bandPlan_ = &bandPlan;
    appear_ = &appear;
    txInhibit_ = &txInhibit;
    lockout_ = &lockout;
}

void CClipboardSlot::Unbind() {
    Clear();
    bandPlan_ = nullptr;
    appear_ = nullptr;
    txInhibit_ = nullptr;
    lockout_ = nullptr;
}

} // namespace kt
