#pragma once

#include <QSettings>
#include <QString>

#include "SettingsKeys.h"

// The per-user settings of the program, kept by QSettings (an INI file in
// $XDG_CONFIG_HOME/Velk/KT-M220.ini); SettingsKeys.h names every section and key.
class CSettingsStore {
public:
    CSettingsStore();

    int GetInt(const char* section, const QString& key, int defaultValue);
    void WriteInt(const char* section, const QString& key, int value);
    QString GetString(const char* section, const QString& key, const QString& defaultValue = {});
    void WriteString(const char* section, const QString& key, const QString& value);
    void WriteBytes(const char* section, const QString& key, const QByteArray& value);
    // Writes pending changes to disk; false when the file cannot be written.
    bool Sync();

private:
    QSettings settings_;
};
