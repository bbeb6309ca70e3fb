#pragma once

#include "CChannelEntry.h"
#include "CChannelPosition.h"
#include "CChoiceList.h"

#include <array>
#include <memory>
#include <string>

namespace kt {

class CBandPlan;
class CClipboardSlot;
class CCommandText;
class CMemoryImage;

// The VFO and the 20 memory channels, decoded, and the engine's channel
// commands "CH.<kind>.<n>.<operation or property>": Heal, IsLegal, Copy, Paste,
// Insert, Delete, Clear (with their CHECK forms) and the entry properties.
class CChannelTable {
public:
    static constexpr int kEntryCount = CChannelPosition::kLinearCount;

    CChannelTable(CBandPlan& bandPlan, CClipboardSlot& clipboard);
    ~CChannelTable();
    CChannelTable(const CChannelTable&) = delete;
    CChannelTable& operator=(const CChannelTable&) = delete;

    // The entry of a slot (walk order: 0 = VFO, n = memory channel n). A
    // position without a slot gives a detached entry that no command reaches
    // and whose sync touches no image byte.
    CChannelEntry& EntryAt(const CChannelPosition& position);
    CChannelEntry& EntryAt(int linearIndex);

    // Decodes the entry when it is not synced, encodes it when it is.
    void SyncEntry(const CChannelPosition& position, CMemoryImage& image);
    void UnsyncAll();

    // Takes a recognised "CH.VFO.1." or "CH.MCH.<n>." prefix off the command
    // text and answers the command; empties the text when it answers. Answers
    // the empty text (and leaves the text alone) when there is no valid prefix.
    std::string Handle(CCommandText& command);

    const CChoiceList& AppearList() const { return appearList_; }
    const CChoiceList& TxInhibitList() const { return txInhibitList_; }
    const CChoiceList& LockoutList() const { return lockoutList_; }

private:
    std::string Operate(int op, bool check, CChannelEntry& entry, const std::string& command);

    CBandPlan& bandPlan_;
    CClipboardSlot& clipboard_;
    CChoiceList appearList_;
    CChoiceList txInhibitList_;
    CChoiceList lockoutList_;
    std::array<std::unique_ptr<CChannelEntry>, kEntryCount> entries_;
    std::unique_ptr<CChannelEntry> detached_;
};

} // namespace kt
