#include "CChannelPlanPrinter.h"

#include "OnePageOutput.h"
#include "RadioText.h"
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <array>

namespace kt {

namespace {
// Column titles as the channel list has them, and each column's share of the
// table's width.
struct Column {
    const char* title;
    qreal share;
    Qt::Alignment align;
};
constexpr std::array<Column, 6> kColumns{{
    {"CH", 0.08, Qt::AlignRight},
    {"Prio", 0.10, Qt::AlignLeft},
    {"Frequency", 0.19, Qt::AlignRight},
    {"Name", 0.21, Qt::AlignLeft},
    {"Tx Inhibit", 0.18, Qt::AlignLeft},
    {"Memory Lockout", 0.24, Qt::AlignLeft},
}};

// Sizes in points (1/72 inch).
constexpr qreal kTitlePoints = 18;
constexpr qreal kCommentPoints = 11;
constexpr qreal kHeadingPoints = 12;
constexpr qreal kCellPoints = 9.5;
constexpr qreal kFooterPoints = 8;
constexpr qreal kCellPadding = 5;
constexpr qreal kSectionGap = 16;
constexpr qreal kGroupGap = 24;
constexpr qreal kMarginMillimetres = 15;
// The widest the page is laid out: the width of A4 or Letter paper within
// their margins; wider paper leaves the rest blank rather than stretch the
// table.
constexpr qreal kMaxWidthPoints = 560;

const QColor kInk(0x20, 0x20, 0x20);
const QColor kMuted(0x70, 0x70, 0x70);
const QColor kEmptyChannel(0x9a, 0x9a, 0x9a);
const QColor kRule(0xb4, 0xb4, 0xb4);
const QColor kHeaderFill(0xe4, 0xe8, 0xee);
const QColor kStripeFill(0xf4, 0xf6, 0xf8);

// Draws text in rect, shortened with "..." when it does not fit; painter may
// be null when only the layout is being measured.
void DrawText(QPainter* painter, const QFont& font, const QColor& colour, const QRectF& rect,
              Qt::Alignment align, const QString& text) {
    if (painter)
        OnePageOutput::DrawText(*painter, font, colour, rect, align, text);
}

void DrawRule(QPainter* painter, qreal x1, qreal x2, qreal y, qreal width, const QColor& colour) {
    if (!painter)
        return;
    painter->setPen(QPen(colour, width));
    painter->drawLine(QPointF(x1, y), QPointF(x2, y));
}
} // namespace

// Fonts and lengths for one device: lengths in the device's pixels.
struct CChannelPlanPrinter::Metrics : OnePageOutput::DeviceLengths {
    using DeviceLengths::DeviceLengths;

