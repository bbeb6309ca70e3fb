#pragma once

namespace kt {

// Whether Caps Lock, Num Lock and Scroll Lock are on. known is false where
// the display server gives no state (the panes then stay blank).
struct CLockKeyState {
    bool caps = false;
    bool num = false;
    bool scroll = false;
    bool known = true;

    bool operator==(const CLockKeyState&) const = default;
};

} // namespace kt
