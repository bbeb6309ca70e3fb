#pragma once

#include <string>
#include <string_view>

namespace kt {

// Creates or truncates the file at path and writes content into it. True only
// when the file was opened and every byte was written and the file closed
// without error. When a write fails (a full disk), the file is left empty
// rather than holding part of the content.
bool WriteDataFile(const std::string& path, std::string_view content);

} // namespace kt
