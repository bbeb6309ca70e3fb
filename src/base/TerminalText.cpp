#include "TerminalText.h"

namespace kt {

std::string TerminalSafe(std::string_view text) {
    std::string safe;
    safe.reserve(text.size());
    for (unsigned char c : text)
        safe += (c >= 0x20 && c <= 0x7E) ? static_cast<char>(c) : '.';
    return safe;
}

} // namespace kt
