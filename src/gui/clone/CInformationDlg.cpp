#include "CInformationDlg.h"

#include "ui_CInformationDlg.h"

#include <QPushButton>

namespace kt {

CInformationDlg::CInformationDlg(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CInformationDlg>()) {
    ui_->setupUi(this);
    // Room for a full comment of 16 wide characters.
    ui_->commentText->setMinimumWidth(ui_->commentText->sizeHint().width());
    ui_->modelText->clear();
    ui_->commentText->clear();
    UpdateSpokenText();
    connect(ui_->okButton, &QPushButton::clicked, this, &QDialog::accept);
}

CInformationDlg::~CInformationDlg() = default;

void CInformationDlg::SetModel(const QString& model) {
    ui_->modelText->setText(model);
    UpdateSpokenText();
}

void CInformationDlg::SetComment(const QString& comment) {
    ui_->commentText->setText(comment);
    UpdateSpokenText();
}

// The texts are labels, which the keyboard never reaches: the dialog's
// description carries them to a screen reader as it opens.
void CInformationDlg::UpdateSpokenText() {
    setAccessibleDescription(ui_->modelCaption->text() + QStringLiteral(": ") +
                             ui_->modelText->text() + QStringLiteral(". ") +
                             ui_->commentCaption->text() + QStringLiteral(": ") +
                             ui_->commentText->text());
}

QString CInformationDlg::Model() const {
    return ui_->modelText->text();
}

QString CInformationDlg::Comment() const {
    return ui_->commentText->text();
}

} // namespace kt
