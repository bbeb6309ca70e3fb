#include "CM220Radio.h"

#include "CM220Rig.h"
#include "TextFields.h"

#include <algorithm>
#include <cstdio>

namespace kt {

namespace {
// An empty text cannot be sent (the engine ignores an empty value); one blank
// clears a text instead.
std::string TextToSend(const std::string& value) {
    std::string text = TrimRight(value);
    return text.empty() ? std::string(" ") : text;
}

} // namespace

CM220Radio::CM220Radio() {
    ResetIdentity();
}

std::string CM220Radio::GetModelComment() const {
    const CIdentityRecord& id = GetIdentity();
    return std::string(reinterpret_cast<const char*>(id.data.data()) + 3, 16);
}

bool CM220Radio::CheckIdentity(const CIdentityRecord& identity, bool checkOnly) {
    if (identity.model != kModelCode || identity.revision != kRevisionCode)
        return false;
    if (checkOnly)
        return true;
    AcceptIdentity(identity);
    const std::size_t n = std::min<std::size_t>(identity.length, identity.data.size());
    std::copy_n(identity.data.begin(), n, Identity().data.begin());
    return false;
}

void CM220Radio::ResetIdentity() {
    CIdentityRecord& id = Identity();
    id.model = kModelCode;
    id.revision = kRevisionCode;
    id.length = 16;
    for (int i = 0; i < 16; ++i)
        id.data[i] = 0x20;
}

void CM220Radio::CreateRig() {
    ReplaceEngine(std::make_unique<CM220Rig>());
}

std::string CM220Radio::ChannelPrefix(int n) {
    if (n < 1 || n > kChannelCount)
        return {};
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "CH.MCH.%u.", static_cast<unsigned>(n));
    return buffer;
}

std::string CM220Radio::Get(const char* key) {
    return Command(key);
}

std::string CM220Radio::Set(const char* key, const std::string& value) {
    return Command(std::string(key) + "=" + value);
}

std::string CM220Radio::ChannelCommand(int n, const char* item) {
    return Command(ChannelPrefix(n) + item);
}

std::string CM220Radio::Heal() {
    return Command("HEAL");
}
std::string CM220Radio::HealChannel(int n) {
    return ChannelCommand(n, "HEAL");
}

std::string CM220Radio::GetLegalMark(int n) {
    return ChannelCommand(n, "ISLEGAL") == "NG" ? "?" : "";
}

std::string CM220Radio::GetAppear(int n) {
    return ChannelCommand(n, "APPEAR");
}
std::string CM220Radio::GetFrequency(int n) {
    return ChannelCommand(n, "FREQUENCY");
}
std::string CM220Radio::GetName(int n) {
    return TrimRight(ChannelCommand(n, "NAME"));
}
std::string CM220Radio::GetTxInhibit(int n) {
    return ChannelCommand(n, "TXINHIBIT");
}
std::string CM220Radio::GetLockout(int n) {
    return ChannelCommand(n, "CHLOCKOUT");
}

std::string CM220Radio::SetAppear(int n, const std::string& value) {
    return Command(ChannelPrefix(n) + "APPEAR=" + value);
}

std::string CM220Radio::SetFrequency(int n, const std::string& value) {
    return Command(ChannelPrefix(n) + "FREQUENCY=" + Trim(value));
}

std::string CM220Radio::SetName(int n, const std::string& value) {
    return Command(ChannelPrefix(n) + "NAME=" + TextToSend(value));
}

std::string CM220Radio::SetTxInhibit(int n, const std::string& value) {
    return Command(ChannelPrefix(n) + "TXINHIBIT=" + value);
}

std::string CM220Radio::SetLockout(int n, const std::string& value) {
    return Command(ChannelPrefix(n) + "CHLOCKOUT=" + value);
}

bool CM220Radio::IsChannelEmpty(int n) {
    return GetAppear(n) == "OFF";
}

bool CM220Radio::CopyChannel(int n, bool check) {
    return ChannelCommand(n, check ? "COPY.CHECK" : "COPY") == "OK";
}

bool CM220Radio::ClearChannel(int n, bool check) {
    return ChannelCommand(n, check ? "CLEAR.CHECK" : "CLEAR") == "OK";
}

int CM220Radio::ThreeWayAnswer(int n, bool check, const char* checked, const char* plain) {
    const std::string answer = ChannelCommand(n, check ? checked : plain);
    if (answer == "OK")
        return 1;
    if (answer == "NG")
        return 0;
    return 2;
}

int CM220Radio::PasteChannel(int n, bool check) {
    return ThreeWayAnswer(n, check, "PASTE.CHECK", "PASTE");
}

int CM220Radio::DeleteChannel(int n, bool check) {
    return ThreeWayAnswer(n, check, "DELETE.CHECK", "DELETE");
}

int CM220Radio::InsertChannel(int n, bool check) {
    return ThreeWayAnswer(n, check, "INSERT.CHECK", "INSERT");
}

