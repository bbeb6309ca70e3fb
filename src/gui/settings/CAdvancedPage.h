#pragma once

#include "CSettingPage.h"

#include <memory>
#include <string>

namespace Ui {
class CAdvancedPage;
}

namespace kt {

// The " Advanced " page of the Setting sheet: which operating modes the
// transceiver allows (adjust mode, VFO mode, transmitting in VFO mode, writing
// memories), the channel spacing and the clone comment.
class CAdvancedPage : public CSettingPage {
    Q_OBJECT
public:
    // Reads the page's settings from the radio (nothing when radio is null).
    explicit CAdvancedPage(CM220Radio* radio, QWidget* parent = nullptr);
    ~CAdvancedPage() override;

    // The channel spacing as read from the radio, and as the page would send
    // it now ("25kHz", "8.33kHz" or "25k/8.33kHz").
    std::string SpacingRead() const { return spacingRead_; }
    std::string SpacingChosen() const;

protected:
    void InitializePage() override;
    void TakeControls() override;
    void SendSettings(CM220Radio& radio) override;

private:
    void ReadSettings(CM220Radio& radio);

    std::unique_ptr<Ui::CAdvancedPage> ui_;
    bool adjustEnable_ = false;
    bool vfoModeEnable_ = false;
    // The inverse of the radio's VFO transmit inhibit.
    bool vfoTxEnable_ = false;
    bool memoryWriteEnable_ = false;
    std::string channelSpacing_;
    std::string spacingRead_;
    std::string cloneComment_;
};

} // namespace kt
