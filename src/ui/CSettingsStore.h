#pragma once

#include <QSettings>
#include <QString>

// The per-user settings of the program, kept by QSettings under the company
// "Velk" and the application "KT-M220" (an INI file in
// $XDG_CONFIG_HOME/Velk/KT-M220.ini). Every section and key the program uses
// is named here, once.
namespace SettingsKey {
inline constexpr char kCommPortSection[] = "CommPort";
inline constexpr char kPortNumber[] = "PortNumber";
// "Device1" to "Device4": the device each of COM1 to COM4 stands for.
inline constexpr char kDevicePrefix[] = "Device";

inline constexpr char kWindowSection[] = "Window Position";
inline constexpr char kLeft[] = "Left";
inline constexpr char kTop[] = "Top";
inline constexpr char kWidth[] = "Width";
inline constexpr char kHeight[] = "Height";
inline constexpr char kCmdShow[] = "CmdShow";
inline constexpr char kToolBarState[] = "ToolBarState";

inline constexpr char kColumnSection[] = "Column";
// "Width0" to "Width6": the widths of the channel list's columns.
inline constexpr char kColumnWidthPrefix[] = "Width";

inline constexpr char kRecentFileSection[] = "Recent File List";
// "File1" to "File4".
inline constexpr char kRecentFilePrefix[] = "File";
} // namespace SettingsKey

class CSettingsStore {
public:
    static constexpr char kCompany[] = "Velk";
    static constexpr char kApplication[] = "KT-M220";

    CSettingsStore();

    int GetInt(const char* section, const QString& key, int defaultValue);
    void WriteInt(const char* section, const QString& key, int value);
    QString GetString(const char* section, const QString& key, const QString& defaultValue = {});
    void WriteString(const char* section, const QString& key, const QString& value);
    QByteArray GetBytes(const char* section, const QString& key);
    void WriteBytes(const char* section, const QString& key, const QByteArray& value);
    // Writes pending changes to disk; false when the file cannot be written.
    bool Sync();

private:
    QSettings settings_;
};
