#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace kt {

class CChannelTable;
class CDataFileReader;
class CCommandText;
class CCommonSettings;
class CMemoryImage;

// The engine's first handler: the commands that act on the memory image as a
// whole. "HEAL" rebuilds the image from the decoded channels and settings,
// "INITIALIZE" starts again from the default image, "EDIT_FLAG" tells whether
// the image has changed since the last "EDIT_FLAG=OFF", and "FILE.SAVE." /
// "FILE.LOAD." write and read the image as a data file whose path follows in
// double quotes.
class CImageCommands {
public:
    // Runs a command through the engine's whole dispatcher.
    using Dispatcher = std::function<std::string(std::string_view)>;

    // Everything given is the engine's; the handler only refers to it.
    CImageCommands(CMemoryImage& working, CMemoryImage& snapshot, bool& editFlag,
                   CCommonSettings& settings, CChannelTable& table, Dispatcher dispatch);
    CImageCommands(const CImageCommands&) = delete;
    CImageCommands& operator=(const CImageCommands&) = delete;

    // Answers the command, and then empties its text, or answers the empty
    // text when the command is not one of this handler's.
    std::string Handle(CCommandText& command);

private:
    // Syncs every channel and the settings, then rebuilds the image from the
    // default image and the decoded values. With safety, channels whose
    // frequency is not legal are reset to their defaults.
    void Heal(bool safety);
    std::string EditFlag(std::string_view value);
    std::string Save(const std::string& path, bool safety);
    std::string Load(const std::string& path);
    // Reads the records of an open data file into the working image; answers
    // "OK" or the word that stops the load.
    std::string ReadRecords(CDataFileReader& reader);
    // The data file text of the working image: header, comment, records.
    std::string FormatDataFile();

    CMemoryImage& working_;
    CMemoryImage& snapshot_;
    bool& editFlag_;
    CCommonSettings& settings_;
    CChannelTable& table_;
    Dispatcher dispatch_;
};

} // namespace kt
