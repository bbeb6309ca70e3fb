#include "DarkPalette.h"

#include "CAppIcons.h"
#include "CListViewEx.h"
#include "CommandIds.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QStandardItemModel>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace kt {

// The program at another scale and in a dark colour scheme: icons drawn for
// the device pixel ratio, outlines that stay visible on a dark window, and a
// channel list drawn in the palette's colours.
namespace {
// How light the drawn (not transparent) part of a picture is, on average.
double MeanLightness(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    double sum = 0;
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            if (colour.alpha() < 128)
                continue;
            sum += colour.lightness();
            ++count;
        }
    return count == 0 ? 0 : sum / count;
}

// Colours the same but for the slight tint a style's focus frame may lay over.
bool Near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) <= 3 && std::abs(a.green() - b.green()) <= 3 &&
           std::abs(a.blue() - b.blue()) <= 3;
}

const std::vector<int> kDrawnCommands = {
    CommandId::kEditMemory, CommandId::kEditCopy,      CommandId::kEditPaste,
    CommandId::kEditClear,  CommandId::kCommonSetting, CommandId::kPortCom1,
    CommandId::kCloneRead,  CommandId::kCloneWrite,    CommandId::kCloneInformation,
};

TEST(LookScheme, IconsAreDrawnForTheDevicePixelRatio) {
    for (const qreal ratio : {1.0, 1.5, 2.0, 3.0}) {
        SCOPED_TRACE(ratio);
        for (const int command : kDrawnCommands) {
            SCOPED_TRACE(command);
            const QIcon icon = CAppIcons::CommandIcon(command, QApplication::style());
            ASSERT_FALSE(icon.isNull());
            const QPixmap pixmap = icon.pixmap(QSize(16, 16), ratio);
            EXPECT_EQ(pixmap.size(), QSize(16, 16) * ratio);
            EXPECT_DOUBLE_EQ(pixmap.devicePixelRatio(), ratio);
        }
        const QPixmap appIcon = CAppIcons::AppIcon().pixmap(QSize(64, 64), ratio);
        EXPECT_EQ(appIcon.size(), QSize(64, 64) * ratio);
    }
    QLabel label;
    const QPixmap logo = CAppIcons::LogoPixmap(&label);
    EXPECT_EQ(logo.deviceIndependentSize().toSize(), QSize(72, 36));
    EXPECT_EQ(CAppIcons::AppIconPixmap(&label).deviceIndependentSize().toSize(), QSize(48, 48));
}

// The transceiver drawings have black outlines, which vanish on a dark
// window: there they are drawn light, and the drawing as a whole is lighter.
TEST(LookScheme, OutlinesTurnLightOnADarkPalette) {
    const std::vector<int> transceivers = {CommandId::kCloneRead, CommandId::kCloneWrite,
                                           CommandId::kCloneInformation};
    // Icons made before the scheme changes follow it, as the toolbar's do.
    std::vector<QIcon> icons;
    std::vector<double> light;
    for (const int command : transceivers) {
        icons.push_back(CAppIcons::CommandIcon(command, QApplication::style()));
        light.push_back(MeanLightness(icons.back().pixmap(QSize(32, 32))));
    }
    const QIcon appIcon = CAppIcons::AppIcon();
    const double lightAppIcon = MeanLightness(appIcon.pixmap(QSize(48, 48)));
    {
        const DarkPalette dark;
        for (std::size_t i = 0; i < icons.size(); ++i) {
            SCOPED_TRACE(transceivers[i]);
            EXPECT_GT(MeanLightness(icons[i].pixmap(QSize(32, 32))), light[i] + 20);
        }
        EXPECT_GT(MeanLightness(appIcon.pixmap(QSize(48, 48))), lightAppIcon + 20);
    }
    // And back as they were.
    EXPECT_DOUBLE_EQ(MeanLightness(icons[0].pixmap(QSize(32, 32))), light[0]);
}

TEST(LookScheme, DisabledIconsAreGreyedInBothSchemes) {
    const QIcon icon = CAppIcons::CommandIcon(CommandId::kPortCom1, QApplication::style());
    const QImage normal = icon.pixmap(QSize(16, 16)).toImage();
    const QImage disabled = icon.pixmap(QSize(16, 16), QIcon::Disabled).toImage();
    ASSERT_EQ(normal.size(), disabled.size());
    EXPECT_NE(normal, disabled);
}

// The list's rows, its selection bar and its texts take the palette's
// colours, so that a dark scheme gives dark rows with light text.
TEST(LookScheme, ChannelListDrawsInThePalettesColours) {
    const DarkPalette dark;
    QStandardItemModel model(3, 2);
    model.setData(model.index(0, 0), QStringLiteral("01"));
    model.setData(model.index(1, 0), QStringLiteral("02"));
    CListViewEx list;
    list.setModel(&model);
    list.resize(300, 150);
    list.show();
    QApplication::setActiveWindow(&list);
    list.setFocus();
    list.setCurrentIndex(model.index(1, 0));
    list.selectionModel()->select(model.index(1, 0),
                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);

    const QPalette colours = DarkPalette::Colours();
    const QImage image = list.viewport()->grab().toImage();
    const QRect plain = list.RowRect(0);
    const QRect selected = list.RowRect(1);
    // Beyond the columns, where the bar is stretched and no text is drawn.
    const QPoint plainEmpty(plain.right() - 8, plain.center().y());
    const QPoint selectedEmpty(selected.right() - 8, selected.center().y());
    EXPECT_TRUE(Near(image.pixelColor(plainEmpty * image.devicePixelRatio()),
                     colours.color(QPalette::Active, QPalette::Base)));
    EXPECT_TRUE(Near(image.pixelColor(selectedEmpty * image.devicePixelRatio()),
                     colours.color(QPalette::Active, QPalette::Highlight)));

    // The text of an unselected row is light on the dark rows.
    const CListViewEx::CellLayout cell = list.LayoutCell(0, 0);
    int lightPixels = 0;
    for (int y = cell.textRect.top(); y <= cell.textRect.bottom(); ++y)
        for (int x = cell.textRect.left(); x < cell.textRect.left() + 20; ++x)
            if (image.pixelColor(QPoint(x, y) * image.devicePixelRatio()).lightness() > 160)
                ++lightPixels;
    EXPECT_GT(lightPixels, 4);
}
} // namespace

} // namespace kt
