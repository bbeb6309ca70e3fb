#include "CCompareDlg.h"

#include "CQtCloneUi.h"

#include "ui_CCompareDlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTableWidgetItem>

namespace kt {

namespace {
// A value as the image holds it, with control bytes shown as '.'; an empty
// value is said to be blank.
QString ValueText(const std::string& value) {
    return value.empty() ? QString::fromLatin1(CImageComparison::kBlank)
                         : CQtCloneUi::CommentText(value);
}

QString ChannelText(int channel) {
    return channel == 0 ? QStringLiteral("Setting") : QStringLiteral("CH %1").arg(channel);
}
} // namespace

CCompareDlg::CCompareDlg(QWidget* parent)
    : CReportDlg(parent), ui_(std::make_unique<Ui::CCompareDlg>()) {
    ui_->setupUi(this);
    SetReportWidgets(ui_->summaryText, ui_->differencesTable);
    ui_->differencesTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    ui_->differencesTable->horizontalHeader()->setStretchLastSection(true);
    connect(ui_->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CCompareDlg::~CCompareDlg() = default;

void CCompareDlg::SetDifferences(const QString& documentTitle, const QString& otherName,
                                 const std::vector<CImageComparison::Difference>& differences) {
    QTableWidget& table = *ui_->differencesTable;
    table.setHorizontalHeaderItem(
        2, new QTableWidgetItem(QStringLiteral("This document (%1)").arg(documentTitle)));
    table.setHorizontalHeaderItem(3, new QTableWidgetItem(otherName));
    std::vector<QStringList> rows;
    for (const CImageComparison::Difference& d : differences)
        rows.push_back({ChannelText(d.channel), QString::fromStdString(d.property),
                        ValueText(d.first), ValueText(d.second)});
    SetRows(rows);
    if (differences.empty())
        SetSummary(QStringLiteral("The two images are the same."));
    else
        SetSummary(QStringLiteral("%1 %2 between this document (%3) and %4:")
                       .arg(differences.size())
                       .arg(differences.size() == 1 ? QStringLiteral("difference")
                                                    : QStringLiteral("differences"))
                       .arg(documentTitle, otherName));
    if (!differences.empty())
        table.selectRow(0);
    else
        adjustSize(); // the one sentence, without the empty table's room
}

QString CCompareDlg::HeaderText(int column) const {
    const QTableWidgetItem* item = ui_->differencesTable->horizontalHeaderItem(column);
    return item ? item->text() : QString();
}

} // namespace kt
