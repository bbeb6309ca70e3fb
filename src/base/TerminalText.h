#pragma once

#include <string>
#include <string_view>

namespace kt {

// Text from a file, a channel list or the transceiver, made safe to print on
// a terminal: every byte outside 0x20-0x7E becomes '.', so that no escape or
// control sequence (ESC, or 0x9B on many terminals) reaches it.
std::string TerminalSafe(std::string_view text);

} // namespace kt
