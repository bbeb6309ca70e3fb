#include "CKneeboardCard.h"

#include "CAirbandChannel.h"
#include "CM220Radio.h"
#include "MegahertzText.h"
#include "OnePageOutput.h"
#include "RadioText.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <array>

namespace kt {

namespace {
using OnePageOutput::DrawText;

// The columns of a channel line, each with its share of the card's width.
enum Column { kNumber, kName, kChannel, kCarrier, kMark };
constexpr std::size_t kColumnCount = 5;
constexpr std::array<qreal, kColumnCount> kShares = {0.11, 0.33, 0.25, 0.20, 0.11};
constexpr std::array<const char*, kColumnCount> kTitles = {"CH", "Name", "Channel", "Carrier", ""};

// Lengths in points (1/72 inch).
constexpr qreal kMarginMillimetres = 7;
constexpr qreal kTitlePoints = 13;
constexpr qreal kSmallPoints = 8;
// The channel lines share the height left; their type grows with them, up
// to this size, and leaves this share of a line as air.
constexpr qreal kLargestPoints = 17;
constexpr qreal kTypeShareOfLine = 0.60;
constexpr qreal kPointsPerMillimetre = 72 / 25.4;

struct Colours {
    QColor paper;
    QColor ink;
    QColor muted;
    QColor empty;
    QColor stripe;
    QColor rule;
};
// The day card is black on white; the night card white on black, its
// lines as bright as its headings, so that a dim cockpit light reads them.
const Colours kDay{Qt::white,
                   QColor(0x10, 0x10, 0x10),
                   QColor(0x55, 0x55, 0x55),
                   QColor(0xa0, 0xa0, 0xa0),
                   QColor(0xec, 0xec, 0xec),
                   QColor(0x30, 0x30, 0x30)};
const Colours kNight{Qt::black,
                     Qt::white,
                     QColor(0xd0, 0xd0, 0xd0),
                     QColor(0x70, 0x70, 0x70),
                     QColor(0x26, 0x26, 0x26),
                     QColor(0xc0, 0xc0, 0xc0)};

// Digits of one width line up the frequencies.
QFont MakeFigures(qreal points, bool bold) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}
} // namespace

// Fonts and lengths for one device and card: lengths in the device's pixels.
struct CKneeboardCard::Metrics : OnePageOutput::DeviceLengths {
    Metrics(QPaintDevice* device, bool night)
        : DeviceLengths(device), colours(night ? kNight : kDay) {}

    Colours colours;
    QFont title = OnePageOutput::Font(kTitlePoints, true);
    QFont small = OnePageOutput::Font(kSmallPoints, false);
    QFont smallBold = OnePageOutput::Font(kSmallPoints, true);
};

CKneeboardCard::CKneeboardCard(CPlanSnapshot plan, std::string title, std::string cloneComment,
                               std::string spacing, Options options, QDateTime printed)
    : plan_(std::move(plan)), title_(std::move(title)), cloneComment_(std::move(cloneComment)),
      spacing_(std::move(spacing)), options_(options), printed_(std::move(printed)) {}

CKneeboardCard CKneeboardCard::Build(CM220Radio& radio, const std::string& title, Options options,
                                     QDateTime printed) {
    return CKneeboardCard(CPlanSnapshot::Take(radio), title, radio.GetCloneComment(),
                          radio.GetChannelSpacing(), options, std::move(printed));
}

std::optional<CKneeboardCard::Size> CKneeboardCard::SizeFromWord(const QString& word) {
    if (word.compare(QLatin1String("a5"), Qt::CaseInsensitive) == 0)
        return Size::kA5;
    if (word.compare(QLatin1String("5x8"), Qt::CaseInsensitive) == 0)
        return Size::k5x8;
    return std::nullopt;
}

QPageLayout CKneeboardCard::Layout(Size size) {
    const QPageSize sheet = size == Size::kA5 ? QPageSize(QPageSize::A5)
                                              : QPageSize(QSizeF(5, 8), QPageSize::Inch,
                                                          QStringLiteral("Index card 5 x 8 in"));
    return QPageLayout(sheet, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter);
}

void CKneeboardCard::Paint(QPainter& painter, const QRectF& area) const {
    const Metrics m(painter.device(), options_.night);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(area, m.colours.paper);

    const qreal margin = kMarginMillimetres * kPointsPerMillimetre * m.pt;
    const QRectF inner = area.adjusted(margin, margin, -margin, -margin);
    painter.translate(inner.topLeft());
    const qreal width = inner.width();
    const qreal top = PaintHeading(painter, width, m);

    const qreal footerHeight = m.Line(m.small);
    const qreal footerTop = inner.height() - footerHeight;
    PaintChannels(painter, top, width, footerTop - 4 * m.pt, m);
    DrawText(painter, m.small, m.colours.muted, QRectF(0, footerTop, width * 0.6, footerHeight),
             Qt::AlignLeft, QStringLiteral("RX: receive only (Tx Inhibit)"));
    DrawText(painter, m.small, m.colours.muted,
             QRectF(width * 0.6, footerTop, width * 0.4, footerHeight), Qt::AlignRight,
             printed_.toString(QStringLiteral("yyyy-MM-dd")));
    painter.restore();
}

