#include "EngineProbe.h"

#include "CRigEngine.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

namespace kt {

std::string SaveCommand(const std::string& path) {
    return "FILE.SAVE.\"" + path + "\"";
}
std::string SafetySaveCommand(const std::string& path) {
    return "FILE.SAVE.WithSafety.\"" + path + "\"";
}
std::string LoadCommand(const std::string& path) {
    return "FILE.LOAD.\"" + path + "\"";
}

std::vector<std::uint8_t> ImageOfDataFile(const std::string& fileBytes) {
    std::vector<std::uint8_t> image(512, 0);
    std::istringstream in(fileBytes);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        if (++number == 1 || line.empty() || line[0] == '#')
            continue;
        if (line.back() == '\r')
            line.pop_back();
        const unsigned address = std::stoul(line.substr(0, 4), nullptr, 16);
        const unsigned count = std::stoul(line.substr(4, 2), nullptr, 16);
        for (unsigned i = 0; i < count && address + i < image.size(); ++i)
            image[address + i] =
                static_cast<std::uint8_t>(std::stoul(line.substr(6 + 2 * i, 2), nullptr, 16));
    }
    return image;
}

std::string SavedFile(CRigEngine& engine) {
    TempDir dir;
    const std::string path = dir.File("probe.vkf");
    EXPECT_EQ(engine.Command(SaveCommand(path)), "OK");
    return ReadFileBytes(path);
}

std::vector<std::uint8_t> SavedImage(CRigEngine& engine) {
    return ImageOfDataFile(SavedFile(engine));
}

std::string HexBytes(const std::vector<std::uint8_t>& image, std::uint32_t first,
                     std::uint32_t last) {
    std::string text;
    for (std::uint32_t a = first; a <= last; ++a) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02X", image.at(a));
        if (!text.empty())
            text += ' ';
        text += digits;
    }
    return text;
}

std::vector<std::string> DefaultFileLines() {
    const std::string golden = ReadFileBytes(KT_TEST_DATA_DIR "/default.vkf");
    std::vector<std::string> lines;
    std::istringstream in(golden);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string JoinCrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

} // namespace kt
