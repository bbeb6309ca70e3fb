#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <vector>

class QLabel;
class QTableWidget;

namespace kt {

// A report window (Compare With, Check Plan): a sentence that sums up, over
// a table of rows the user reads. The dialog's form supplies the label and
// the table; this class fills them and answers what they show.
class CReportDlg : public QDialog {
    Q_OBJECT
public:
    QString Summary() const;
    int RowCount() const;
    // The text of a cell; empty where the table has no item.
    QString CellText(int row, int column) const;

protected:
    explicit CReportDlg(QWidget* parent) : QDialog(parent) {}

    // The form's summary label and table; called once, after setupUi.
    void SetReportWidgets(QLabel* summary, QTableWidget* table);
    // Replaces the rows, one item per text. The table is shown only when
    // there is a row to show.
    void SetRows(const std::vector<QStringList>& rows);
    // The summary, which is also what a screen reader says of the window.
    void SetSummary(const QString& summary);

private:
    QLabel* summary_ = nullptr;
    QTableWidget* table_ = nullptr;
};

} // namespace kt
