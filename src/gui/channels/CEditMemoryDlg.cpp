#include "CEditMemoryDlg.h"

#include "CM220Radio.h"
#include "FrequencyEntry.h"
#include "TextFields.h"
#include "ui_CEditMemoryDlg.h"

#include <QPushButton>

namespace {
// Channel texts travel to and from the engine one byte per character.
QString FromEngine(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToEngine(const QString& text) {
    return text.toLatin1().toStdString();
}

const char* OnOff(bool on) {
    return on ? "ON" : "OFF";
}
} // namespace

CEditMemoryDlg::CEditMemoryDlg(CM220Radio& radio, int channel, QWidget* parent)
    : QDialog(parent), radio_(radio), channel_(channel),
      ui_(std::make_unique<Ui::CEditMemoryDlg>()) {
    ui_->setupUi(this);
    // The frequency needs room for "1999.999" and a little more, the name for
    // seven capitals.
    const QFontMetrics metrics = ui_->frequencyEdit->fontMetrics();
    ui_->frequencyEdit->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("0000.00000")) +
                                        16);
    ui_->nameEdit->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("WWWWWWW")) + 16);

    connect(ui_->okButton, &QPushButton::clicked, this, &CEditMemoryDlg::accept);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &CEditMemoryDlg::reject);
    connect(ui_->frequencyEdit, &QLineEdit::textChanged, this, &CEditMemoryDlg::UpdateEnabling);

    LoadChannel();
    UpdateEnabling();
    ui_->frequencyEdit->setFocus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

CEditMemoryDlg::~CEditMemoryDlg() = default;

void CEditMemoryDlg::LoadChannel() {
    if (radio_.IsChannelEmpty(channel_)) {
        ui_->frequencyEdit->clear();
        ui_->nameEdit->clear();
        ui_->txInhibitCheck->setChecked(false);
        ui_->lockoutCheck->setChecked(false);
        return;
    }
    ui_->frequencyEdit->setText(FromEngine(radio_.GetFrequency(channel_)));
    ui_->nameEdit->setText(FromEngine(radio_.GetName(channel_)));
    ui_->txInhibitCheck->setChecked(radio_.GetTxInhibit(channel_) != "OFF");
    ui_->lockoutCheck->setChecked(radio_.GetLockout(channel_) != "OFF");
}

bool CEditMemoryDlg::FrequencyIsEmpty() const {
    return Trim(ToEngine(ui_->frequencyEdit->text())).empty();
}

void CEditMemoryDlg::UpdateEnabling() {
    // The fields keep their values while disabled; OK still sends them.
    const bool enabled = !FrequencyIsEmpty();
    ui_->nameEdit->setEnabled(enabled);
    ui_->txInhibitCheck->setEnabled(enabled);
    ui_->lockoutCheck->setEnabled(enabled);
}

void CEditMemoryDlg::accept() {
    radio_.SetName(channel_, ToEngine(ui_->nameEdit->text()));
    radio_.SetTxInhibit(channel_, OnOff(ui_->txInhibitCheck->isChecked()));
    radio_.SetLockout(channel_, OnOff(ui_->lockoutCheck->isChecked()));

    // A frequency out of range or without a number is sent as the empty text,
    // which leaves the engine's frequency alone; the channel is then emptied
    // through its appear flag.
    const std::string frequency = FrequencyTextToSend(ToEngine(ui_->frequencyEdit->text()));
    radio_.SetFrequency(channel_, frequency);
    if (Trim(frequency).empty()) {
        radio_.SetPriorityChannel("OFF");
        radio_.SetAppear(channel_, "OFF");
    } else {
        radio_.SetAppear(channel_, "ON");
    }
    radio_.HealChannel(channel_);
    QDialog::accept();
}
