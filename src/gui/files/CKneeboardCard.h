#pragma once

#include "CPlanSnapshot.h"

#include <QDateTime>
#include <QImage>
#include <QPageLayout>
#include <QRectF>
#include <QString>

#include <optional>
#include <string>

class QPagedPaintDevice;
class QPainter;

namespace kt {

class CM220Radio;

// The channel plan as a card to clip to the knee: the 20 memory channels in
// large type, one line each (number, name, channel, and the carrier where it
// is not the channel's own name), receive-only channels marked "RX", on an A5
// or a 5 x 8 inch card. The night card is white on black. The card paints its
// own margins, so the page it is given is the whole sheet.
class CKneeboardCard {
public:
    enum class Size { kA5, k5x8 };
    struct Options {
        Size size = Size::kA5;
        bool night = false;
    };

    CKneeboardCard(CPlanSnapshot plan, std::string title, std::string cloneComment,
                   std::string spacing, Options options,
                   QDateTime printed = QDateTime::currentDateTime());
    // The card of the radio's plan; title names the document.
    static CKneeboardCard Build(CM220Radio& radio, const std::string& title, Options options,
                                QDateTime printed = QDateTime::currentDateTime());

    // "a5" and "5x8", in any case; nothing for any other word.
    static std::optional<Size> SizeFromWord(const QString& word);
    // The sheet of the size, portrait, without margins.
    static QPageLayout Layout(Size size);
    const Options& GetOptions() const { return options_; }

    // Paints the whole card into area (the sheet), background and margins
    // included, in the coordinates of the painter's device.
    void Paint(QPainter& painter, const QRectF& area) const;
    // Paints the card onto a printer or PDF writer whose page is the whole
    // sheet. False when painting could not begin or end.
    bool Print(QPagedPaintDevice& device) const;
    // The card as an image at dpi dots per inch.
    QImage Render(int dpi) const;

private:
    struct Metrics;
    qreal PaintHeading(QPainter& painter, qreal width, const Metrics& m) const;
    void PaintChannels(QPainter& painter, qreal top, qreal width, qreal bottom,
                       const Metrics& m) const;

    CPlanSnapshot plan_;
    std::string title_;
    std::string cloneComment_;
    std::string spacing_;
    Options options_;
    QDateTime printed_;
};

} // namespace kt
