#pragma once

#include "CKTM220Doc.h"

#include <QFont>
#include <QImage>
#include <QString>
#include <Qt>
#include <functional>

class QColor;
class QPageLayout;
class QPaintDevice;
class QPainter;
class QRectF;
class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace kt {

// What the printed channel plan and the kneeboard card share: both are one
// page, printed through the print dialog or written as a PDF file.
namespace OnePageOutput {

// Draws the page on a printer or a PDF writer; false when it could not.
using Paint = std::function<bool(QPagedPaintDevice& device)>;

// The print dialog for printer (one page: no page range, selection or
// current page to choose), then the page under the wait cursor; a page the
// printer did not take is said in a box headed failure. False when cancelled
// or not printed.
bool PrintWithDialog(QPrinter& printer, const QString& dialogTitle, const Paint& paint,
                     const QString& failure, QWidget* dialogParent);

// Writes the page as a PDF file at path, whole or not at all (the old file
// stays when it cannot be written). cannotExport heads the result's message.
CKTM220Doc::FileResult WritePdf(const QString& path, const QPageLayout& layout,
                                const QString& title, const Paint& paint,
                                const QString& cannotExport);

// The application's font at points, bold or not: the pages' type.
QFont Font(qreal points, bool bold);

// Lengths on one printer or PDF page, in the device's pixels: pt is one
// typographic point, Line the height of a line of a font.
class DeviceLengths {
public:
    explicit DeviceLengths(QPaintDevice* device);
    qreal Line(const QFont& font) const;

    qreal pt;

private:
    QPaintDevice* device_;
};

// Paints a page into area, in the coordinates of the painter's device.
using PaintArea = std::function<void(QPainter& painter, const QRectF& area)>;

// Paints the page of a printer or PDF writer, all of it within the page
// layout's margins; false when the device cannot be painted.
bool PaintWholePage(QPagedPaintDevice& device, const PaintArea& paint);

// A white image of the whole sheet of layout at dpi, marked with that
// resolution, for pictures of a page.
QImage BlankSheet(const QPageLayout& layout, int dpi);

// Draws text in rect, centred from top to bottom, shortened with "..." when
// it does not fit.
void DrawText(QPainter& painter, const QFont& font, const QColor& colour, const QRectF& rect,
              Qt::Alignment align, const QString& text);

// A box with the program's title, the warning icon, text and detail.
void ShowFailure(QWidget* parent, const QString& text, const QString& detail);

} // namespace OnePageOutput

} // namespace kt
