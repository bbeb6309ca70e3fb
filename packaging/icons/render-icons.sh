#!/usr/bin/env bash
# Renders the application icon (resources/icons/kt-m220.svg) into the PNG sizes
# that desktops without SVG support look for: kt-m220-<N>.png beside this
# script; and the toolbar's drawings into resources/icons/png/<name>-<N>.png at
# 16 and 32 pixels and the logo at 72 x 36 and twice that, which the program
# shows at start instead of drawing the
# SVG (it draws the SVG for other sizes and colour schemes, when first asked).
# Run it again only when an icon changes, and commit the PNGs; the build and
# the package use the committed files and need none of this.
#
# Qt's own SVG renderer does the drawing (the SVG image plugin of libqt6svg6),
# through a throwaway program compiled here and deleted afterwards.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
svg="$here/../../resources/icons/kt-m220.svg"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/render.cpp" <<'CPP'
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <cstdio>

// render SVG OUTDIR NAME SIZE...: OUTDIR/NAME-WIDTH.png for each SIZE, given as
// a side (16) or as WIDTHxHEIGHT (72x36).
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    for (int i = 4; i < argc; ++i) {
        const QStringList sides = QString::fromLatin1(argv[i]).split(QLatin1Char('x'));
        const int width = sides.value(0).toInt();
        const int height = sides.size() > 1 ? sides.value(1).toInt() : width;
        QImageReader reader(QString::fromLocal8Bit(argv[1]), "svg");
        reader.setScaledSize(QSize(width, height));
        QImage image = reader.read();
        if (image.isNull()) {
            std::fprintf(stderr, "render: %s\n", qPrintable(reader.errorString()));
            return 1;
        }
        image = image.convertToFormat(QImage::Format_ARGB32);
        const QString out = QStringLiteral("%1/%2-%3.png").arg(argv[2], argv[3]).arg(width);
        if (!image.save(out, "PNG")) {
            std::fprintf(stderr, "render: cannot write %s\n", qPrintable(out));
            return 1;
        }
    }
    return 0;
}
CPP

g++ -std=c++17 -fPIC "$work/render.cpp" -o "$work/render" $(pkg-config --cflags --libs Qt6Gui)
"$work/render" "$svg" "$here" kt-m220 16 32 48 64 128 256
ls -l "$here"/kt-m220-*.png
icons="$here/../../resources/icons"
mkdir -p "$icons/png"
for drawing in clear clone-information clone-read clone-write com1 com2 com3 com4 \
    common-setting copy edit-memory paste; do
    "$work/render" "$icons/$drawing.svg" "$icons/png" "$drawing" 16 32
done
# The maker's logo in About and the start-up banner.
"$work/render" "$icons/logo.svg" "$icons/png" logo 72x36 144x72
ls -l "$icons"/png/*.png
