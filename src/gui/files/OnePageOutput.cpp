#include "OnePageOutput.h"

#include "CPlainMessageBox.h"
#include "CStringTable.h"
#include "CWaitCursor.h"
#include "CommandIds.h"
#include "FileReplace.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

namespace kt {

bool OnePageOutput::PrintWithDialog(QPrinter& printer, const QString& dialogTitle,
                                    const Paint& paint, const QString& failure,
                                    QWidget* dialogParent) {
    printer.setCreator(CStringTable::Text(StringId::kAppTitle));
    printer.setFromTo(1, 1);
    QPrintDialog dialog(&printer, dialogParent);
    dialog.setWindowTitle(dialogTitle);
    // One page: there is nothing to choose among pages.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    bool printed = false;
    {
        CWaitCursor wait;
        printed = paint(printer);
    }
    if (!printed)
        ShowFailure(dialogParent, failure,
                    printer.printerName().isEmpty()
                        ? QStringLiteral("The printer did not accept the page.")
                        : printer.printerName() +
                              QStringLiteral(": the printer did not accept the page."));
    return printed;
}

CKTM220Doc::FileResult OnePageOutput::WritePdf(const QString& path, const QPageLayout& layout,
                                               const QString& title, const Paint& paint,
                                               const QString& cannotExport) {
    QBuffer file;
    file.open(QIODevice::WriteOnly);
    bool painted = false;
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(layout);
        writer.setTitle(title);
        writer.setCreator(CStringTable::Text(StringId::kAppTitle));
        painted = paint(writer);
    }
    const QString reason =
        painted ? ReplaceFile(path, std::string_view(file.data().constData(), file.data().size()))
                : QStringLiteral("failed");
    if (!reason.isEmpty())
        return {false, cannotExport,
                path + QStringLiteral(": ") + reason +
                    QStringLiteral("\nThe file on disk has not been changed.")};
    return {};
}

QFont OnePageOutput::Font(qreal points, bool bold) {
    QFont font;
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void OnePageOutput::ShowFailure(QWidget* parent, const QString& text, const QString& detail) {
    CPlainMessageBox box(QMessageBox::Warning, CStringTable::Text(StringId::kAppTitle), text,
                         QMessageBox::Ok, parent);
    box.setInformativeText(detail);
    box.exec();
}

OnePageOutput::DeviceLengths::DeviceLengths(QPaintDevice* device)
    : pt(device->logicalDpiY() / 72.0), device_(device) {}

qreal OnePageOutput::DeviceLengths::Line(const QFont& font) const {
    return QFontMetricsF(font, device_).height();
}

bool OnePageOutput::PaintWholePage(QPagedPaintDevice& device, const PaintArea& paint) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    paint(painter, QRectF(0, 0, device.width(), device.height()));
    return painter.end();
}

QImage OnePageOutput::BlankSheet(const QPageLayout& layout, int dpi) {
    QImage image(layout.fullRectPixels(dpi).size(), QImage::Format_RGB32);
    constexpr double kInchesPerMetre = 1 / 0.0254;
    image.setDotsPerMeterX(static_cast<int>(dpi * kInchesPerMetre + 0.5));
    image.setDotsPerMeterY(static_cast<int>(dpi * kInchesPerMetre + 0.5));
    image.fill(Qt::white);
    return image;
}

void OnePageOutput::DrawText(QPainter& painter, const QFont& font, const QColor& colour,
                             const QRectF& rect, Qt::Alignment align, const QString& text) {
    const QFontMetricsF metrics(font, painter.device());
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(rect, static_cast<int>(align | Qt::AlignVCenter),
                     metrics.elidedText(text, Qt::ElideRight, rect.width()));
}

} // namespace kt
