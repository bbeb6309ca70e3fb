#pragma once

#include "SimImage.h"

#include <string>
#include <string_view>

// The text of a data file, for the image the virtual transceiver keeps:
// the header line 22700100, a "#" comment line, then the 31 records of the
// region 0x010-0x1FF (4 hexadecimal digits of address, 2 of count, 2 per
// byte), every line ending in CR LF.
class CDataFileText {
public:
    static constexpr std::string_view kHeader = "22700100";

    static std::string Compose(const SimImage& image);

    // Puts the records of a data file into image (bytes no record names keep
    // their value). Fails, with the reason in error, on a line that is not a
    // record, a record reaching past the image, or when the records leave any
    // byte of 0x010-0x1FF out.
    static bool Parse(std::string_view text, SimImage& image, std::string& error);
};
