#include "CDataFileText.h"

#include "CSimFrame.h"

#include <array>
#include <cstdio>

namespace {
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kRecordPrefix = 6; // 4 digits of address, 2 of count
} // namespace

std::string CDataFileText::Compose(const SimImage& image) {
    std::string text(kHeader);
    text += kLineEnd;
    text += "#";
    text += kLineEnd;
    for (std::size_t i = 0; i < kSimRecordCount; ++i) {
        const std::size_t address = kSimFirstRecord + i * kSimRecordLength;
        char digits[8];
        std::snprintf(digits, sizeof digits, "%04zX%02zX", address, kSimRecordLength);
        text += digits;
        for (std::size_t k = 0; k < kSimRecordLength; ++k) {
            std::snprintf(digits, sizeof digits, "%02X", image[address + k]);
            text += digits;
        }
        text += kLineEnd;
    }
    return text;
}

bool CDataFileText::Parse(std::string_view text, SimImage& image, std::string& error) {
    SimImage result = image;
    std::array<bool, kSimImageSize> covered{};
    bool header = true;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (header) {
            header = false;
            if (line != kHeader) {
                error = "line 1 is not the header " + std::string(kHeader);
                return false;
            }
            continue;
        }
        if (!line.empty() && line.front() == '#')
            continue;
        const auto bytes = CSimFrame::DecodeHex(line);
        if (!bytes || line.size() < kRecordPrefix + 2 ||
            (*bytes)[2] != bytes->size() - kRecordPrefix / 2) {
            error = "line " + std::to_string(lineNumber) + " is not a record";
            return false;
        }
        const std::size_t address = (*bytes)[0] * 256u + (*bytes)[1];
        const std::size_t count = (*bytes)[2];
        if (address + count > kSimImageSize) {
            error = "line " + std::to_string(lineNumber) + " reaches past the image";
            return false;
        }
        for (std::size_t k = 0; k < count; ++k) {
            result[address + k] = (*bytes)[kRecordPrefix / 2 + k];
            covered[address + k] = true;
        }
    }
    for (std::size_t a = kSimFirstRecord; a < kSimImageSize; ++a) {
        if (!covered[a]) {
            char where[8];
            std::snprintf(where, sizeof where, "0x%03zX", a);
            error = std::string("no record holds the byte at ") + where;
            return false;
        }
    }
    image = result;
    return true;
}
