#pragma once

#include <string>

namespace kt {

// The header line of a data file: model and revision as 4 digits each,
// "22700100". The engine writes and checks it; the virtual transceiver
// composes the files it hands to the engine with it.
std::string DataFileHeaderLine();

} // namespace kt
