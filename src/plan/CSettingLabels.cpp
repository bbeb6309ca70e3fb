#include "CSettingLabels.h"

#include "CM220Radio.h"

namespace kt {

const std::vector<CSettingLabels::Setting>& CSettingLabels::All() {
    static const std::vector<Setting> table = {
        {"Operation beep", &CM220Radio::GetBeep},
        {"Up/down key beep", &CM220Radio::GetBeepUpDownKey},
        {"Side tone", &CM220Radio::GetSideTone},
        {"Scan function", &CM220Radio::GetScanFunction},
        {"Scan mode", &CM220Radio::GetScanMode},
        {"Hanger scan", &CM220Radio::GetHangerScan},
        {"Priority scan", &CM220Radio::GetPriorityScan},
        {"Priority channel", &CM220Radio::GetPriorityChannel},
        {"Indication mode", &CM220Radio::GetIndicationMode},
        {"LCD backlight", &CM220Radio::GetLcdBacklight},
        {"LCD dimmer", &CM220Radio::GetLcdDimmer},
        {"Opening text", &CM220Radio::GetOpeningText},
        {"Adjust mode", &CM220Radio::GetAdjustEnable},
        {"Channel spacing", &CM220Radio::GetChannelSpacing},
        {"VFO mode", &CM220Radio::GetVfoModeEnable},
        {"VFO transmit inhibit", &CM220Radio::GetVfoTxInhibit},
        {"Memory write", &CM220Radio::GetMemoryWriteEnable},
        {"Clone comment", &CM220Radio::GetCloneComment},
    };
    return table;
}

} // namespace kt
