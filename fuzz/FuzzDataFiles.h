#pragma once

#include <string>

namespace kt {

class CRigEngine;

// The round trip of a saved data file through the engine, as the fuzzers
// check it.
namespace FuzzDataFiles {
// The bytes a save of engine writes to path; aborts when the save fails.
std::string Save(CRigEngine& engine, const std::string& path);

// Loads saved (the bytes of a file the engine saved, at path) into reader,
// saves it again, and aborts unless the data survive. The frequency of the
// VFO and of memory channel 1 may change once: without a frequency these
// two are saved with the one their record keeps (118.000 MHz), and that
// frequency comes back. A second round must change nothing.
void CheckRoundTrip(CRigEngine& reader, const std::string& saved, const std::string& path);
} // namespace FuzzDataFiles

} // namespace kt
