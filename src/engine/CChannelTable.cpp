#include "CChannelTable.h"

#include "CBandPlan.h"
#include "CClipboardSlot.h"
#include "CCommandText.h"
#include "CMemoryImage.h"
#include "TextFields.h"

#include <array>
#include <string_view>

namespace kt {

namespace {
enum Operation { kProperty = 0, kHeal, kIsLegal, kCopy, kPaste, kInsert, kDelete, kClear };

constexpr std::array<std::string_view, 8> kOperationNames = {"",      "Heal",   "IsLegal", "Copy",
                                                             "Paste", "Insert", "Delete",  "Clear"};

const char* const kOk = "OK";
const char* const kRefused = "NG";
const char* const kWarning = "WARNING";
const char* const kAppearOff = "APPEAR=OFF";

// The three lists every channel entry chooses from. The appear list's image
// values are reversed: 1 means that the record holds no frequency.
void FillOffOn(CChoiceList& list, std::uint16_t offValue, std::uint16_t onValue) {
    list.SetCount(2);
    list.SetEntry(0, "OFF", offValue);
    list.SetEntry(1, "ON", onValue);
    list.SetDefaultIndex(0);
}

Operation FindOperation(std::string_view word) {
    for (std::size_t i = 1; i < kOperationNames.size(); ++i)
        if (EqualsNoCase(word, kOperationNames[i]))
            return static_cast<Operation>(i);
    return kProperty;
}
} // namespace

CChannelTable::CChannelTable(CBandPlan& bandPlan, CClipboardSlot& clipboard)
    : bandPlan_(bandPlan), clipboard_(clipboard) {
    FillOffOn(appearList_, 1, 0);
    FillOffOn(txInhibitList_, 0, 1);
    FillOffOn(lockoutList_, 0, 1);

    CChannelPosition position;
    for (auto& entry : entries_) {
        position.Next();
        entry = std::make_unique<CChannelEntry>(position, bandPlan_, appearList_, txInhibitList_,
                                                lockoutList_);
    }
    detached_ = std::make_unique<CChannelEntry>(CChannelPosition(), bandPlan_, appearList_,
                                                txInhibitList_, lockoutList_);
    clipboard_.Bind(bandPlan_, appearList_, txInhibitList_, lockoutList_);
}

CChannelTable::~CChannelTable() {
    // The clipboard's entry refers to this table's lists.
    clipboard_.Unbind();
}

CChannelEntry& CChannelTable::EntryAt(const CChannelPosition& position) {
    const int kind = position.Kind();
    if (kind == CChannelPosition::kKindNone || position.Index() < 0 ||
        position.Index() >= CChannelPosition::SlotCount(kind))
        return *detached_;
    return EntryAt(position.LinearIndex());
}

CChannelEntry& CChannelTable::EntryAt(int linearIndex) {
    if (linearIndex < 0 || linearIndex >= kEntryCount)
        return *detached_;
    return *entries_[static_cast<std::size_t>(linearIndex)];
}

void CChannelTable::SyncEntry(const CChannelPosition& position, CMemoryImage& image) {
    CChannelEntry& entry = EntryAt(position);
    entry.Sync(entry.Synced() ? SyncDirection::Encode : SyncDirection::Decode, image);
}

void CChannelTable::UnsyncAll() {
    for (auto& entry : entries_)
        entry->SetSynced(false);
}

std::string CChannelTable::Handle(CCommandText& command) {
    CChannelPosition position;
    std::string text = command.Text();
    position.ParsePrefix(text);
    if (position.Kind() == CChannelPosition::kKindNone)
        return {};
    command.SetText(text);

    const std::string head = Field(text, "=", 0);
    const Operation op = FindOperation(Field(head, '.', 0));
    const bool check = EqualsNoCase(Field(head, '.', 1), "CHECK");
    std::string answer = Operate(op, check, EntryAt(position), text);
    if (!answer.empty())
        command.Clear();
    return answer;
}

std::string CChannelTable::Operate(int op, bool check, CChannelEntry& entry,
                                   const std::string& command) {
    const bool shiftable = entry.Position().IsMemoryAfterFirst();
    const int n = entry.Position().LinearIndex();
    constexpr int last = CChannelPosition::kMemoryChannelCount;

    switch (op) {
    case kProperty:
        return entry.Handle(command);
    case kHeal:
        entry.Heal(false);
        return kOk;
    case kIsLegal:
        return entry.IsLegal() ? kOk : kRefused;
    case kCopy:
        if (!check)
            clipboard_.Hold(entry);
        return kOk;
    case kPaste: {
        const CChannelEntry* held = clipboard_.Entry();
        if (held == nullptr || (!held->Appears() && !shiftable))
            return kRefused;
        if (check)
            return entry.Appears() ? kWarning : kOk;
        entry.CopyFrom(*held);
        return kOk;
    }
    case kInsert:
        if (!shiftable)
            return kRefused;
        if (check)
            return EntryAt(last).Appears() ? kWarning : kOk;
        for (int i = last; i > n; --i)
            EntryAt(i).CopyFrom(EntryAt(i - 1));
        entry.Handle(kAppearOff);
        entry.Heal(false);
        return kOk;
    case kDelete:
        if (!shiftable)
            return kRefused;
        if (check)
            return entry.Appears() ? kWarning : kOk;
        for (int i = n + 1; i <= last; ++i)
            EntryAt(i - 1).CopyFrom(EntryAt(i));
        EntryAt(last).Handle(kAppearOff);
        EntryAt(last).Heal(false);
        return kOk;
    case kClear:
        if (!shiftable)
            return kRefused;
        if (check)
            return kOk;
        entry.Handle(kAppearOff);
        entry.Heal(false);
        return kOk;
    default:
        return {};
    }
}

} // namespace kt
