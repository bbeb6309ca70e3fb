#pragma once

#include <string>
#include <string_view>

namespace kt {

// A private folder for the files a fuzz target makes: created on first use
// in $KT_FUZZ_TMPDIR (else /dev/shm, $TMPDIR or /tmp), made the TMPDIR of the
// process, and removed with everything in it when the program ends. Its path holds no '.', '=' or
// double quote, so it can stand inside the quotes of an engine file command without changing how
// the command is read.
namespace FuzzSandbox {
const std::string& Folder();
// The path of name inside the folder.
std::string File(std::string_view name);
// Removes every file in the folder.
void Clear();
// Whole-file helpers; false when the file cannot be written or read.
bool WriteBytes(const std::string& path, std::string_view bytes);
bool ReadBytes(const std::string& path, std::string& bytes);
} // namespace FuzzSandbox

} // namespace kt