qreal CKneeboardCard::PaintHeading(QPainter& p, qreal width, const Metrics& m) const {
    const qreal titleHeight = m.Line(m.title);
    DrawText(p, m.title, m.colours.ink, QRectF(0, 0, width * 0.62, titleHeight), Qt::AlignLeft,
             RadioText(title_));
    DrawText(p, m.small, m.colours.muted, QRectF(width * 0.62, 0, width * 0.38, titleHeight),
             Qt::AlignRight, QStringLiteral("Spacing ") + RadioText(spacing_));
    qreal y = titleHeight;
    if (!cloneComment_.empty()) {
        const qreal commentHeight = m.Line(m.small) * 1.2;
        DrawText(p, m.small, m.colours.ink, QRectF(0, y, width, commentHeight), Qt::AlignLeft,
                 RadioText(cloneComment_));
        y += commentHeight;
    }
    y += 3 * m.pt;
    p.setPen(QPen(m.colours.ink, 1.5 * m.pt));
    p.drawLine(QPointF(0, y), QPointF(width, y));
    return y + 3 * m.pt;
}

void CKneeboardCard::PaintChannels(QPainter& p, qreal top, qreal width, qreal bottom,
                                   const Metrics& m) const {
    std::array<qreal, kColumnCount + 1> x{};
    for (std::size_t c = 0; c < kColumnCount; ++c)
        x[c + 1] = x[c] + kShares[c] * width;
    x.back() = width;
    const qreal pad = 3 * m.pt;
    const auto cell = [&](int column, qreal y, qreal height) {
        const auto c = static_cast<std::size_t>(column);
        return QRectF(x[c] + pad, y, x[c + 1] - x[c] - 2 * pad, height);
    };

    const qreal headHeight = m.Line(m.smallBold) * 1.3;
    for (std::size_t c = 0; c < kColumnCount; ++c)
        DrawText(p, m.smallBold, m.colours.muted, cell(static_cast<int>(c), top, headHeight),
                 static_cast<int>(c) == kNumber ? Qt::AlignRight : Qt::AlignLeft,
                 QString::fromLatin1(kTitles[c]));
    top += headHeight;

    // Twenty lines share the height; the type follows the line.
    const qreal line = (bottom - top) / CPlanSnapshot::kChannelCount;
    const qreal points = std::min(kLargestPoints, line * kTypeShareOfLine / m.pt);
    const QFont large = OnePageOutput::Font(points, true);
    const QFont figures = MakeFigures(points, true);
    const QFont carrier = MakeFigures(std::max(kSmallPoints, points * 0.55), false);
    const QFont mark = OnePageOutput::Font(std::max(kSmallPoints, points * 0.6), true);

    qreal y = top;
    for (const CPlanSnapshot::Channel& channel : plan_.channels) {
        if (channel.number % 2 == 0)
            p.fillRect(QRectF(0, y, width, line), m.colours.stripe);
        const QColor& ink = channel.used ? m.colours.ink : m.colours.empty;
        DrawText(p, large, ink, cell(kNumber, y, line), Qt::AlignRight,
                 QString::number(channel.number));
        if (channel.used) {
            DrawText(p, large, ink, cell(kName, y, line), Qt::AlignLeft, RadioText(channel.name));
            const auto airband = CAirbandChannel::FromDesignator(channel.hz);
            const std::string designator =
                airband ? airband->DesignatorText() : FormatMegahertz(channel.hz, 3);
            DrawText(p, figures, ink, cell(kChannel, y, line), Qt::AlignLeft,
                     RadioText(designator));
            // An 8.33 kHz channel's name is not its carrier; a 25 kHz
            // channel's is.
            if (airband && airband->CarrierHz() != airband->DesignatorHz())
                DrawText(p, carrier, m.colours.muted, cell(kCarrier, y, line), Qt::AlignLeft,
                         RadioText(airband->CarrierText()));
            if (channel.txInhibit) {
                // A solid mark in the ink's colour with the paper's letters.
                const QRectF box = cell(kMark, y, line).adjusted(0, line * 0.18, 0, -line * 0.18);
                const QFontMetricsF metrics(mark, p.device());
                const qreal boxWidth = std::min(
                    box.width(), metrics.horizontalAdvance(QStringLiteral("RX")) + 6 * m.pt);
                const QRectF solid(box.left(), box.top(), boxWidth, box.height());
                p.fillRect(solid, m.colours.ink);
                DrawText(p, mark, m.colours.paper, solid, Qt::AlignHCenter, QStringLiteral("RX"));
            }
        }
        y += line;
    }
    p.setPen(QPen(m.colours.rule, 0.8 * m.pt));
    p.drawLine(QPointF(0, y), QPointF(width, y));
}

bool CKneeboardCard::Print(QPagedPaintDevice& device) const {
    return OnePageOutput::PaintWholePage(
        device, [this](QPainter& painter, const QRectF& area) { Paint(painter, area); });
}

QImage CKneeboardCard::Render(int dpi) const {
    const QPageLayout layout = Layout(options_.size);
    QImage image = OnePageOutput::BlankSheet(layout, dpi);
    QPainter painter(&image);
    Paint(painter, QRectF(QPointF(0, 0), QSizeF(image.size())));
    return image;
}

} // namespace kt
