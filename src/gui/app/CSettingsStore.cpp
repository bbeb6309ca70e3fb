#include "CSettingsStore.h"

namespace kt {

namespace {
QString Key(const char* section, const QString& key) {
    return QString::fromLatin1(section) + QLatin1Char('/') + key;
}

QString DeviceKey(unsigned number) {
    return QString::fromLatin1(SettingsKey::kDevicePrefix) + QString::number(number);
}
} // namespace

CSettingsStore::CSettingsStore()
    : settings_(QSettings::IniFormat, QSettings::UserScope, SettingsKey::kCompany,
                SettingsKey::kApplication) {}

int CSettingsStore::GetInt(const char* section, const QString& key, int defaultValue) {
    bool ok = false;
    const int value = settings_.value(Key(section, key), defaultValue).toInt(&ok);
    return ok ? value : defaultValue;
}

void CSettingsStore::WriteInt(const char* section, const QString& key, int value) {
    settings_.setValue(Key(section, key), value);
}

QString CSettingsStore::GetString(const char* section, const QString& key,
                                  const QString& defaultValue) {
    return settings_.value(Key(section, key), defaultValue).toString();
}

void CSettingsStore::WriteString(const char* section, const QString& key, const QString& value) {
    settings_.setValue(Key(section, key), value);
}

void CSettingsStore::WriteBytes(const char* section, const QString& key, const QByteArray& value) {
    settings_.setValue(Key(section, key), value);
}

bool CSettingsStore::Sync() {
    settings_.sync();
    return settings_.status() == QSettings::NoError;
}

CSettingsStore::PortChoice CSettingsStore::ReadPortChoice() {
    PortChoice choice;
    choice.number =
        static_cast<unsigned>(GetInt(SettingsKey::kCommPortSection, SettingsKey::kPortNumber, 1));
    for (unsigned n = 1; n <= CPortNames::kPortCount; ++n)
        choice.devices[n - 1] = GetString(SettingsKey::kCommPortSection, DeviceKey(n));
    return choice;
}

void CSettingsStore::WritePortNumber(unsigned number) {
    WriteInt(SettingsKey::kCommPortSection, SettingsKey::kPortNumber, static_cast<int>(number));
}

void CSettingsStore::WritePortDevice(unsigned number, const QString& path) {
    WriteString(SettingsKey::kCommPortSection, DeviceKey(number), path);
}

bool CSettingsStore::ReadVerifyAfterWrite() {
    return GetInt(SettingsKey::kCloneSection, SettingsKey::kVerifyAfterWrite, 1) != 0;
}

void CSettingsStore::WriteVerifyAfterWrite(bool on) {
    WriteInt(SettingsKey::kCloneSection, SettingsKey::kVerifyAfterWrite, on ? 1 : 0);
}

} // namespace kt
