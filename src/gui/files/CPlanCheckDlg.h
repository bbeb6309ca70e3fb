#pragma once

#include "CPlanCheck.h"

#include <QDialog>
#include <QString>

#include <memory>
#include <vector>

namespace Ui {
class CPlanCheckDlg;
}

namespace kt {

// "Check Plan": the findings of the plan checks in a table of channel,
// severity and advice, or a line saying there is nothing to report.
class CPlanCheckDlg : public QDialog {
    Q_OBJECT
public:
    explicit CPlanCheckDlg(QWidget* parent = nullptr);
    ~CPlanCheckDlg() override;
    CPlanCheckDlg(const CPlanCheckDlg&) = delete;
    CPlanCheckDlg& operator=(const CPlanCheckDlg&) = delete;

    void SetFindings(const std::vector<CPlanCheck::Finding>& findings);

    // What the dialog shows, for its callers and tests.
    QString Summary() const;
    int FindingCount() const;
    QString Cell(int row, int column) const;

private:
    std::unique_ptr<Ui::CPlanCheckDlg> ui_;
};

} // namespace kt
