#pragma once

#include <QSettings>
#include <QString>

#include "CPortNames.h"
#include "SettingsKeys.h"

#include <array>

namespace kt {

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
    // The COM port the clone commands use (1 to 4, COM1 when none is stored)
    // and the device chosen for each (empty: found by the program).
    struct PortChoice {
        unsigned number = 1;
        std::array<QString, CPortNames::kPortCount> devices;
    };
    PortChoice ReadPortChoice();
    void WritePortNumber(unsigned number);
    void WritePortDevice(unsigned number, const QString& path);

    // Whether a write is read back and compared; on when nothing is stored.
    bool ReadVerifyAfterWrite();
    void WriteVerifyAfterWrite(bool on);

    // Writes pending changes to disk; false when the file cannot be written.
    bool Sync();

private:
    QSettings settings_;
};

} // namespace kt
