
#include "CHexRecord.h"
#include "CMemoryImage.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace kt;

// CHexRecord::Parse on any line. The first byte chooses the size of the bound
// image (0: the transceiver's 512 bytes, else 3 to 1017 bytes, so that the
// coverage map's spare bits are tried too); the rest is cut at LF into lines. Every line must
// either be refused with the image untouched, or taken: then its bytes land where it says, its text
// form is the line in upper case, and IsComplete agrees with a plain count of the addresses
// written.

namespace {
[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "kt-fuzz: %s\n", what);
    std::abort();
}

std::vector<std::uint8_t> Contents(const CMemoryImage& image) {
    std::vector<std::uint8_t> bytes(image.Size());
    image.Read(0, bytes.data(), image.Size());
    return bytes;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::uint32_t imageSize = data[0] == 0 ? 512u : data[0] * 4u - data[0] % 4u;
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);

    CMemoryImage image(imageSize);
    CHexRecord record;
    // Unbound, every line is an error.
    if (record.Parse(input) != "ERROR")
        Fail("an unbound record took a line");
    record.Bind(image);
    std::vector<bool> written(imageSize, false);

    std::size_t start = 0;
    while (start <= input.size()) {
        std::size_t end = input.find('\n', start);
        if (end == std::string_view::npos)
            end = input.size();
        const std::string_view line = input.substr(start, end - start);
        start = end + 1;

        const std::vector<std::uint8_t> old = Contents(image);
        const std::string answer = record.Parse(line);
        if (Contents(image) != old)
            Fail("Parse changed the image");
        if (answer != "OK") {
            if (answer != "FORMAT_ERROR" && answer != "DATA_OVERFLOW")
                Fail("Parse gave an unknown answer");
            continue;
        }
        if (record.Count() == 0 || record.Address() + record.Count() > imageSize ||
            record.Data().size() != record.Count())
            Fail("Parse took a record that does not fit the image");
        std::string upper(line);
        std::transform(upper.begin(), upper.end(), upper.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        if (record.Format() != upper)
            Fail("the text form of a record differs from its line");

        record.WriteToImage();
        std::vector<std::uint8_t> now = Contents(image);
        for (std::uint32_t i = 0; i < record.Count(); ++i) {
            if (now[record.Address() + i] != record.Data()[i])
                Fail("a record's byte did not land in the image");
            written[record.Address() + i] = true;
        }
        // Everything else stays.
        for (std::uint32_t a = 0; a < imageSize; ++a)
            if ((a < record.Address() || a >= record.Address() + record.Count()) &&
                now[a] != old[a])
                Fail("a record changed a byte outside its run");
    }

    bool complete = true;
    for (std::uint32_t a = CHexRecord::kRequiredFirstAddress; a < imageSize; ++a)
        complete = complete && written[a];
    if (record.IsComplete() != complete)
        Fail("IsComplete disagrees with the addresses written");
    return 0;
}
