#pragma once

#include "CSettingPage.h"

#include <memory>
#include <string>

namespace Ui {
class CCommonPage;
}

namespace kt {

// The " Common " page of the Setting sheet: the beeps, the display (indication
// mode and LCD backlight), the scan settings with the priority channel, and the
// opening text. The LCD backlight list stands for the backlight and the dimmer
// together: "Off", "Low" (backlight on, dimmer low) and "High".
class CCommonPage : public CSettingPage {
    Q_OBJECT
public:
    // Reads the page's settings from the radio (nothing when radio is null).
    explicit CCommonPage(CM220Radio* radio, QWidget* parent = nullptr);
    ~CCommonPage() override;

protected:
    void InitializePage() override;
    void TakeControls() override;
    void SendSettings(CM220Radio& radio) override;

private:
    void ReadSettings(CM220Radio& radio);
    void FillPriorityChannels();
    void ChoosePriorityChannel();

    std::unique_ptr<Ui::CCommonPage> ui_;
    bool operationBeep_ = false;
    bool upDownKeyBeep_ = false;
    bool sideTone_ = false;
    std::string indicationMode_;
    std::string lcdBacklight_;
    bool scanFunction_ = false;
    bool hangerScan_ = false;
    std::string scanMode_;
    // "Off" or the priority channel's number.
    std::string priorityChannel_;
    std::string openingText_;
};

} // namespace kt
