#include "CWritePreview.h"

#include "CImageComparison.h"
#include "CM220Radio.h"
#include "TextFields.h"

namespace kt {

namespace {
// "2026-12-07 05:49:55, comment "Club radio 3"", or "no comment".
std::string ReadNamed(CM220Radio& read, const std::string& date) {
    const std::string comment = TrimRight(read.GetCloneComment());
    std::string text = date.empty() ? std::string("date unknown") : date;
    return text + (comment.empty() ? ", no comment" : ", comment \"" + comment + "\"");
}
} // namespace

std::vector<std::string> CWritePreview::Lines(CM220Radio& image, const std::string& lastRead,
                                              const std::string& readDate) {
    if (lastRead.empty())
        return {"No earlier read of the transceiver is known, so what this write changes "
                "cannot be shown."};
    CM220Radio read;
    read.NewData();
    if (!read.LoadDataFile(lastRead))
        return {"The last read of the transceiver (" + lastRead +
                ") does not load, so what this write changes cannot be shown."};
    const auto differences = CImageComparison::Compare(read, image);
    const std::string named = ReadNamed(read, readDate);
    if (differences.empty())
        return {"This write changes nothing against the last read of the transceiver (" + named +
                ")."};
    std::vector<std::string> lines{"This write changes, against the last read of the "
                                   "transceiver (" +
                                   named + "):"};
    for (const CImageComparison::Difference& d : differences)
        lines.push_back("  " + CImageComparison::Describe(d));
    return lines;
}

} // namespace kt
