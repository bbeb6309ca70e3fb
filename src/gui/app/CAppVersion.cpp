#include "CAppVersion.h"

namespace kt {

QString CAppVersion::BuildVersion() {
    return QStringLiteral(KTM220_VERSION);
}

QString CAppVersion::MakerLine() {
    return QStringLiteral("%1\nfor Linux, version %2")
        .arg(QLatin1String(kMakerText), BuildVersion());
}

} // namespace kt
