#include "CAdvancedPage.h"

#include "CM220Radio.h"
#include "ui_CAdvancedPage.h"

namespace kt {

namespace {
// The channel spacing list; these are also the radio's own words for them.
constexpr char k8_33kHz[] = "8.33kHz";
constexpr char k25kHz[] = "25kHz";
constexpr char kCombined[] = "25k/8.33kHz";

const char* EnableDisable(bool enable) {
    return enable ? "ENABLE" : "DISABLE";
}

// Anything but the two single rasters counts as the combined one.
const char* SpacingWord(const std::string& text) {
    if (text == k8_33kHz)
        return k8_33kHz;
    if (text == k25kHz)
        return k25kHz;
    return kCombined;
}
} // namespace

CAdvancedPage::CAdvancedPage(CM220Radio* radio, QWidget* parent)
    : CSettingPage(radio, parent), ui_(std::make_unique<Ui::CAdvancedPage>()) {
    ui_->setupUi(this);
    if (radio)
        ReadSettings(*radio);
}

CAdvancedPage::~CAdvancedPage() = default;

void CAdvancedPage::ReadSettings(CM220Radio& radio) {
    adjustEnable_ = radio.GetAdjustEnable() == "ENABLE";
    vfoModeEnable_ = radio.GetVfoModeEnable() == "ENABLE";
    vfoTxEnable_ = radio.GetVfoTxInhibit() == "DISABLE";
    memoryWriteEnable_ = radio.GetMemoryWriteEnable() == "ENABLE";
    channelSpacing_ = SpacingWord(radio.GetChannelSpacing());
    spacingRead_ = channelSpacing_;
    cloneComment_ = radio.GetCloneComment();
}

std::string CAdvancedPage::SpacingChosen() const {
    return SpacingWord(IsInitialized() ? SelectedText(*ui_->channelSpacingCombo) : channelSpacing_);
}

void CAdvancedPage::InitializePage() {
    QComboBox& spacing = *ui_->channelSpacingCombo;
    spacing.clear();
    for (const char* item : {k8_33kHz, k25kHz, kCombined})
        spacing.addItem(QString::fromLatin1(item));

    ui_->adjustModeCheck->setChecked(adjustEnable_);
    ui_->vfoModeCheck->setChecked(vfoModeEnable_);
    ui_->vfoTxCheck->setChecked(vfoTxEnable_);
    ui_->memoryWriteCheck->setChecked(memoryWriteEnable_);
    SelectItemStartingWith(spacing, channelSpacing_);
    ui_->cloneCommentEdit->setText(ToControlText(cloneComment_));
}

void CAdvancedPage::TakeControls() {
    adjustEnable_ = ui_->adjustModeCheck->isChecked();
    vfoModeEnable_ = ui_->vfoModeCheck->isChecked();
    vfoTxEnable_ = ui_->vfoTxCheck->isChecked();
    memoryWriteEnable_ = ui_->memoryWriteCheck->isChecked();
    channelSpacing_ = SelectedText(*ui_->channelSpacingCombo);
    cloneComment_ = FromControlText(ui_->cloneCommentEdit->text());
}

void CAdvancedPage::SendSettings(CM220Radio& radio) {
    radio.SetAdjustEnable(EnableDisable(adjustEnable_));
    radio.SetVfoModeEnable(EnableDisable(vfoModeEnable_));
    radio.SetVfoTxInhibit(EnableDisable(!vfoTxEnable_));
    radio.SetMemoryWriteEnable(EnableDisable(memoryWriteEnable_));
    radio.SetChannelSpacing(SpacingWord(channelSpacing_));
    // An empty comment is sent as one blank by the radio.
    radio.SetCloneComment(cloneComment_);
}

} // namespace kt
