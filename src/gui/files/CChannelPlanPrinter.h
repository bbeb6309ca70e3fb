#pragma once

#include "CChannelPlan.h"

#include <QDateTime>
#include <QImage>
#include <QPageLayout>
#include <QRectF>

class QPagedPaintDevice;
class QPainter;

namespace kt {

// Lays out a channel plan on one page: the document's title and the clone
// comment as the heading, the 20 channels as a table with the channel list's
// columns, then the settings of the Common and Advanced pages side by side,
// and a footer with the date. The same painting serves a printer, a PDF
// writer and an image of the page; a page too small for it all gets it
// scaled down to fit.
class CChannelPlanPrinter {
public:
    explicit CChannelPlanPrinter(CChannelPlan plan,
                                 QDateTime printed = QDateTime::currentDateTime());

    // Paints the page into area, in the coordinates of the painter's device;
    // sizes follow the device's resolution.
    void Paint(QPainter& painter, const QRectF& area) const;
    // Paints the one page onto a printer or PDF writer (its page layout and
    // margins as set). False when painting could not begin or end.
    bool Print(QPagedPaintDevice& device) const;
    // The whole page, margins and all, as an image at dpi dots per inch.
    QImage Render(const QPageLayout& layout, int dpi) const;

    // The page layout for a new PDF: A4, or Letter where the locale measures
    // in inches, portrait, with 15 mm margins.
    static QPageLayout DefaultLayout();

private:
    struct Metrics;
    // Each lays out its part from top in width and returns the height used
    // (the next free position); with a null painter it only measures.
    qreal PaintContent(QPainter* painter, qreal width, const Metrics& m) const;
    qreal PaintTable(QPainter* painter, qreal top, qreal width, const Metrics& m) const;
    qreal PaintSettings(QPainter* painter, qreal top, qreal width, const Metrics& m) const;

    CChannelPlan plan_;
    QDateTime printed_;
};

} // namespace kt
