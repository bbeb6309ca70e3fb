#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kt {

class CRadioData;

// Reading and writing data files from the command line through the radio data
// object, so that the command line accepts exactly the files the desktop
// program accepts.
struct DocumentFileResult {
    bool ok = true;
    std::string message; // what went wrong, for the user
    std::string answer;  // the engine's answer word when it refused the file
};

// Reads path into radio (through its Serialize). A file larger than any data
// file can be is refused without reading it all.
DocumentFileResult LoadDocument(CRadioData& radio, const std::string& path);

// Writes radio to path atomically: a temporary file in the same folder, synced,
// then renamed over the old file, so a failure leaves the old file intact.
DocumentFileResult SaveDocument(CRadioData& radio, const std::string& path);

// Replaces the file at path with bytes (AtomicReplace), with the command
// line's message for each way that can fail.
DocumentFileResult ReplaceFile(const std::string& path, std::string_view bytes);

// Whether ReplaceFile could write path (CheckReplaceable), with the same
// messages; nothing is written.
DocumentFileResult CheckWritable(const std::string& path);

// Reads a channel list or other whole text file of at most maxBytes.
DocumentFileResult ReadTextFile(const std::string& path, std::size_t maxBytes, std::string& bytes);

} // namespace kt
