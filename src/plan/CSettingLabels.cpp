#include "CSettingLabels.h"

#include "CM220Radio.h"
#include "TextFields.h"

namespace kt {

namespace {
using Getter = std::string (CM220Radio::*)();

// A tick box, ticked when the setting answers ticked.
std::function<std::string(CM220Radio&)> Tick(Getter get, const char* ticked) {
    return [get, ticked](CM220Radio& radio) {
        return std::string((radio.*get)() == ticked ? CSettingLabels::kTicked
                                                    : CSettingLabels::kClear);
    };
}

// A list of two items: first when the setting answers value, else second.
std::function<std::string(CM220Radio&)> Either(Getter get, const char* value, const char* first,
                                               const char* second) {
    return [=](CM220Radio& radio) { return std::string((radio.*get)() == value ? first : second); };
}

std::function<std::string(CM220Radio&)> Text(Getter get) {
    return [get](CM220Radio& radio) { return (radio.*get)(); };
}

// The LCD Backlight list stands for the backlight and its dimmer together.
std::string LcdBacklight(CM220Radio& radio) {
    if (radio.GetLcdBacklight() == "OFF")
        return "Off";
    return radio.GetLcdDimmer() == "LOW" ? "Low" : "High";
}

std::string DimmerWhileOff(CM220Radio& radio) {
    if (radio.GetLcdBacklight() != "OFF")
        return {};
    return std::string("dimmer ") + (radio.GetLcdDimmer() == "LOW" ? "Low" : "High");
}

// The channel the Priority CH list shows: it offers channel 1 and the
// channels in use, so priority scanning off, or a channel it does not offer,
// shows "Off".
long OfferedPriorityChannel(CM220Radio& radio) {
    if (radio.GetPriorityScan() != "ON")
        return 0;
    const long n = LeadingDigits(radio.GetPriorityChannel());
    if (n < 1 || n > CM220Radio::kChannelCount)
        return 0;
    return n != 1 && radio.IsChannelEmpty(static_cast<int>(n)) ? 0 : n;
}

std::string PriorityChannel(CM220Radio& radio) {
    const long n = OfferedPriorityChannel(radio);
    return n == 0 ? std::string("Off") : std::to_string(n);
}

std::string PriorityWhileOff(CM220Radio& radio) {
    if (OfferedPriorityChannel(radio) != 0)
        return {};
    const std::string channel = "channel " + radio.GetPriorityChannel();
    return radio.GetPriorityScan() == "ON" ? "on, empty " + channel : channel;
}

// The Channel Spacing list: anything but the two single rasters is the
// combined one.
std::string ChannelSpacing(CM220Radio& radio) {
    const std::string spacing = radio.GetChannelSpacing();
    return spacing == "8.33kHz" || spacing == "25kHz" ? spacing : std::string("25k/8.33kHz");
}
} // namespace

std::string CSettingLabels::Setting::Compared(CM220Radio& radio) const {
    const std::string value = shown(radio);
    const std::string more = hidden ? hidden(radio) : std::string();
    return more.empty() ? value : value + " (" + more + ")";
}

const std::vector<CSettingLabels::Setting>& CSettingLabels::All() {
    constexpr Page kCommon = Page::Common;
    constexpr Page kAdvanced = Page::Advanced;
    using R = CM220Radio;
    static const std::vector<Setting> table = {
        {kCommon, "Operation Beep", {"BEEP"}, Tick(&R::GetBeep, "ON"), {}},
        {kCommon, "Up/Down Key Beep", {"BEEP_UDKEY"}, Tick(&R::GetBeepUpDownKey, "ON"), {}},
        {kCommon, "Side Tone", {"SIDETONE"}, Tick(&R::GetSideTone, "ON"), {}},
        {kCommon,
         "Indication Mode",
         {"INDICATEMODE"},
         Either(&R::GetIndicationMode, "FREQ", "Freq", "Text"),
         {}},
        {kCommon, "LCD Backlight", {"LCD_BACKLIGHT", "LCD_DIMMER"}, LcdBacklight, DimmerWhileOff},
        {kCommon, "Scan Function", {"SCAN_FUNCTION"}, Tick(&R::GetScanFunction, "ON"), {}},
        {kCommon, "Hanger Scan", {"SCAN_HANGER"}, Tick(&R::GetHangerScan, "ON"), {}},
        {kCommon,
         "Scan Mode",
         {"SCAN_MODE"},
         Either(&R::GetScanMode, "NORMAL", "Normal", "Prio"),
         {}},
        {kCommon, "Priority CH", {"SCAN_PRIO", "PRIOCH"}, PriorityChannel, PriorityWhileOff},
        {kCommon, "Opening Text", {"OPENING_TEXT"}, Text(&R::GetOpeningText), {}},
        {kAdvanced, "Adjust Mode Enable", {"ADJ_ENABLE"}, Tick(&R::GetAdjustEnable, "ENABLE"), {}},
        {kAdvanced,
         "VFO Mode Enable",
         {"VFOMODE_ENABLE"},
         Tick(&R::GetVfoModeEnable, "ENABLE"),
         {}},
        // Ticked when transmitting in VFO mode is allowed: the inhibit is off.
        {kAdvanced, "VFO Tx Enable", {"VFOTX_INHIBIT"}, Tick(&R::GetVfoTxInhibit, "DISABLE"), {}},
        {kAdvanced,
         "Memory Write Enable",
         {"MRWRITE_ENABLE"},
         Tick(&R::GetMemoryWriteEnable, "ENABLE"),
         {}},
        {kAdvanced, "Channel Spacing", {"CH_SPACING"}, ChannelSpacing, {}},
        {kAdvanced, "Clone Comment", {"CLONE_COMMENT"}, Text(&R::GetCloneComment), {}},
    };
    return table;
}

} // namespace kt
