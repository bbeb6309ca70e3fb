#include "CPlanCheckDlg.h"

#include "RadioText.h"
#include "ui_CPlanCheckDlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>

namespace kt {

namespace {
enum Column { kChannel, kSeverity, kAdvice };

} // namespace

CPlanCheckDlg::CPlanCheckDlg(QWidget* parent)
    : CReportDlg(parent), ui_(std::make_unique<Ui::CPlanCheckDlg>()) {
    ui_->setupUi(this);
    SetReportWidgets(ui_->summaryText, ui_->findingsTable);
    QHeaderView* header = ui_->findingsTable->horizontalHeader();
    header->setSectionResizeMode(kChannel, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(kSeverity, QHeaderView::ResizeToContents);
    ui_->findingsTable->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(ui_->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    SetFindings({});
}

CPlanCheckDlg::~CPlanCheckDlg() = default;

void CPlanCheckDlg::SetFindings(const std::vector<CPlanCheck::Finding>& findings) {
    std::vector<QStringList> rows;
    for (const CPlanCheck::Finding& finding : findings)
        rows.push_back(
            {finding.channel > 0 ? QString::number(finding.channel) : QStringLiteral("Plan"),
             QString::fromLatin1(CPlanCheck::SeverityWord(finding.severity)),
             RadioText(finding.advice)});
    SetRows(rows);
    const QString summary =
        findings.empty() ? QStringLiteral("There is nothing to report.")
        : findings.size() == 1
            ? QStringLiteral("One thing to look at:")
            : QStringLiteral("%1 things to look at:").arg(static_cast<qulonglong>(findings.size()));
    SetSummary(summary);
    if (!findings.empty())
        ui_->findingsTable->setFocus();
}

} // namespace kt
