#pragma once

#include <string>

namespace kt {

// A few rows of the airport frequency table: Frankfurt's services, two
// airports with one service each, and odd rows (a frequency outside the
// airband, ones off the raster) that the tools must cope with.
const std::string& AirportTableSample();

} // namespace kt