std::string CM220Radio::GetCloneComment() {
    return TrimRight(Get("COMMON.CLONE_COMMENT"));
}

std::string CM220Radio::SetCloneComment(const std::string& value) {
    return Set("COMMON.CLONE_COMMENT", TextToSend(value));
}

std::string CM220Radio::GetBeep() {
    return Get("COMMON.BEEP");
}
std::string CM220Radio::SetBeep(const std::string& v) {
    return Set("COMMON.BEEP", v);
}
std::string CM220Radio::GetBeepUpDownKey() {
    return Get("COMMON.BEEP_UDKEY");
}
std::string CM220Radio::SetBeepUpDownKey(const std::string& v) {
    return Set("COMMON.BEEP_UDKEY", v);
}
std::string CM220Radio::GetSideTone() {
    return Get("COMMON.SIDETONE");
}
std::string CM220Radio::SetSideTone(const std::string& v) {
    return Set("COMMON.SIDETONE", v);
}
std::string CM220Radio::GetScanFunction() {
    return Get("COMMON.SCAN_FUNCTION");
}
std::string CM220Radio::SetScanFunction(const std::string& v) {
    return Set("COMMON.SCAN_FUNCTION", v);
}
std::string CM220Radio::GetHangerScan() {
    return Get("COMMON.SCAN_HANGER");
}
std::string CM220Radio::SetHangerScan(const std::string& v) {
    return Set("COMMON.SCAN_HANGER", v);
}
std::string CM220Radio::GetIndicationMode() {
    return Get("COMMON.INDICATEMODE");
}
std::string CM220Radio::SetIndicationMode(const std::string& v) {
    return Set("COMMON.INDICATEMODE", v);
}
std::string CM220Radio::GetLcdBacklight() {
    return Get("COMMON.LCD_BACKLIGHT");
}
std::string CM220Radio::SetLcdBacklight(const std::string& v) {
    return Set("COMMON.LCD_BACKLIGHT", v);
}
std::string CM220Radio::GetLcdDimmer() {
    return Get("COMMON.LCD_DIMMER");
}
std::string CM220Radio::SetLcdDimmer(const std::string& v) {
    return Set("COMMON.LCD_DIMMER", v);
}
std::string CM220Radio::GetScanMode() {
    return Get("COMMON.SCAN_MODE");
}
std::string CM220Radio::SetScanMode(const std::string& v) {
    return Set("COMMON.SCAN_MODE", v);
}
std::string CM220Radio::GetPriorityChannel() {
    return Get("COMMON.PRIOCH");
}

std::string CM220Radio::SetPriorityChannel(const std::string& value) {
    SetPriorityScan(LeadingDigits(value) == 0 ? "OFF" : "ON");
    return Set("COMMON.PRIOCH", value);
}

std::string CM220Radio::GetPriorityScan() {
    return Get("COMMON.SCAN_PRIO");
}
std::string CM220Radio::SetPriorityScan(const std::string& v) {
    return Set("COMMON.SCAN_PRIO", v);
}

std::string CM220Radio::GetOpeningText() {
    const std::string answer = Get("COMMON.OPENING_TEXT");
    if (!answer.empty() && static_cast<unsigned char>(answer[0]) == 0xFF)
        return {};
    return TrimRight(answer);
}

std::string CM220Radio::SetOpeningText(const std::string& value) {
    std::string text = TrimRight(value);
    if (text.empty())
        text = std::string(1, '\xFF');
    return Set("COMMON.OPENING_TEXT", text);
}

std::string CM220Radio::GetAdjustEnable() {
    return Get("COMMON.ADJ_ENABLE");
}
std::string CM220Radio::SetAdjustEnable(const std::string& v) {
    return Set("COMMON.ADJ_ENABLE", v);
}
std::string CM220Radio::GetChannelSpacing() {
    return Get("COMMON.CH_SPACING");
}
std::string CM220Radio::SetChannelSpacing(const std::string& v) {
    return Set("COMMON.CH_SPACING", v);
}
std::string CM220Radio::GetVfoModeEnable() {
    return Get("COMMON.VFOMODE_ENABLE");
}
std::string CM220Radio::SetVfoModeEnable(const std::string& v) {
    return Set("COMMON.VFOMODE_ENABLE", v);
}
std::string CM220Radio::GetMemoryWriteEnable() {
    return Get("COMMON.MRWRITE_ENABLE");
}
std::string CM220Radio::SetMemoryWriteEnable(const std::string& v) {
    return Set("COMMON.MRWRITE_ENABLE", v);
}
std::string CM220Radio::GetVfoTxInhibit() {
    return Get("COMMON.VFOTX_INHIBIT");
}
std::string CM220Radio::SetVfoTxInhibit(const std::string& v) {
    return Set("COMMON.VFOTX_INHIBIT", v);
}

} // namespace kt
