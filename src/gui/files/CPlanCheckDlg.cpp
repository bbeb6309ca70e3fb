#include "CPlanCheckDlg.h"

#include "RadioText.h"
#include "ui_CPlanCheckDlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTableWidgetItem>

namespace kt {

namespace {
enum Column { kChannel, kSeverity, kAdvice };

} // namespace

CPlanCheckDlg::CPlanCheckDlg(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CPlanCheckDlg>()) {
    ui_->setupUi(this);
    QHeaderView* header = ui_->findingsTable->horizontalHeader();
    header->setSectionResizeMode(kChannel, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(kSeverity, QHeaderView::ResizeToContents);
    ui_->findingsTable->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(ui_->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    SetFindings({});
}

CPlanCheckDlg::~CPlanCheckDlg() = default;

void CPlanCheckDlg::SetFindings(const std::vector<CPlanCheck::Finding>& findings) {
    QTableWidget* table = ui_->findingsTable;
    table->setRowCount(static_cast<int>(findings.size()));
    int row = 0;
    for (const CPlanCheck::Finding& finding : findings) {
        const QString channel =
            finding.channel > 0 ? QString::number(finding.channel) : QStringLiteral("Plan");
        table->setItem(row, kChannel, new QTableWidgetItem(channel));
        table->setItem(
            row, kSeverity,
            new QTableWidgetItem(QString::fromLatin1(CPlanCheck::SeverityWord(finding.severity))));
        table->setItem(row, kAdvice, new QTableWidgetItem(RadioText(finding.advice)));
        ++row;
    }
    table->setVisible(!findings.empty());
    const QString summary =
        findings.empty() ? QStringLiteral("There is nothing to report.")
        : findings.size() == 1
            ? QStringLiteral("One thing to look at:")
            : QStringLiteral("%1 things to look at:").arg(static_cast<qulonglong>(findings.size()));
    ui_->summaryText->setText(summary);
    setAccessibleDescription(summary);
    if (!findings.empty())
        table->setFocus();
}

QString CPlanCheckDlg::Summary() const {
    return ui_->summaryText->text();
}

int CPlanCheckDlg::FindingCount() const {
    return ui_->findingsTable->rowCount();
}

QString CPlanCheckDlg::Cell(int row, int column) const {
    const QTableWidgetItem* item = ui_->findingsTable->item(row, column);
    return item ? item->text() : QString();
}

} // namespace kt
