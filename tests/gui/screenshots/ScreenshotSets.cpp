#include "ScreenshotSets.h"

#include <QDir>
#include <QImageWriter>
#include <QWidget>

bool ScreenshotSets::Save(QWidget* widget, const QString& folder, const char* name) {
    QImageWriter writer(QDir(folder).filePath(QLatin1String(name)), "png");
    writer.setQuality(0);
    return writer.write(widget->grab().toImage());
}
