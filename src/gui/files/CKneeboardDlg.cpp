#include "CKneeboardDlg.h"

#include "ui_CKneeboardDlg.h"

#include <QDialogButtonBox>

namespace kt {

CKneeboardDlg::CKneeboardDlg(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CKneeboardDlg>()) {
    ui_->setupUi(this);
    connect(ui_->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui_->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CKneeboardDlg::~CKneeboardDlg() = default;

void CKneeboardDlg::SetOptions(const CKneeboardCard::Options& options) {
    (options.size == CKneeboardCard::Size::kA5 ? ui_->a5Button : ui_->index5x8Button)
        ->setChecked(true);
    ui_->nightBox->setChecked(options.night);
}

CKneeboardCard::Options CKneeboardDlg::GetOptions() const {
    return {ui_->a5Button->isChecked() ? CKneeboardCard::Size::kA5 : CKneeboardCard::Size::k5x8,
            ui_->nightBox->isChecked()};
}

} // namespace kt
