#include "CAppPictures.h"

#include "CAppIcons.h"

#include <QEvent>
#include <QLabel>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace kt {

CAppPictures::CAppPictures(QWidget* window, QLabel* icon, QLabel* logo)
    : QObject(window), window_(window), icon_(icon), logo_(logo) {
    window->installEventFilter(this);
    Draw();
}

void CAppPictures::Draw() {
    icon_->setPixmap(CAppIcons::AppIconPixmap(window_));
    logo_->setPixmap(CAppIcons::LogoPixmap(window_));
}

bool CAppPictures::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_) {
        if (event->type() == QEvent::Show) {
            if (QWindow* handle = window_->windowHandle())
                connect(handle, &QWindow::screenChanged, this, &CAppPictures::Draw,
                        Qt::UniqueConnection);
            Draw();
        } else if (event->type() == QEvent::PaletteChange) {
            Draw();
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kt
