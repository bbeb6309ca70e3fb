#pragma once

#include <QMessageBox>

namespace kt {

// The program's message box. Its texts quote file names, channel names, CSV
// fields and the radio's comment, none of which may act as markup, so every
// text is shown as it stands. (QMessageBox applies its text format to the
// main text only and reads the informative text as markup when it looks like
// some.)
class CPlainMessageBox : public QMessageBox {
public:
    CPlainMessageBox(Icon icon, const QString& title, const QString& text, StandardButtons buttons,
                     QWidget* parent = nullptr);

    // Hides QMessageBox's own, which would read the text as markup.
    void setInformativeText(const QString& text);
};

} // namespace kt
