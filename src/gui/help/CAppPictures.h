#pragma once

#include <QObject>
class QLabel;
class QWidget;

namespace kt {

// The program's icon and the maker's logo in two labels of a window (About,
// the start-up banner). The pictures are drawn for one device pixel ratio and
// one palette, so they are drawn again when the window is shown, moves to
// another screen, or the colour scheme changes. Lives as the window's child.
class CAppPictures : public QObject {
    Q_OBJECT
public:
    CAppPictures(QWidget* window, QLabel* icon, QLabel* logo);

    void Draw();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    QLabel* icon_;
    QLabel* logo_;
};

} // namespace kt
