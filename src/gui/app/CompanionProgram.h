#pragma once

#include <QString>

namespace kt {

// Where one of the programs that come with this one is (kt-m220-cli,
// kt-m220-sim): beside this program (installed), in the build tree's
// src/<buildFolder> beside src/gui, or on the PATH. Empty when not found.
QString FindCompanionProgram(const char* name, const char* buildFolder);

} // namespace kt
