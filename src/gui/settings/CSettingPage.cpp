#include "CSettingPage.h"

#include <QComboBox>

namespace kt {

CSettingPage::CSettingPage(CM220Radio* radio, QWidget* parent) : QWidget(parent), radio_(radio) {}

void CSettingPage::WriteBack() {
    if (initialized_)
        TakeControls();
    if (radio_)
        SendSettings(*radio_);
}

void CSettingPage::showEvent(QShowEvent* event) {
    // A tab page is shown each time it becomes the current one; it is filled
    // only the first time, so that the user's changes stay while the sheet is open.
    if (!initialized_) {
        initialized_ = true;
        InitializePage();
    }
    QWidget::showEvent(event);
}

QString CSettingPage::ToControlText(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string CSettingPage::FromControlText(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void CSettingPage::SelectItemStartingWith(QComboBox& combo, const std::string& text) {
    const QString wanted = ToControlText(text);
    for (int i = 0; i < combo.count(); ++i) {
        if (combo.itemText(i).startsWith(wanted, Qt::CaseInsensitive)) {
            combo.setCurrentIndex(i);
            return;
        }
    }
    combo.setCurrentIndex(-1);
}

std::string CSettingPage::SelectedText(const QComboBox& combo) {
    return combo.currentIndex() < 0 ? std::string() : FromControlText(combo.currentText());
}

} // namespace kt
