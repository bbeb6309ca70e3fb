#include "CCommonSettings.h"

#include "CMemoryImage.h"
#include "TextFields.h"

#include <initializer_list>
#include <string>
#include <utility>

namespace kt {

namespace {
struct Choice {
    const char* text;
    std::uint16_t value;
};

const std::initializer_list<Choice> kEnable = {{"DISABLE", 0}, {"ENABLE", 1}};
const std::initializer_list<Choice> kOnOff = {{"OFF", 0}, {"ON", 1}};

struct ChoiceSetting {
    const char* name;
    std::uint32_t address;
    int startBit;
    int width;
    std::initializer_list<Choice> choices;
};

// The switch and selection settings, in the transceiver's table order.
const ChoiceSetting kChoiceSettings[] = {
    {"ADJ_ENABLE", CCommonSettings::kPermissionsAddress, 7, 1, kEnable},
    {"CH_SPACING",
     CCommonSettings::kPermissionsAddress,
     6,
     2,
     {{"25kHz", 0}, {"8.33kHz", 1}, {"25k/8.33kHz", 2}}},
    {"VFOMODE_ENABLE", CCommonSettings::kPermissionsAddress, 4, 1, kEnable},
    {"VFOTX_INHIBIT", CCommonSettings::kVfoFlagsAddress, 7, 1, kEnable},
    {"MRWRITE_ENABLE", CCommonSettings::kPermissionsAddress, 3, 1, kEnable},
    {"INDICATEMODE", CCommonSettings::kFunctionsAddress, 7, 1, {{"FREQ", 0}, {"TEXT", 1}}},
    {"BEEP", CCommonSettings::kFunctionsAddress, 6, 1, kOnOff},
    {"BEEP_UDKEY", CCommonSettings::kFunctionsAddress, 5, 1, kOnOff},
    {"SIDETONE", CCommonSettings::kFunctionsAddress, 4, 1, kOnOff},
    {"SCAN_FUNCTION", CCommonSettings::kFunctionsAddress, 3, 1, kOnOff},
    {"SCAN_MODE", CCommonSettings::kFunctionsAddress, 2, 1, {{"NORMAL", 0}, {"PRIO", 1}}},
    {"SCAN_HANGER", CCommonSettings::kFunctionsAddress, 1, 1, kOnOff},
    {"SCAN_PRIO", CCommonSettings::kFunctionsAddress, 0, 1, kOnOff},
    {"LCD_BACKLIGHT", CCommonSettings::kDisplayAddress, 7, 1, kOnOff},
    {"LCD_DIMMER", CCommonSettings::kDisplayAddress, 6, 1, {{"LOW", 0}, {"HIGH", 1}}},
};

// The priority channel is stored as channel number - 1.
constexpr int kPriorityChannels = 20;
constexpr int kPriorityDefault = 1;

std::unique_ptr<CSettingItem> MakeChoiceSetting(const ChoiceSetting& setting) {
    auto item = std::make_unique<CSettingItem>();
    item->SetKind("BITNUM");
    item->SetName(setting.name);
    item->SetAddress(setting.address);
    item->SetStartBit(setting.startBit);
    item->SetWidth(setting.width);
    CChoiceList& list = *item->Choices();
    list.SetCount(static_cast<int>(setting.choices.size()));
    int i = 0;
    for (const Choice& choice : setting.choices)
        list.SetEntry(i++, choice.text, choice.value);
    list.SetDefaultIndex(0);
    return item;
}

std::unique_ptr<CSettingItem> MakePriorityChannel() {
    auto item = std::make_unique<CSettingItem>();
    item->SetKind("SELNUM");
    item->SetName("PRIOCH");
    item->SetAddress(CCommonSettings::kPriorityChannelAddress);
    item->SetStartBit(7);
    item->SetWidth(8);
    CNumberList& list = *item->Numbers();
    list.SetRange(0, kPriorityChannels - 1);
    for (int n = 0; n < kPriorityChannels; ++n)
        list.SetText(n, std::to_string(n + 1));
    list.SetDefault(kPriorityDefault);
    return item;
}

std::unique_ptr<CSettingItem> MakeTextSetting(const char* name, std::uint32_t address, int length) {
    auto item = std::make_unique<CSettingItem>();
    item->SetKind("MEMNAME");
    item->SetName(name);
    item->SetAddress(address);
    item->SetStartBit(7);
    item->SetWidthBytes(length);
    item->Text()->SetLimits(length, length);
    item->Text()->SetMode(CTextValue::kModeAny);
    return item;
}
} // namespace

CCommonSettings::CCommonSettings() {
    for (const ChoiceSetting& setting : kChoiceSettings)
        Add(MakeChoiceSetting(setting));
    Add(MakePriorityChannel());
    Add(MakeTextSetting("OPENING_TEXT", kOpeningTextAddress, kOpeningTextLength));
    Add(MakeTextSetting("CLONE_COMMENT", kCloneCommentAddress, kCloneCommentLength));
}

void CCommonSettings::Add(std::unique_ptr<CSettingItem> item) {
    if (item)
        items_.push_back(std::move(item));
}

CSettingItem* CCommonSettings::Find(const std::string& name) {
    for (auto& item : items_)
        if (EqualsNoCase(item->Name(), name))
            return item.get();
    return nullptr;
}

void CCommonSettings::Sync(CMemoryImage& image) {
    Sync(synced_ ? SyncDirection::Encode : SyncDirection::Decode, image);
}

void CCommonSettings::Sync(SyncDirection direction, CMemoryImage& image) {
    for (auto& item : items_)
        item->Sync(direction, image);
    synced_ = true;
}

std::string CCommonSettings::Handle(const std::string& command) {
    const std::string key = Field(command, '=', 0);
    if (!EqualsNoCase(Field(key, '.', 0), "COMMON"))
        return {};
    CSettingItem* item = Find(Field(key, '.', 1));
    if (item == nullptr)
        return {};
    const std::string value = Field(command, '=', 1);
    return item->Command(Field(key, '.', 2) + "=" + value);
}

} // namespace kt
