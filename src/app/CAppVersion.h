#pragma once

#include <QString>

// The program's name, revision and maker as the About box and the banner show
// them, and the version of this build.
class CAppVersion {
public:
    static constexpr char kAppName[] = "KT-M220";
    static constexpr char kRevisionText[] = "KT-M220 Rev.1.0";
    static constexpr char kMakerText[] = "Velk Inc.";

    // The build's version number, for example "0.1.0".
    static QString BuildVersion();
    // The maker's line of the About box and the banner (two lines).
    static QString MakerLine();
};
