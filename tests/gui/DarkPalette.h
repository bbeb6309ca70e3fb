#pragma once

#include <QApplication>
#include <QPalette>
#include <QString>
#include <QStyle>
#include <QStyleFactory>

#include <memory>

namespace kt {

// The colours a user's dark desktop theme gives a Qt program: the Fusion
// style with a dark palette. While the object lives the application uses it;
// the style and palette in use before come back afterwards.
class DarkPalette {
public:
    static QPalette Colours() {
        const QColor window(0x2b, 0x2e, 0x33);
        const QColor base(0x1e, 0x20, 0x24);
        const QColor text(0xe8, 0xe8, 0xe8);
        const QColor disabledText(0x80, 0x80, 0x80);
        const QColor highlight(0x3d, 0x7a, 0xc8);
        QPalette palette;
        palette.setColor(QPalette::Window, window);
        palette.setColor(QPalette::WindowText, text);
        palette.setColor(QPalette::Base, base);
        palette.setColor(QPalette::AlternateBase, window);
        palette.setColor(QPalette::ToolTipBase, base);
        palette.setColor(QPalette::ToolTipText, text);
        palette.setColor(QPalette::PlaceholderText, disabledText);
        palette.setColor(QPalette::Text, text);
        palette.setColor(QPalette::Button, window);
        palette.setColor(QPalette::ButtonText, text);
        palette.setColor(QPalette::BrightText, Qt::white);
        palette.setColor(QPalette::Light, window.lighter(160));
        palette.setColor(QPalette::Midlight, window.lighter(130));
        palette.setColor(QPalette::Mid, window.darker(130));
        palette.setColor(QPalette::Dark, window.darker(160));
        palette.setColor(QPalette::Shadow, Qt::black);
        palette.setColor(QPalette::Highlight, highlight);
        palette.setColor(QPalette::HighlightedText, Qt::white);
        palette.setColor(QPalette::Link, highlight.lighter(140));
        palette.setColor(QPalette::LinkVisited, highlight.lighter(120));
        for (const QPalette::ColorRole role :
             {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(QPalette::Disabled, role, disabledText);
        palette.setColor(QPalette::Disabled, QPalette::Highlight, window.lighter(130));
        return palette;
    }

    DarkPalette() : styleName_(QApplication::style()->name()), palette_(QApplication::palette()) {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(Colours());
    }
    ~DarkPalette() {
        QApplication::setStyle(QStyleFactory::create(styleName_));
        QApplication::setPalette(palette_);
    }
    DarkPalette(const DarkPalette&) = delete;
    DarkPalette& operator=(const DarkPalette&) = delete;

private:
    QString styleName_;
    QPalette palette_;
};

} // namespace kt
