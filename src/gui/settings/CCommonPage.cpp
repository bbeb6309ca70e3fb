#include "CCommonPage.h"

#include "CM220Radio.h"
#include "TextFields.h"
#include "ui_CCommonPage.h"

namespace kt {

namespace {
// The texts of the page's lists; the values sent back are chosen by comparing
// the selected text with these, exactly.
constexpr char kLow[] = "Low";
constexpr char kHigh[] = "High";
constexpr char kOff[] = "Off";
constexpr char kFreq[] = "Freq";
constexpr char kText[] = "Text";
constexpr char kNormal[] = "Normal";
constexpr char kPrio[] = "Prio";

void Fill(QComboBox& combo, std::initializer_list<const char*> items) {
    combo.clear();
    for (const char* item : items)
        combo.addItem(QString::fromLatin1(item));
}

const char* OnOff(bool on) {
    return on ? "ON" : "OFF";
}
} // namespace

CCommonPage::CCommonPage(CM220Radio* radio, QWidget* parent)
    : CSettingPage(radio, parent), ui_(std::make_unique<Ui::CCommonPage>()) {
    ui_->setupUi(this);
    if (radio)
        ReadSettings(*radio);
}

CCommonPage::~CCommonPage() = default;

void CCommonPage::ReadSettings(CM220Radio& radio) {
    operationBeep_ = radio.GetBeep() == "ON";
    upDownKeyBeep_ = radio.GetBeepUpDownKey() == "ON";
    sideTone_ = radio.GetSideTone() == "ON";
    scanFunction_ = radio.GetScanFunction() == "ON";
    hangerScan_ = radio.GetHangerScan() == "ON";
    indicationMode_ = radio.GetIndicationMode() == "FREQ" ? kFreq : kText;
    // The dimmer matters only while the backlight is on.
    if (radio.GetLcdBacklight() == "OFF")
        lcdBacklight_ = kOff;
    else
        lcdBacklight_ = radio.GetLcdDimmer() == "LOW" ? kLow : kHigh;
    scanMode_ = radio.GetScanMode() == "NORMAL" ? kNormal : kPrio;
    priorityChannel_ = radio.GetPriorityScan() == "OFF" ? kOff : radio.GetPriorityChannel();
    openingText_ = radio.GetOpeningText();
}

void CCommonPage::InitializePage() {
    Fill(*ui_->indicationModeCombo, {kFreq, kText});
    Fill(*ui_->lcdBacklightCombo, {kOff, kLow, kHigh});
    Fill(*ui_->scanModeCombo, {kNormal, kPrio});
    FillPriorityChannels();
    ChoosePriorityChannel();

    ui_->operationBeepCheck->setChecked(operationBeep_);
    ui_->upDownKeyBeepCheck->setChecked(upDownKeyBeep_);
    ui_->sideToneCheck->setChecked(sideTone_);
    SelectItemStartingWith(*ui_->indicationModeCombo, indicationMode_);
    SelectItemStartingWith(*ui_->lcdBacklightCombo, lcdBacklight_);
    ui_->scanFunctionCheck->setChecked(scanFunction_);
    ui_->hangerScanCheck->setChecked(hangerScan_);
    SelectItemStartingWith(*ui_->scanModeCombo, scanMode_);
    SelectItemStartingWith(*ui_->priorityChannelCombo, priorityChannel_);
    ui_->openingTextEdit->setText(ToControlText(openingText_));
}

// "Off", then channel 1 (always) and every other channel in use; each item
// carries its channel number, "Off" carries 0.
void CCommonPage::FillPriorityChannels() {
    QComboBox& combo = *ui_->priorityChannelCombo;
    combo.clear();
    combo.addItem(QString::fromLatin1(kOff), 0);
    for (int n = 1; n <= CM220Radio::kChannelCount; ++n) {
        if (n == 1 || (Radio() && !Radio()->IsChannelEmpty(n)))
            combo.addItem(QString::number(n), n);
    }
}

// The priority channel shown is the one read when priority scanning is on and
// that channel is offered; otherwise "Off".
void CCommonPage::ChoosePriorityChannel() {
    int wanted = 0;
    if (Radio() && Radio()->GetPriorityScan() == "ON") {
        long value = 0;
        if (ScanLong(priorityChannel_, value) && value >= 1 && value <= CM220Radio::kChannelCount)
            wanted = static_cast<int>(value);
    }
    QComboBox& combo = *ui_->priorityChannelCombo;
    combo.setCurrentIndex(0);
    priorityChannel_ = kOff;
    for (int i = 1; i < combo.count(); ++i) {
        if (combo.itemData(i).toInt() == wanted) {
            priorityChannel_ = FromControlText(combo.itemText(i));
            break;
        }
    }
}

void CCommonPage::TakeControls() {
    operationBeep_ = ui_->operationBeepCheck->isChecked();
    upDownKeyBeep_ = ui_->upDownKeyBeepCheck->isChecked();
    sideTone_ = ui_->sideToneCheck->isChecked();
    indicationMode_ = SelectedText(*ui_->indicationModeCombo);
    lcdBacklight_ = SelectedText(*ui_->lcdBacklightCombo);
    scanFunction_ = ui_->scanFunctionCheck->isChecked();
    hangerScan_ = ui_->hangerScanCheck->isChecked();
    scanMode_ = SelectedText(*ui_->scanModeCombo);
    priorityChannel_ = SelectedText(*ui_->priorityChannelCombo);
    openingText_ = FromControlText(ui_->openingTextEdit->text());
}

void CCommonPage::SendSettings(CM220Radio& radio) {
    radio.SetBeep(OnOff(operationBeep_));
    radio.SetBeepUpDownKey(OnOff(upDownKeyBeep_));
    radio.SetSideTone(OnOff(sideTone_));
    radio.SetScanFunction(OnOff(scanFunction_));
    radio.SetHangerScan(OnOff(hangerScan_));
    radio.SetIndicationMode(indicationMode_ == kFreq ? "FREQ" : "TEXT");
    // Switching the backlight off also sets the dimmer low, before the backlight.
    if (lcdBacklight_ != kOff) {
        radio.SetLcdBacklight("ON");
        radio.SetLcdDimmer(lcdBacklight_ == kHigh ? "HIGH" : "LOW");
    } else {
        radio.SetLcdDimmer("LOW");
        radio.SetLcdBacklight("OFF");
    }
    radio.SetScanMode(scanMode_ == kNormal ? "NORMAL" : "PRIO");
    // "Off" switches priority scanning off; a channel number switches it on.
    std::size_t start = 0;
    while (start < priorityChannel_.size() && IsWhiteSpace(priorityChannel_[start]))
        ++start;
    radio.SetPriorityChannel(priorityChannel_.substr(start));
    radio.SetOpeningText(openingText_);
}

} // namespace kt
