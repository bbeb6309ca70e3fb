#include "CChannelPlan.h"

#include "CM220Radio.h"
#include "TextFields.h"

namespace kt {

namespace {
const char* OnOff(bool on) {
    return on ? "On" : "Off";
}

// The LCD Backlight list stands for the backlight and its dimmer together.
std::string Backlight(CM220Radio& radio) {
    if (radio.GetLcdBacklight() == "OFF")
        return "Off";
    return radio.GetLcdDimmer() == "LOW" ? "Low" : "High";
}

// The Priority CH list offers channel 1 and the channels in use; a priority
// channel it does not offer, or priority scanning off, shows "Off".
std::string PriorityChannel(CM220Radio& radio) {
    if (radio.GetPriorityScan() != "ON")
        return "Off";
    const long n = LeadingDigits(radio.GetPriorityChannel());
    if (n < 1 || n > CM220Radio::kChannelCount)
        return "Off";
    if (n != 1 && radio.IsChannelEmpty(static_cast<int>(n)))
        return "Off";
    return std::to_string(n);
}

// The Channel Spacing list: anything but the two single rasters is the
// combined one.
std::string Spacing(CM220Radio& radio) {
    const std::string spacing = radio.GetChannelSpacing();
    if (spacing == "8.33kHz" || spacing == "25kHz")
        return spacing;
    return "25k/8.33kHz";
}

std::string TextOrNone(const std::string& text) {
    const std::string trimmed = Trim(text);
    return trimmed.empty() ? "(none)" : trimmed;
}
} // namespace

CChannelPlan CChannelPlan::Build(CM220Radio& radio, const std::string& title) {
    CChannelPlan plan;
    plan.title = title;
    plan.model = radio.GetModelName();
    plan.cloneComment = Trim(radio.GetCloneComment());
    for (int n = 1; n <= kChannelCount; ++n)
        plan.rows[static_cast<std::size_t>(n - 1)] = CChannelRow::Build(radio, n);

    plan.groups.push_back(
        {"Common",
         {
             {"Operation Beep", OnOff(radio.GetBeep() == "ON")},
             {"Up/Down Key Beep", OnOff(radio.GetBeepUpDownKey() == "ON")},
             {"Side Tone", OnOff(radio.GetSideTone() == "ON")},
             {"Indication Mode", radio.GetIndicationMode() == "FREQ" ? "Freq" : "Text"},
             {"LCD Backlight", Backlight(radio)},
             {"Scan Function", OnOff(radio.GetScanFunction() == "ON")},
             {"Hanger Scan", OnOff(radio.GetHangerScan() == "ON")},
             {"Scan Mode", radio.GetScanMode() == "NORMAL" ? "Normal" : "Prio"},
             {"Priority CH", PriorityChannel(radio)},
             {"Opening Text", TextOrNone(radio.GetOpeningText())},
         }});
    plan.groups.push_back(
        {"Advanced",
         {
             {"Adjust Mode Enable", OnOff(radio.GetAdjustEnable() == "ENABLE")},
             {"VFO Mode Enable", OnOff(radio.GetVfoModeEnable() == "ENABLE")},
             {"VFO Tx Enable", OnOff(radio.GetVfoTxInhibit() == "DISABLE")},
             {"Memory Write Enable", OnOff(radio.GetMemoryWriteEnable() == "ENABLE")},
             {"Channel Spacing", Spacing(radio)},
             {"Clone Comment", TextOrNone(plan.cloneComment)},
         }});
    return plan;
}

} // namespace kt
