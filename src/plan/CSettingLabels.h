#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kt {

class CM220Radio;

// The common settings as the Setting sheet shows them: its labels, in the
// order of its Common and Advanced pages, with the value each control shows
// (a tick as "[x]" or "[ ]", a list's item text). kt-m220-cli show prints
// them, the printed channel plan lists them, comparisons and the write checks
// name settings with them, and the command reference pairs them with the
// engine keys that set them.
struct CSettingLabels {
    // A tick box as text.
    static constexpr const char* kTicked = "[x]";
    static constexpr const char* kClear = "[ ]";

    enum class Page { Common, Advanced };

    struct Setting {
        Page page;
        const char* label;
        // The engine keys behind the control (COMMON.<key>), first the one
        // the control sets.
        std::vector<const char*> keys;
        // The value the control shows.
        std::function<std::string(CM220Radio&)> shown;
        // What the image keeps that the control does not show (the dimmer
        // level while the backlight is off, the priority channel while the
        // list shows "Off"); empty when nothing is hidden.
        std::function<std::string(CM220Radio&)> hidden;

        // The shown value followed by the hidden one in parentheses, so that
        // a comparison sees every stored value.
        std::string Compared(CM220Radio& radio) const;
    };

    static const std::vector<Setting>& All();
};

} // namespace kt
