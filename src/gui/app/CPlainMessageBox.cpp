#include "CPlainMessageBox.h"

#include <QLabel>

namespace kt {

CPlainMessageBox::CPlainMessageBox(Icon icon, const QString& title, const QString& text,
                                   StandardButtons buttons, QWidget* parent)
    : QMessageBox(icon, title, text, buttons, parent) {
    setTextFormat(Qt::PlainText);
}

void CPlainMessageBox::setInformativeText(const QString& text) {
    QMessageBox::setInformativeText(text);
    if (auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel")))
        label->setTextFormat(Qt::PlainText);
}

} // namespace kt
