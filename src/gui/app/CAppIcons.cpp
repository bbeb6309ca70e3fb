#include "CAppIcons.h"

#include "CAppResources.h"
#include "CommandIds.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPalette>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>
#include <QXmlStreamReader>

#include <array>
#include <utility>

namespace kt {

namespace {
// The drawings' near-black outlines and antennas, and the light greys they
// are drawn in on a dark palette, where black would vanish into the window.
struct Recolour {
    const char* light;
    const char* dark;
};
constexpr std::array<Recolour, 5> kDarkSchemeColours{{
    {"#1a1a1a", "#d8d8d8"},
    {"#202020", "#d8d8d8"},
    {"#2b2b2b", "#c8c8c8"},
    {"#303030", "#c8c8c8"},
    {"#505050", "#b4b4b4"},
}};

// A palette is dark when its window colour is; the icons follow the
// application's palette, that is the desktop's colour scheme.
bool PaletteIsDark() {
    return QGuiApplication::palette().color(QPalette::Window).lightness() < 128;
}

// An SVG drawing from the resources, drawn afresh for each size and device
// pixel ratio asked for (so it is sharp at any scale), in the colours that
// suit the palette in use when it is drawn.
class CSchemeSvgEngine : public QIconEngine {
public:
    // name is the drawing's: ":/icons/<name>.svg", with its pictures drawn
    // beforehand (":/icons/png/<name>-<side>.png") for the sizes a start
    // shows, so that the start draws no SVG.
    explicit CSchemeSvgEngine(QString name)
        : name_(std::move(name)), file_(QStringLiteral(":/icons/%1.svg").arg(name_)) {}

    QIconEngine* clone() const override { return new CSchemeSvgEngine(*this); }
    QString key() const override { return QStringLiteral("CSchemeSvgEngine"); }

    // A drawing has every size; these are the ones a window icon is made in
    // (all of them drawn beforehand, so that showing a window draws no SVG).
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const int side : kDrawnSides)
            sizes << Fitted(QSize(side, side));
        return sizes;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return Fitted(size); }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        return Render(size, mode);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap picture = Render(rect.size() * ratio, mode);
        picture.setDevicePixelRatio(ratio);
        const QSize shown = picture.deviceIndependentSize().toSize();
        const QRect target(rect.topLeft() + QPoint((rect.width() - shown.width()) / 2,
                                                   (rect.height() - shown.height()) / 2),
                           shown);
        painter->drawPixmap(target, picture);
    }

private:
    QByteArray Source(bool dark) const {
        QFile file(file_);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QByteArray svg = file.readAll();
        if (dark)
            for (const Recolour& colour : kDarkSchemeColours)
                svg.replace(colour.light, colour.dark);
        return svg;
    }

    // The largest size within size that keeps the drawing's proportions.
    QSize Fitted(const QSize& size) {
        if (!naturalKnown_) {
            naturalKnown_ = true;
            natural_ = NaturalSize(Source(false));
        }
        return natural_.isEmpty() ? size : natural_.scaled(size, Qt::KeepAspectRatio);
    }

    QString DrawnPath(int side) const {
        return QStringLiteral(":/icons/png/%1-%2.png").arg(name_).arg(side);
    }

    // The picture drawn beforehand for size in the normal colours, or none.
    QImage Drawn(const QSize& size, bool dark) const {
        if (dark)
            return {};
        QImageReader reader(DrawnPath(size.width()), "png");
        return reader.canRead() && reader.size() == size ? reader.read() : QImage();
    }

    // The width and height the drawing's root element gives, read without
    // drawing it (so that the SVG library is not loaded for it).
    static QSize NaturalSize(const QByteArray& svg) {
        QXmlStreamReader xml(svg);
        while (!xml.atEnd())
            if (xml.readNext() == QXmlStreamReader::StartElement) {
                const QXmlStreamAttributes attributes = xml.attributes();
                return QSize(attributes.value(QLatin1String("width")).toInt(),
                             attributes.value(QLatin1String("height")).toInt());
            }
        return {};
    }

    QPixmap Render(const QSize& size, QIcon::Mode mode) {
        if (size.isEmpty())
            return {};
        const bool dark = PaletteIsDark();
        const QString cacheKey = QStringLiteral("kt-icon:%1:%2x%3:%4:%5")
                                     .arg(file_)
                                     .arg(size.width())
                                     .arg(size.height())
                                     .arg(dark ? 1 : 0)
                                     .arg(int(mode));
        QPixmap picture;
        if (QPixmapCache::find(cacheKey, &picture))
            return picture;
        const QSize fitted = Fitted(size);
        QImage image = Drawn(fitted, dark);
        if (image.isNull()) {
            QByteArray svg = Source(dark);
            QBuffer buffer(&svg);
            QImageReader reader(&buffer, "svg");
            reader.setScaledSize(fitted);
            image = reader.read();
        }
        picture = QPixmap::fromImage(image);
        if (mode != QIcon::Normal && !picture.isNull() && qobject_cast<QApplication*>(qApp)) {
            QStyleOption option;
            option.palette = QGuiApplication::palette();
            picture = QApplication::style()->generatedIconPixmap(mode, picture, &option);
        }
        QPixmapCache::insert(cacheKey, picture);
        return picture;
    }

    // The sizes drawn beforehand: the toolbar's at 100 % and 200 %, and the
    // window icon's.
    static constexpr std::array<int, 5> kDrawnSides{16, 32, 48, 64, 128};

    QString name_;
    QString file_;
    QSize natural_;
    bool naturalKnown_ = false;
};

QIcon Svg(const char* name) {
    InitAppResources();
    // The icon owns its engine.
    return QIcon(new CSchemeSvgEngine(QLatin1String(name)));
}

QPixmap Draw(const char* name, QSize size, const QWidget* widget) {
    const qreal ratio = widget ? widget->devicePixelRatioF() : 1.0;
    return Svg(name).pixmap(size, ratio);
}
} // namespace

QIcon CAppIcons::AppIcon() {
    return Svg("kt-m220");
}

QPixmap CAppIcons::AppIconPixmap(const QWidget* widget) {
    return Draw("kt-m220", QSize(48, 48), widget);
}

QPixmap CAppIcons::LogoPixmap(const QWidget* widget) {
    return Draw("logo", QSize(72, 36), widget);
}

QIcon CAppIcons::CommandIcon(int commandId, const QStyle* style) {
    using namespace CommandId;
    // The file commands wear the desktop's own icons.
    static constexpr std::pair<int, QStyle::StandardPixmap> kStandard[] = {
        {kFileNew, QStyle::SP_FileIcon},
        {kFileOpen, QStyle::SP_DialogOpenButton},
        {kFileSave, QStyle::SP_DialogSaveButton},
    };
    static constexpr std::pair<int, const char*> kDrawn[] = {
        {kEditMemory, "edit-memory"},
        {kEditCopy, "copy"},
        {kEditPaste, "paste"},
        {kEditClear, "clear"},
        {kCommonSetting, "common-setting"},
        {kPortCom1, "com1"},
        {kPortCom1 + 1, "com2"},
        {kPortCom1 + 2, "com3"},
        {kPortCom1 + 3, "com4"},
        {kCloneRead, "clone-read"},
        {kCloneWrite, "clone-write"},
        {kCloneInformation, "clone-information"},
    };
    for (const auto& [id, pixmap] : kStandard)
        if (id == commandId)
            return style->standardIcon(pixmap);
    for (const auto& [id, name] : kDrawn)
        if (id == commandId)
            return Svg(name);
    return {};
}

} // namespace kt
