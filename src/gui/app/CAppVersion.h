#pragma once

#include <QString>

namespace kt {

// The program's name, revision and maker as the About box and the banner show
// them, and the version of this build.
namespace CAppVersion {
inline constexpr char kAppName[] = "KT-M220";
inline constexpr char kRevisionText[] = "KT-M220 Rev.1.0";
inline constexpr char kMakerText[] = "Velk Inc.";

// The build's version number, for example "0.1.0".
QString BuildVersion();
// The maker's line of the About box and the banner (two lines).
QString MakerLine();
} // namespace CAppVersion

} // namespace kt
