#pragma once

#include "CChannelEntry.h"

#include <memory>
#include <string>

namespace kt {

class CBandPlan;
class CChoiceList;

// The one-channel clipboard behind the channel Copy and Paste commands. It is
// empty or holds one memory channel (with the position it was copied from).
class CClipboardSlot {
public:
    static constexpr int kKindEmpty = 0;
    static constexpr int kKindMemoryChannel = 1;

    int Kind() const { return entry_ ? kKindMemoryChannel : kKindEmpty; }
    bool IsEmpty() const { return !entry_; }
    // "EMPTY" or "MEMORY_CH", any case. "MEMORY_CH" makes a fresh entry at the
    // current entry's position (the VFO when there is none), bound to the band
    // plan and lists given to Bind. An unknown name, or "MEMORY_CH" before Bind,
    // changes nothing and answers false.
    bool SetKind(const std::string& name);

    // Holds a fresh entry at source's position, copied from source.
    void Hold(const CChannelEntry& source);
    void Clear() { entry_.reset(); }
    // The held entry, or null when empty.
    const CChannelEntry* Entry() const { return entry_.get(); }

    // The band plan and lists that fresh entries are bound to; the channel
    // table binds its own and unbinds (and empties the slot) when it goes.
    void Bind(CBandPlan& bandPlan, const CChoiceList& appear, const CChoiceList& txInhibit,
              const CChoiceList& lockout);
    void Unbind();

private:
    std::unique_ptr<CChannelEntry> entry_;
    CBandPlan* bandPlan_ = nullptr;
    const CChoiceList* appear_ = nullptr;
    const CChoiceList* txInhibit_ = nullptr;
    const CChoiceList* lockout_ = nullptr;
};

} // namespace kt
