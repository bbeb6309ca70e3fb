#include "DarkPalette.h"
#include "ScreenshotSets.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <optional>

using namespace kt;

// Draws the program's windows to PNG files for the documentation:
//
//   ui_screenshots normal FOLDER
//   ui_screenshots look FOLDER [dark]
//
// "look" is the set scripts/screenshots draws at other scales
// (QT_SCALE_FACTOR) and, with "dark", in a dark colour scheme. Drawn
// offscreen unless QT_QPA_PLATFORM says otherwise; the settings, data and
// temporary files go to a private folder, never the user's own.
int main(int argc, char** argv) {
    const QString usage = QStringLiteral("usage: ui_screenshots normal|look FOLDER [dark]\n");
    if (argc < 3 || argc > 4) {
        fputs(qPrintable(usage), stderr);
        return 2;
    }
    const QString set = QString::fromLocal8Bit(argv[1]);
    const bool dark = argc == 4 && QString::fromLocal8Bit(argv[3]) == QLatin1String("dark");
    if ((set != QLatin1String("normal") && set != QLatin1String("look")) || (argc == 4 && !dark)) {
        fputs(qPrintable(usage), stderr);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    for (const char* name : {"config", "data", "runtime", "tmp"})
        QDir(home.path()).mkpath(QString::fromLatin1(name));
    QFile::setPermissions(home.path() + QStringLiteral("/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", (home.path() + "/runtime").toLocal8Bit());
    qputenv("TMPDIR", (home.path() + "/tmp").toLocal8Bit());

    QApplication application(argc, argv);
    const QString folder = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    if (!QDir().mkpath(folder)) {
        fprintf(stderr, "ui_screenshots: cannot make %s\n", qPrintable(folder));
        return 1;
    }
    QStringList failures;
    if (set == QLatin1String("normal")) {
        ScreenshotSets::RenderNormal(folder, home.path(), failures);
    } else {
        std::optional<DarkPalette> palette;
        if (dark)
            palette.emplace();
        ScreenshotSets::RenderLook(folder, home.path(), dark, failures);
    }
    for (const QString& failure : failures)
        fprintf(stderr, "ui_screenshots: not drawn: %s\n", qPrintable(failure));
    return failures.isEmpty() ? 0 : 1;
}
