#include "CChannelEntry.h"

#include "CBandPlan.h"
#include "CChoiceList.h"
#include "CMemoryImage.h"
#include "TextFields.h"

#include <array>
#include <string_view>

namespace kt {

namespace {
enum Property { kUnknown = 0, kAll, kAppear, kFrequency, kName, kTxInhibit, kLockout };

constexpr std::array<std::string_view, 7> kPropertyNames = {
    "", "ALL", "APPEAR", "FREQUENCY", "NAME", "TXINHIBIT", "CHLOCKOUT"};
// The properties that "ALL" answers, in its order.
constexpr std::array<Property, 5> kAllProperties = {kAppear, kFrequency, kName, kTxInhibit,
                                                    kLockout};

// The appear list's image values: 1 stands for a channel without frequency.
constexpr unsigned kAppearEmptyValue = 1;
constexpr unsigned kAppearInUseValue = 0;

Property FindProperty(std::string_view word) {
    for (std::size_t i = 1; i < kPropertyNames.size(); ++i)
        if (EqualsNoCase(word, kPropertyNames[i]))
            return static_cast<Property>(i);
    return kUnknown;
}

std::uint8_t BcdByte(long value) {
    return static_cast<std::uint8_t>((((value / 10) % 10) << 4) | (value % 10));
}

long NibbleDigits(std::uint8_t byte) {
    return (byte >> 4) * 10L + (byte & 0x0F);
}
} // namespace

CChannelEntry::CChannelEntry(const CChannelPosition& position, CBandPlan& bandPlan,
                             const CChoiceList& appear, const CChoiceList& txInhibit,
                             const CChoiceList& lockout)
    : position_(position), bandPlan_(&bandPlan), appearList_(&appear), txInhibitList_(&txInhibit),
      lockoutList_(&lockout), appear_(appear), txInhibit_(txInhibit), lockout_(lockout) {
    name_.SetLimits(kNameLength, kNameLength);
    name_.SetMode(CTextValue::kModeChannelName);
}

bool CChannelEntry::RecordAddress(std::uint32_t& address) const {
    const int kind = position_.Kind();
    const int index = position_.Index();
    if (kind == CChannelPosition::kKindNone || index < 0 ||
        index >= CChannelPosition::SlotCount(kind))
        return false;
    // The VFO record comes first and memory channel n follows as record n.
    address = kVfoRecordAddress + kRecordSize * static_cast<std::uint32_t>(position_.LinearIndex());
    return true;
}

bool CChannelEntry::Appears() const {
    return appear_.Text() == "ON";
}

void CChannelEntry::Sync(SyncDirection direction, CMemoryImage& image) {
    std::uint32_t base = 0;
    if (RecordAddress(base)) {
        if (direction == SyncDirection::Decode)
            Decode(image, base);
        else
            Encode(image, base);
    }
    synced_ = true;
}

void CChannelEntry::Decode(const CMemoryImage& image, std::uint32_t base) {
    const std::uint8_t b0 = image.GetByte(base);
    long hz = 0;
    if (b0 != kErasedByte) {
        // Six digits of kHz; a nibble above 9 counts at face value.
        const long khz = NibbleDigits(b0) * 10000 + NibbleDigits(image.GetByte(base + 1)) * 100 +
                         NibbleDigits(image.GetByte(base + 2));
        hz = khz * 1000;
        // The record drops the last 500 Hz of the 12.5 kHz and 8.33 kHz steps;
        // every ten steps of 500 Hz meet a multiple of 5000, so this ends.
        while (hz % 5000 != 0 && hz % 12500 != 0)
            hz += 500;
    }
    frequency_.SetHz(hz);
    appear_.SelectValue(hz == 0 ? kAppearEmptyValue : kAppearInUseValue);
    txInhibit_.SelectValue(static_cast<unsigned>(image.GetBit(base + kFlagsOffset, kTxInhibitBit)));
    lockout_.SelectValue(static_cast<unsigned>(image.GetBit(base + kFlagsOffset, kLockoutBit)));

    std::array<std::uint8_t, kNameLength> name{};
    image.Read(base + kNameOffset, name.data(), name.size());
    if (name[0] == kErasedByte)
        name_.Set(std::string());
    else
        name_.Set(std::string(name.begin(), name.end()));
}

void CChannelEntry::Encode(CMemoryImage& image, std::uint32_t base) {
    const long hz = frequency_.Hz();
    if (hz != 0) {
        image.SetByte(base, BcdByte(hz / 10000000));
        image.SetByte(base + 1, BcdByte((hz / 100000) % 100));
        image.SetByte(base + 2, BcdByte((hz / 1000) % 100));
    }
    appear_.SelectText(hz != 0 ? "ON" : "OFF");
    image.SetBit(base + kFlagsOffset, kTxInhibitBit, txInhibit_.Value() != 0);
    image.SetBit(base + kFlagsOffset, kLockoutBit, lockout_.Value() != 0);

    const std::string& name = name_.Get();
    const bool present = name.find_first_not_of(' ') != std::string::npos;
    image.SetBit(base + kFlagsOffset, kNamePresentBit, present);
    std::array<std::uint8_t, kNameLength> bytes;
    bytes.fill(' ');
    for (std::size_t i = 0; i < bytes.size() && i < name.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(name[i]);
    image.Write(base + kNameOffset, bytes.data(), bytes.size());
}

void CChannelEntry::Heal(bool safety) {
    if (position_.IsMemoryAfterFirst()) {
        if (appear_.Text() == "OFF")
            name_.Set(std::string());
    } else {
        // The VFO and memory channel 1 are never empty.
        appear_.SelectText("ON");
    }
    frequency_.SetHz(bandPlan_->Legalize(frequency_.Hz()));
    if (safety && !IsLegal())
        synced_ = false;
}

bool CChannelEntry::IsLegal() const {
    return bandPlan_->Contains(frequency_.Hz());
}

void CChannelEntry::CopyFrom(const CChannelEntry& other) {
    frequency_.SetHz(other.Hz());
    appear_.SelectText(other.AppearText());
    txInhibit_.SelectText(other.TxInhibitText());
    lockout_.SelectText(other.LockoutText());
    name_.Set(other.Name());
    Heal(false);
}

std::string CChannelEntry::Handle(const std::string& command) {
    return HandleProperty(command, false);
}

std::string CChannelEntry::HandleProperty(const std::string& command, bool insideAll) {
    const std::string key = Field(command, '=', 0);
    const std::string value = Remainder(command, '=', 1);
    const Property property = FindProperty(Field(key, '.', 0));
    const std::string valuePart = Remainder(key, '.', 1) + "=" + value;

    switch (property) {
    case kAppear: {
        std::string answer = appear_.Command(valuePart);
        if (appear_.Text() == "OFF")
            frequency_.SetHz(0);
        return answer;
    }
    case kFrequency:
        return frequency_.Command(valuePart);
    case kName:
        return name_.Command(valuePart);
    case kTxInhibit:
        return txInhibit_.Command(valuePart);
    case kLockout:
        return lockout_.Command(valuePart);
    case kAll: {
        // An "ALL" inside "ALL" is ignored: it could only nest ever deeper.
        if (insideAll)
            return {};
        if (!value.empty()) {
            std::size_t start = 0;
            while (start <= value.size()) {
                const std::size_t tab = value.find('\t', start);
                const std::size_t end = tab == std::string::npos ? value.size() : tab;
                if (end == start)
                    break;
                HandleProperty(value.substr(start, end - start), true);
                if (tab == std::string::npos)
                    break;
                start = tab + 1;
            }
        }
        std::string answer;
        for (const Property p : kAllProperties) {
            if (!answer.empty())
                answer += '\t';
            const std::string name(kPropertyNames[static_cast<std::size_t>(p)]);
            answer += name + "=" + HandleProperty(name, true);
        }
        return answer;
    }
    default:
        return {};
    }
}

} // namespace kt
