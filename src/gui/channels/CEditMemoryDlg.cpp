#include "CEditMemoryDlg.h"

#include "CChannelFields.h"
#include "CM220Radio.h"
#include "CStoredFrequencyPreview.h"
#include "RadioText.h"
#include "TextFields.h"
#include "ui_CEditMemoryDlg.h"

#include <QPushButton>

namespace kt {

namespace {
std::string ToEngine(const QString& text) {
    return text.toLatin1().toStdString();
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
    // The line below the frequency keeps its room while it is empty, so that
    // the dialog does not jump as the user types.
    ui_->storedLabel->setMinimumWidth(ui_->storedLabel->fontMetrics().horizontalAdvance(
        QStringLiteral("stored as 1999.999 (outside the airband)")));
    ui_->storedLabel->setMinimumHeight(ui_->storedLabel->fontMetrics().height());

    connect(ui_->okButton, &QPushButton::clicked, this, &CEditMemoryDlg::accept);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &CEditMemoryDlg::reject);
    connect(ui_->frequencyEdit, &QLineEdit::textChanged, this, &CEditMemoryDlg::UpdateEnabling);

    LoadChannel();
    preview_ = std::make_unique<CStoredFrequencyPreview>(radio_, channel_);
    connect(ui_->frequencyEdit, &QLineEdit::textChanged, this, &CEditMemoryDlg::UpdateStoredText);
    UpdateEnabling();
    UpdateStoredText();
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
    ui_->frequencyEdit->setText(RadioText(radio_.GetFrequency(channel_)));
    ui_->nameEdit->setText(RadioText(radio_.GetName(channel_)));
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

CChannelFields CEditMemoryDlg::Fields() const {
    CChannelFields fields;
    fields.frequency = ToEngine(ui_->frequencyEdit->text());
    fields.name = ToEngine(ui_->nameEdit->text());
    fields.txInhibit = ui_->txInhibitCheck->isChecked();
    fields.lockout = ui_->lockoutCheck->isChecked();
    return fields;
}

void CEditMemoryDlg::UpdateStoredText() {
    ui_->storedLabel->setText(preview_->Describe(Fields()));
}

void CEditMemoryDlg::accept() {
    Fields().ApplyTo(radio_, channel_);
    QDialog::accept();
}

} // namespace kt
