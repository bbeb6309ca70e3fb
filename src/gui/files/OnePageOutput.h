#pragma once

#include "CKTM220Doc.h"

#include <QFont>
#include <QString>
#include <functional>

class QPageLayout;
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

// A box with the program's title, the warning icon, text and detail.
void ShowFailure(QWidget* parent, const QString& text, const QString& detail);

} // namespace OnePageOutput

} // namespace kt
