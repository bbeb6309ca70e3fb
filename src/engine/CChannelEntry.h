#pragma once

#include "CChannelPosition.h"
#include "CFrequencyValue.h"
#include "CSelectValue.h"
#include "CTextValue.h"
#include "SyncDirection.h"

#include <cstdint>
#include <string>

namespace kt {

class CBandPlan;
class CChoiceList;
class CMemoryImage;

// One decoded channel (the VFO or a memory channel): frequency, whether it is
// in use, name, transmit inhibit and scan lockout. Its 16-byte record lies at
// 0x050 for the VFO and 0x060 + 16 * (n - 1) for memory channel n.
class CChannelEntry {
public:
    static constexpr std::uint32_t kVfoRecordAddress = 0x050;
    static constexpr std::uint32_t kRecordSize = 16;
    static constexpr std::uint32_t kFlagsOffset = 3;
    static constexpr std::uint32_t kNameOffset = 5;
    static constexpr int kNameLength = 7;
    static constexpr int kTxInhibitBit = 7;
    static constexpr int kLockoutBit = 6;
    static constexpr int kNamePresentBit = 5;
    static constexpr std::uint8_t kErasedByte = 0xFF;

    // The lists are the channel table's; the entry only refers to them.
    CChannelEntry(const CChannelPosition& position, CBandPlan& bandPlan, const CChoiceList& appear,
                  const CChoiceList& txInhibit, const CChoiceList& lockout);
    CChannelEntry(const CChannelEntry&) = delete;
    CChannelEntry& operator=(const CChannelEntry&) = delete;

    const CChannelPosition& Position() const { return position_; }
    // Address of the record in the image; false for a position without a record.
    bool RecordAddress(std::uint32_t& address) const;

    // Decode (image -> entry) or encode (entry -> image); marks the entry synced.
    void Sync(SyncDirection direction, CMemoryImage& image);
    // Normalises the entry: emptied memory channels lose their name, the VFO and
    // memory channel 1 always appear, the frequency is clamped and snapped.
    // With safety an entry whose frequency is still not legal becomes not synced.
    void Heal(bool safety);
    bool IsLegal() const;
    // Takes over the other entry's values, then heals without safety.
    void CopyFrom(const CChannelEntry& other);
    // The property commands: ALL, APPEAR, FREQUENCY, NAME, TXINHIBIT, CHLOCKOUT
    // (any case) with optional value selector and value. Empty for anything else.
    std::string Handle(const std::string& command);

    bool Synced() const { return synced_; }
    void SetSynced(bool synced) { synced_ = synced; }

    long Hz() const { return frequency_.Hz(); }
    bool Appears() const;
    const std::string& Name() const { return name_.Get(); }
    const std::string& AppearText() const { return appear_.Text(); }
    const std::string& TxInhibitText() const { return txInhibit_.Text(); }
    const std::string& LockoutText() const { return lockout_.Text(); }

    CBandPlan& BandPlan() const { return *bandPlan_; }
    const CChoiceList& AppearList() const { return *appearList_; }
    const CChoiceList& TxInhibitList() const { return *txInhibitList_; }
    const CChoiceList& LockoutList() const { return *lockoutList_; }

private:
    std::string HandleProperty(const std::string& command, bool insideAll);
    void Decode(const CMemoryImage& image, std::uint32_t base);
    void Encode(CMemoryImage& image, std::uint32_t base);

    CChannelPosition position_;
    CBandPlan* bandPlan_;
    const CChoiceList* appearList_;
    const CChoiceList* txInhibitList_;
    const CChoiceList* lockoutList_;
    bool synced_ = false;
    CFrequencyValue frequency_;
    CSelectValue appear_;
    CSelectValue txInhibit_;
    CSelectValue lockout_;
    CTextValue name_;
};

} // namespace kt