    QFont title = OnePageOutput::Font(kTitlePoints, true);
    QFont comment = OnePageOutput::Font(kCommentPoints, false);
    QFont heading = OnePageOutput::Font(kHeadingPoints, true);
    QFont cell = OnePageOutput::Font(kCellPoints, false);
    QFont cellBold = OnePageOutput::Font(kCellPoints, true);
    QFont footer = OnePageOutput::Font(kFooterPoints, false);
};

CChannelPlanPrinter::CChannelPlanPrinter(CChannelPlan plan, QDateTime printed)
    : plan_(std::move(plan)), printed_(std::move(printed)) {}

QPageLayout CChannelPlanPrinter::DefaultLayout() {
    const bool inches = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    const QMarginsF margins(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres,
                            kMarginMillimetres);
    return QPageLayout(QPageSize(inches ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                       margins, QPageLayout::Millimeter);
}

void CChannelPlanPrinter::Paint(QPainter& painter, const QRectF& area) const {
    const Metrics m(painter.device());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    // The page is laid out at its natural size and scaled down as a whole
    // when the paper is too short for it (landscape, small sizes); on wide
    // paper it keeps a readable width, centred.
    const qreal footerHeight = m.Line(m.footer);
    const qreal gap = kSectionGap * m.pt;
    const qreal natural = std::min(area.width(), kMaxWidthPoints * m.pt);
    const qreal needed = PaintContent(nullptr, natural, m) + gap + footerHeight;
    const qreal scale = std::min(1.0, area.height() / std::max(needed, 1.0));
    const qreal height = area.height() / scale;
    const qreal width = std::min(area.width() / scale, kMaxWidthPoints * m.pt);
    painter.translate(area.topLeft());
    painter.scale(scale, scale);
    painter.translate((area.width() / scale - width) / 2, 0);
    PaintContent(&painter, width, m);

    const qreal footerTop = height - footerHeight;
    DrawRule(&painter, 0, width, footerTop - 3 * m.pt, 0.5 * m.pt, kRule);
    DrawText(&painter, m.footer, kMuted, QRectF(0, footerTop, width * 0.6, footerHeight),
             Qt::AlignLeft,
             QStringLiteral("KT-M220 channel plan for the ") + RadioText(plan_.model));
    DrawText(&painter, m.footer, kMuted, QRectF(width * 0.6, footerTop, width * 0.4, footerHeight),
             Qt::AlignRight,
             QStringLiteral("Printed ") + printed_.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    painter.restore();
}

bool CChannelPlanPrinter::Print(QPagedPaintDevice& device) const {
    return OnePageOutput::PaintWholePage(
        device, [this](QPainter& painter, const QRectF& area) { Paint(painter, area); });
}

QImage CChannelPlanPrinter::Render(const QPageLayout& layout, int dpi) const {
    QImage image = OnePageOutput::BlankSheet(layout, dpi);
    QPainter painter(&image);
    Paint(painter, QRectF(layout.paintRectPixels(dpi)));
    return image;
}

qreal CChannelPlanPrinter::PaintContent(QPainter* p, qreal width, const Metrics& m) const {
    qreal y = 0;
    const qreal titleHeight = m.Line(m.title);
    DrawText(p, m.title, kInk, QRectF(0, y, width * 0.75, titleHeight), Qt::AlignLeft,
             RadioText(plan_.title));
    DrawText(p, m.comment, kMuted, QRectF(width * 0.75, y, width * 0.25, titleHeight),
             Qt::AlignRight, RadioText(plan_.model));
    y += titleHeight;
    const qreal commentHeight = m.Line(m.comment) * 1.3;
    const QString comment = plan_.cloneComment.empty()
                                ? QStringLiteral("No clone comment")
                                : QStringLiteral("Clone comment: ") + RadioText(plan_.cloneComment);
    DrawText(p, m.comment, kInk, QRectF(0, y, width, commentHeight), Qt::AlignLeft, comment);
    y += commentHeight + 4 * m.pt;
    DrawRule(p, 0, width, y, 1.2 * m.pt, kInk);
    y += kSectionGap * m.pt;

    y = PaintTable(p, y, width, m);
    y += kSectionGap * m.pt;
    return PaintSettings(p, y, width, m);
}

qreal CChannelPlanPrinter::PaintTable(QPainter* p, qreal top, qreal width, const Metrics& m) const {
    qreal y = top;
    const qreal headingHeight = m.Line(m.heading) * 1.4;
    DrawText(p, m.heading, kInk, QRectF(0, y, width, headingHeight), Qt::AlignLeft,
             QStringLiteral("Memory Channels"));
    y += headingHeight;

    const qreal rowHeight = m.Line(m.cell) * 1.55;
    const qreal padding = kCellPadding * m.pt;
    std::array<qreal, kColumns.size() + 1> x{};
    for (std::size_t c = 0; c < kColumns.size(); ++c)
        x[c + 1] = x[c] + kColumns[c].share * width;
    x.back() = width;

    const auto drawRow = [&](qreal rowTop, const auto& textOf, const QFont& font,
                             const QColor& colour) {
        for (std::size_t c = 0; c < kColumns.size(); ++c) {
            const QRectF cell(x[c] + padding, rowTop, x[c + 1] - x[c] - 2 * padding, rowHeight);
            DrawText(p, font, colour, cell, kColumns[c].align, textOf(c));
        }
    };

    if (p)
        p->fillRect(QRectF(0, y, width, rowHeight), kHeaderFill);
    drawRow(
        y, [](std::size_t c) { return QString::fromLatin1(kColumns[c].title); }, m.cellBold, kInk);
    y += rowHeight;
    DrawRule(p, 0, width, y, 0.8 * m.pt, kMuted);

    for (std::size_t r = 0; r < plan_.rows.size(); ++r) {
        const CChannelRow& row = plan_.rows[r];
        // An empty channel shows only its number, greyed.
        const bool empty = row.cells[2].empty();
        if (p && r % 2 == 1)
            p->fillRect(QRectF(0, y, width, rowHeight), kStripeFill);
        drawRow(
            y, [&row](std::size_t c) { return RadioText(row.cells[c]); }, m.cell,
            empty ? kEmptyChannel : kInk);
        y += rowHeight;
    }
    DrawRule(p, 0, width, y, 0.8 * m.pt, kMuted);
    return y;
}

qreal CChannelPlanPrinter::PaintSettings(QPainter* p, qreal top, qreal width,
                                         const Metrics& m) const {
    const qreal headingHeight = m.Line(m.heading) * 1.4;
    DrawText(p, m.heading, kInk, QRectF(0, top, width, headingHeight), Qt::AlignLeft,
             QStringLiteral("Settings"));
    top += headingHeight;

    // The groups side by side, each a column of label and value.
    const qreal gap = kGroupGap * m.pt;
    const qreal count = static_cast<qreal>(std::max<std::size_t>(plan_.groups.size(), 1));
    const qreal groupWidth = (width - gap * (count - 1)) / count;
    const qreal rowHeight = m.Line(m.cell) * 1.45;
    const qreal labelWidth = groupWidth * 0.55;
    qreal bottom = top;
    for (std::size_t g = 0; g < plan_.groups.size(); ++g) {
        const CChannelPlan::Group& group = plan_.groups[g];
        const qreal left = static_cast<qreal>(g) * (groupWidth + gap);
        qreal y = top;
        DrawText(p, m.cellBold, kInk, QRectF(left, y, groupWidth, rowHeight), Qt::AlignLeft,
                 RadioText(group.title));
        y += rowHeight;
        DrawRule(p, left, left + groupWidth, y, 0.6 * m.pt, kRule);
        y += 2 * m.pt;
        for (const CChannelPlan::Setting& setting : group.settings) {
            DrawText(p, m.cell, kMuted, QRectF(left, y, labelWidth, rowHeight), Qt::AlignLeft,
                     RadioText(setting.label));
            DrawText(p, m.cellBold, kInk,
                     QRectF(left + labelWidth, y, groupWidth - labelWidth, rowHeight),
                     Qt::AlignLeft, RadioText(setting.value));
            y += rowHeight;
        }
        bottom = std::max(bottom, y);
    }
    return bottom;
}

} // namespace kt
