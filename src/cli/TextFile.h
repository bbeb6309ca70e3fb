#pragma once

#include "DocumentFile.h"

#include <cstddef>
#include <string>

// Whole files other than data files (channel lists) for the command line.

// Reads a regular file of at most maxBytes into bytes.
DocumentFileResult ReadTextFile(const std::string& path, std::size_t maxBytes, std::string& bytes);

// Writes bytes to path atomically, as SaveDocument writes a data file: a
// temporary file beside it, synced, then renamed over the old one.
DocumentFileResult WriteTextFile(const std::string& path, const std::string& bytes);
