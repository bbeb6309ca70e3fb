#pragma once

#include "CKneeboardCard.h"

#include <QDialog>

#include <memory>

namespace Ui {
class CKneeboardDlg;
}

namespace kt {

// "Print Kneeboard": the card's size (A5 or 5 x 8 inch) and whether it is
// the night card, asked before the print dialog.
class CKneeboardDlg : public QDialog {
    Q_OBJECT
public:
    explicit CKneeboardDlg(QWidget* parent = nullptr);
    ~CKneeboardDlg() override;

    void SetOptions(const CKneeboardCard::Options& options);
    CKneeboardCard::Options GetOptions() const;

private:
    std::unique_ptr<Ui::CKneeboardDlg> ui_;
};

} // namespace kt
