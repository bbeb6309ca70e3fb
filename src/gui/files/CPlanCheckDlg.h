#pragma once

#include "CPlanCheck.h"
#include "CReportDlg.h"

#include <QString>

#include <memory>
#include <vector>

namespace Ui {
class CPlanCheckDlg;
}

namespace kt {

// "Check Plan": the findings of the plan checks in a table of channel,
// severity and advice, or a line saying there is nothing to report.
class CPlanCheckDlg : public CReportDlg {
    Q_OBJECT
public:
    explicit CPlanCheckDlg(QWidget* parent = nullptr);
    ~CPlanCheckDlg() override;

    void SetFindings(const std::vector<CPlanCheck::Finding>& findings);

private:
    std::unique_ptr<Ui::CPlanCheckDlg> ui_;
};

} // namespace kt
