#include "CAddAirportDlg.h"

#include "CM220Radio.h"
#include "CPlainMessageBox.h"
#include "CStringTable.h"
#include "CommandIds.h"
#include "ui_CAddAirportDlg.h"

#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidgetItem>

namespace kt {

namespace {
enum Column { kAdd, kType, kDescription, kFrequency, kChannel, kName, kHolding, kColumnCount };
constexpr int kNameLength = 7;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QTableWidgetItem* ReadOnlyItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}
} // namespace

CAddAirportDlg::CAddAirportDlg(CM220Radio& radio, int firstChannel, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CAddAirportDlg>()), radio_(radio) {
    ui_->setupUi(this);
    QTableWidget& table = *ui_->frequencyTable;
    table.setColumnCount(kColumnCount);
    table.setHorizontalHeaderLabels({QStringLiteral("Add"), QStringLiteral("Type"),
                                     QStringLiteral("Description"), QStringLiteral("MHz"),
                                     QStringLiteral("Channel"), QStringLiteral("Name"),
                                     QStringLiteral("Spacing")});
    table.horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table.horizontalHeader()->setSectionResizeMode(kDescription, QHeaderView::Stretch);
    table.verticalHeader()->hide();
    ui_->fromSpin->setValue(std::clamp(firstChannel, 1, CM220Radio::kChannelCount));

    std::string error;
    dataLoaded_ = data_.Load(error);
    ui_->dataLabel->setText(dataLoaded_ ? QStringLiteral("OurAirports data of %1, %2")
                                              .arg(Text(data_.Date()), Text(data_.Path()))
                                        : Text(error));
    connect(ui_->searchEdit, &QLineEdit::textChanged, this, &CAddAirportDlg::Search);
    connect(ui_->buttonBox, &QDialogButtonBox::accepted, this, &CAddAirportDlg::accept);
    connect(ui_->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    ui_->buttonBox->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Add"));
    ShowCandidates();
}

CAddAirportDlg::~CAddAirportDlg() = default;

void CAddAirportDlg::Search(const QString& query) {
    std::vector<CAirportFrequency> rows;
    if (dataLoaded_)
        for (const std::size_t i : data_.Table().Search(query.toStdString()))
            rows.push_back(data_.Table().Row(i));
    candidates_ = CAirportChannels::Build(rows);
    if (ui_->searchEdit->text() != query)
        ui_->searchEdit->setText(query);
    ShowCandidates();
}

void CAddAirportDlg::ShowCandidates() {
    QTableWidget& table = *ui_->frequencyTable;
    const auto spacing = CAirbandChannel::SpacingFromWord(radio_.GetChannelSpacing());
    table.setRowCount(static_cast<int>(candidates_.size()));
    int row = 0;
    for (const auto& c : candidates_) {
        auto* add = ReadOnlyItem(QString());
        const bool addable = c.status != CAirportChannels::Status::OutsideBand && c.channel;
        add->setFlags(addable ? add->flags() | Qt::ItemIsUserCheckable
                              : add->flags() & ~Qt::ItemIsEnabled);
        add->setCheckState(c.chosen && addable ? Qt::Checked : Qt::Unchecked);
        table.setItem(row, kAdd, add);
        table.setItem(row, kType, ReadOnlyItem(Text(c.row.ident + " " + c.row.type)));
        table.setItem(row, kDescription, ReadOnlyItem(Text(c.row.description)));
        table.setItem(row, kFrequency, ReadOnlyItem(Text(c.row.frequency)));
        QString channel;
        if (c.channel)
            channel = Text(c.channel->DesignatorText()) +
                      (c.channel->Is833() ? QStringLiteral(" (8.33)") : QString()) +
                      (c.txInhibit ? QStringLiteral(", Tx Inhibit") : QString());
        table.setItem(row, kChannel, ReadOnlyItem(channel));
        auto* name = new QTableWidgetItem(Text(c.name));
        if (!addable)
            name->setFlags(name->flags() & ~Qt::ItemIsEditable);
        table.setItem(row, kName, name);
        auto* holding = ReadOnlyItem(Text(c.Holding(spacing)));
        if (c.status != CAirportChannels::Status::Channel)
            holding->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
        table.setItem(row, kHolding, holding);
        ++row;
    }
    ui_->statusLabel->setText(
        candidates_.empty() ? (ui_->searchEdit->text().trimmed().isEmpty()
                                   ? QStringLiteral("Type an airport's ident or words of its name.")
                                   : QStringLiteral("No airport matches."))
                            : QStringLiteral("%1 frequencies. The channel spacing is %2.")
                                  .arg(candidates_.size())
                                  .arg(Text(radio_.GetChannelSpacing())));
}

std::vector<CAirportChannels::Candidate> CAddAirportDlg::Candidates() const {
    std::vector<CAirportChannels::Candidate> out = candidates_;
    const QTableWidget& table = *ui_->frequencyTable;
    for (int row = 0; row < table.rowCount() && row < static_cast<int>(out.size()); ++row) {
        auto& c = out[static_cast<std::size_t>(row)];
        c.chosen = table.item(row, kAdd)->checkState() == Qt::Checked;
        c.name = table.item(row, kName)->text().toUpper().left(kNameLength).toStdString();
        c.acceptNearest = ui_->nearestCheck->isChecked();
    }
    return out;
}

bool CAddAirportDlg::AskSpacing(const std::vector<CAirportChannels::Candidate>& chosen) {
    QString list;
    for (const auto& c : chosen)
        if (c.CanAdd() &&
            !c.channel->HeldIn(CAirbandChannel::SpacingFromWord(radio_.GetChannelSpacing())))
            list += QStringLiteral("\n") + Text(c.name + ": " + c.channel->Describe());
    if (list.isEmpty())
        return true;
    if (spacingAnswer_ >= 0)
        return spacingAnswer_ == 1;
    CPlainMessageBox box(QMessageBox::Question, CStringTable::Text(StringId::kAppTitle),
                         QStringLiteral("The channel spacing %1 cannot hold these channels:\n%2\n\n"
                                        "Switch to the 25k/8.33kHz spacing, which holds them?")
                             .arg(Text(radio_.GetChannelSpacing()), list),
                         QMessageBox::Yes | QMessageBox::No, this);
    return box.exec() == QMessageBox::Yes;
}

void CAddAirportDlg::ShowMessage(const QString& text) {
    if (spacingAnswer_ >= 0) { // under test: no box
        ui_->statusLabel->setText(text);
        return;
    }
    CPlainMessageBox box(QMessageBox::Warning, CStringTable::Text(StringId::kAppTitle), text,
                         QMessageBox::Ok, this);
    box.exec();
    ui_->statusLabel->setText(text);
}

void CAddAirportDlg::accept() {
    const auto chosen = Candidates();
    const bool switchSpacing = AskSpacing(chosen);
    result_ = CAirportChannels::Add(radio_, chosen, ui_->fromSpin->value(), switchSpacing);
    if (result_.outcome != CAirportChannels::AddResult::Outcome::Added) {
        ShowMessage(Text(result_.message) + QStringLiteral(".\nNothing has been changed."));
        return;
    }
    QDialog::accept();
}

} // namespace kt
