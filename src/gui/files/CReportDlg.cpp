#include "CReportDlg.h"

#include <QLabel>
#include <QTableWidget>
#include <QTableWidgetItem>

namespace kt {

void CReportDlg::SetReportWidgets(QLabel* summary, QTableWidget* table) {
    summary_ = summary;
    table_ = table;
}

void CReportDlg::SetRows(const std::vector<QStringList>& rows) {
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        const QStringList& cells = rows[static_cast<std::size_t>(row)];
        for (int column = 0; column < cells.size(); ++column)
            table_->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    table_->setVisible(!rows.empty());
}

void CReportDlg::SetSummary(const QString& summary) {
    summary_->setText(summary);
    setAccessibleDescription(summary);
}

QString CReportDlg::Summary() const {
    return summary_->text();
}

int CReportDlg::RowCount() const {
    return table_->rowCount();
}

QString CReportDlg::CellText(int row, int column) const {
    const QTableWidgetItem* item = table_->item(row, column);
    return item ? item->text() : QString();
}

} // namespace kt
