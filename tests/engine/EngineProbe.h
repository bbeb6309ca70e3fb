#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kt {

class CRigEngine;

// The engine's file commands for a path.
std::string SaveCommand(const std::string& path);
std::string SafetySaveCommand(const std::string& path);
std::string LoadCommand(const std::string& path);

// The working image as a save shows it: the record lines of a data file,
// read without the engine's own codec. Bytes that no record carries are 0.
std::vector<std::uint8_t> ImageOfDataFile(const std::string& fileBytes);
// Saves the engine into a temporary file (which heals it first) and answers
// the file's bytes.
std::string SavedFile(CRigEngine& engine);
std::vector<std::uint8_t> SavedImage(CRigEngine& engine);

// The bytes of the image from first to last inclusive, as "12 15 00".
std::string HexBytes(const std::vector<std::uint8_t>& image, std::uint32_t first,
                     std::uint32_t last);

// A data file of the default image, as lines without their ends.
std::vector<std::string> DefaultFileLines();
// Joins lines, each followed by CR LF.
std::string JoinCrLf(const std::vector<std::string>& lines);

} // namespace kt
