#pragma once

#include <QIcon>
#include <QPixmap>

class QStyle;
class QWidget;

namespace kt {

// The program's icons: the application icon, the maker's logo, and the
// icons of the commands on the toolbar. They are SVG drawings (or the
// style's standard icons), drawn for the device pixel ratio of the screen, so
// they stay sharp at any size and scale. On a dark palette the drawings'
// black outlines are drawn light, so that they stand out from the window.
namespace CAppIcons {
QIcon AppIcon();
// The application icon at 48 x 48 and the logo at 72 x 36 logical
// pixels, drawn for widget's screen.
QPixmap AppIconPixmap(const QWidget* widget);
QPixmap LogoPixmap(const QWidget* widget);
// The icon of a command on the toolbar; a null icon when it has none.
QIcon CommandIcon(int commandId, const QStyle* style);
} // namespace CAppIcons

} // namespace kt
