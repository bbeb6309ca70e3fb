#pragma once

#include "TempDir.h"

#include <QByteArray>
#include <QDir>
#include <QSettings>
#include <QString>

namespace kt {

// The per-user settings of one test in a private folder: XDG_CONFIG_HOME and
// QSettings' user path point there while the object lives, and are put back
// afterwards.

class ViewTempSettings {
public:
    ViewTempSettings()
        : hadOld_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")), old_(qgetenv("XDG_CONFIG_HOME")) {
        const QString path = QString::fromStdString(dir_.Path().string());
        qputenv("XDG_CONFIG_HOME", path.toLocal8Bit());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, path);
    }
    ~ViewTempSettings() {
        if (hadOld_)
            qputenv("XDG_CONFIG_HOME", old_);
        else
            qunsetenv("XDG_CONFIG_HOME");
        const QString restored =
            hadOld_ ? QString::fromLocal8Bit(old_) : QDir::homePath() + QStringLiteral("/.config");
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, restored);
    }
    ViewTempSettings(const ViewTempSettings&) = delete;
    ViewTempSettings& operator=(const ViewTempSettings&) = delete;

    const TempDir& Dir() const { return dir_; }

private:
    TempDir dir_;
    bool hadOld_;
    QByteArray old_;
};

} // namespace kt
