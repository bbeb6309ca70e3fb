#pragma once

namespace kt {

// The sections and keys of the per-user settings file the desktop program
// keeps ($XDG_CONFIG_HOME/Velk/KT-M220.ini, written through QSettings under the
// company "Velk" and the application "KT-M220"). The desktop program's store
// and the command line's reader both name them from here, once.
namespace SettingsKey {
inline constexpr char kCompany[] = "Velk";
inline constexpr char kApplication[] = "KT-M220";

inline constexpr char kCommPortSection[] = "CommPort";
inline constexpr char kPortNumber[] = "PortNumber";
// "Device1" to "Device4": the device each of COM1 to COM4 stands for.
inline constexpr char kDevicePrefix[] = "Device";

inline constexpr char kCloneSection[] = "Clone";
// 1 (the default) or 0: whether a write that completed is read back and
// compared with what was sent.
inline constexpr char kVerifyAfterWrite[] = "VerifyAfterWrite";

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

} // namespace kt
