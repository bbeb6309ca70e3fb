#include "CLockKeyState.h"

#include <QDir>
#include <QFile>

namespace {
bool LedIsOn(const QString& folder) {
    QFile brightness(folder + QStringLiteral("/brightness"));
    if (!brightness.open(QIODevice::ReadOnly))
        return false;
    return brightness.readAll().trimmed().toInt() > 0;
}
} // namespace

CLockKeyState CLockKeyState::Read(const QString& ledFolder) {
    CLockKeyState state;
    const QDir folder(ledFolder);
    const QStringList leds = folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System);
    for (const QString& name : leds) {
        bool* key = nullptr;
        if (name.endsWith(QLatin1String("::capslock")))
            key = &state.caps;
        else if (name.endsWith(QLatin1String("::numlock")))
            key = &state.num;
        else if (name.endsWith(QLatin1String("::scrolllock")))
            key = &state.scroll;
        if (key && !*key)
            *key = LedIsOn(folder.filePath(name));
    }
    return state;
}
