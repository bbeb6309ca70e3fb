#pragma once

#include <QString>

// Whether Caps Lock, Num Lock and Scroll Lock are on, as the keyboard LEDs
// show them (/sys/class/leds/input*::capslock and its kin). A key counts as
// on when any keyboard shows it on; without such LEDs (a remote display, a
// container) every key reads as off.
struct CLockKeyState {
    bool caps = false;
    bool num = false;
    bool scroll = false;

    static CLockKeyState Read(const QString& ledFolder = QStringLiteral("/sys/class/leds"));

    bool operator==(const CLockKeyState&) const = default;
};
