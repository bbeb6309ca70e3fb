#include "CRigEngine.h"
#include "EngineProbe.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kt {

namespace {
constexpr std::size_t kHeaderLine = 0;
constexpr std::size_t kFirstRecordLine = 2; // the record of 0x010

std::size_t LineOf(std::uint32_t address) {
    return kFirstRecordLine + (address - 0x010) / 16;
}

// A complete data file unlike the default image: the clone comment is sixteen
// "Z" and memory channel 2 is 121.500 MHz "TOWER".
std::vector<std::string> OtherFileLines() {
    std::vector<std::string> lines = DefaultFileLines();
    lines[1] = "#ZZZZZZZZZZZZZZZZ";
    lines[LineOf(0x010)] = "001010";
    for (int i = 0; i < 16; ++i)
        lines[LineOf(0x010)] += "5A";
    lines[LineOf(0x070)] = "007010"
                           "1215002000544F5745522020"
                           "00000000";
    return lines;
}

// Only the records that a load requires: 0x080 - 0x1FF of the default image.
std::vector<std::string> TailFileLines() {
    std::vector<std::string> lines = DefaultFileLines();
    lines.erase(lines.begin() + kFirstRecordLine, lines.begin() + LineOf(0x080));
    return lines;
}

std::vector<std::string> With(std::vector<std::string> lines, std::size_t at,
                              const std::string& line) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), line);
    return lines;
}

std::vector<std::string> Without(std::vector<std::string> lines, std::size_t at) {
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
    return lines;
}

std::string JoinLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// An engine with a state of its own: comment "Before", channel 2 at 125.000.
void PrepareEngine(CRigEngine& engine) {
    ASSERT_EQ(engine.Command("INITIALIZE"), "OK");
    engine.Command("COMMON.CLONE_COMMENT=Before");
    engine.Command("CH.MCH.2.FREQUENCY=125");
    engine.Command("CH.MCH.2.APPEAR=ON");
    ASSERT_EQ(engine.Command("HEAL"), "OK");
}

struct LoadCase {
    const char* what;
    std::string content;
    const char* answer;
};

std::vector<LoadCase> FailingFiles() {
    const std::vector<std::string> other = OtherFileLines();
    const std::string otherText = JoinCrLf(other);
    std::vector<std::string> trailingBlank = other;
    trailingBlank.back() += " ";
    std::string crOnly = otherText;
    std::replace(crOnly.begin(), crOnly.end(), '\n', '\r');
    return {
        {"empty file", "", "FORMAT_ERROR"},
        {"header only", "22700100\r\n", "NOT_ENOUGH_DATA"},
        {"other revision", JoinCrLf(With(Without(other, kHeaderLine), 0, "22700101")),
         "MISMATCH_REVISION"},
        {"other model", JoinCrLf(With(Without(other, kHeaderLine), 0, "12700100")),
         "MISMATCH_MODEL"},
        {"letter in the header", "2270X100\r\n", "FORMAT_ERROR"},
        {"mismatch before the letter", "1270X100\r\n", "MISMATCH_MODEL"},
        {"short header", "2270010\r\n", "FORMAT_ERROR"},
        {"header with a trailing blank", "22700100 \r\n", "FORMAT_ERROR"},
        {"header with a CR but no LF", "22700100\r", "FORMAT_ERROR"},
        {"comment before the header", "#\r\n" + otherText, "FORMAT_ERROR"},
        {"empty line in the middle", JoinCrLf(With(other, LineOf(0x100), "")), "FORMAT_ERROR"},
        {"empty last line", otherText + "\r\n", "FORMAT_ERROR"},
        {"record with a trailing blank", JoinCrLf(trailingBlank), "FORMAT_ERROR"},
        {"last record ends in CR without LF", otherText.substr(0, otherText.size() - 1),
         "FORMAT_ERROR"},
        {"lines end in CR only", crOnly, "FORMAT_ERROR"},
        {"lacks the record of 0x1F0", JoinCrLf(Without(other, LineOf(0x1F0))), "NOT_ENOUGH_DATA"},
        {"lacks 0x080 only",
         JoinCrLf(With(Without(other, LineOf(0x080)), 2,
                       "0081"
                       "0F" +
                           std::string(30, '0'))),
         "NOT_ENOUGH_DATA"},
        {"record past 0x1FF", JoinCrLf(With(other, other.size(), "01FF022020")), "DATA_OVERFLOW"},
        {"record of count 0", JoinCrLf(With(other, other.size(), "00100000")), "FORMAT_ERROR"},
        {"100 kB record line", JoinCrLf(With(other, other.size(), std::string(100000, 'A'))),
         "FORMAT_ERROR"},
        {"binary bytes", otherText + std::string("\x01\xFF\x80\0\x7F\r\n", 7), "FORMAT_ERROR"},
    };
}

TEST(CImageCommandsLoad, EveryFaultHasItsWordAndLeavesTheImageAsItWas) {
    TempDir dir;
    const std::string path = dir.File("bad.vkf");
    const std::string tail = dir.File("tail.vkf");
    WriteFileBytes(tail, JoinCrLf(TailFileLines()));
    for (const LoadCase& c : FailingFiles()) {
        SCOPED_TRACE(c.what);
        CRigEngine engine;
        PrepareEngine(engine);
        const std::string before = SavedFile(engine);
        WriteFileBytes(path, c.content);
        EXPECT_EQ(engine.Command(LoadCommand(path)), c.answer);

        // Nothing but a load looks at the image bytes themselves (a heal
        // rebuilds them from the decoded values). A load of the required
        // region alone decodes 0x000 - 0x07F from the working image as the
        // failed load left it: it must be the old one.
        ASSERT_EQ(engine.Command(LoadCommand(tail)), "OK");
        EXPECT_EQ(engine.Command("COMMON.CLONE_COMMENT"), "Before          ");
        EXPECT_EQ(SavedFile(engine), before);
    }
}

TEST(CImageCommandsLoad, FilesThatCannotBeReadAnswerCannotOpenFile) {
    TempDir dir;
    CRigEngine engine;
    PrepareEngine(engine);
    const std::string before = SavedFile(engine);
    EXPECT_EQ(engine.Command(LoadCommand(dir.File("missing.vkf"))), "CANNOT_OPEN_FILE");
    EXPECT_EQ(engine.Command(LoadCommand(dir.Path().string())), "CANNOT_OPEN_FILE"); // a folder
    EXPECT_EQ(engine.Command("FILE.LOAD."), "CANNOT_OPEN_FILE");                     // no path
    EXPECT_EQ(engine.Command("FILE.LOAD.\"\""), "CANNOT_OPEN_FILE");                 // empty path
    EXPECT_EQ(engine.Command("FILE.LOAD.no quote"), "CANNOT_OPEN_FILE");
    // A zero byte must not cut the path short and open another file.
    WriteFileBytes(dir.File("a"), JoinCrLf(OtherFileLines()));
    EXPECT_EQ(engine.Command(LoadCommand(dir.File("a") + std::string(1, '\0') + "b")),
              "CANNOT_OPEN_FILE");
    EXPECT_EQ(SavedFile(engine), before);
}

TEST(CImageCommandsLoad, FifoWithoutWriterDoesNotHang) {
    TempDir dir;
    const std::string fifo = dir.File("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    CRigEngine engine;
    EXPECT_EQ(engine.Command(LoadCommand(fifo)), "FORMAT_ERROR"); // nothing to read
}

TEST(CImageCommandsLoad, EndlessFileStopsAtItsFirstLine) {
    CRigEngine engine;
    EXPECT_EQ(engine.Command(LoadCommand("/dev/zero")), "FORMAT_ERROR");
}

TEST(CImageCommandsLoad, AcceptsRecordsInAnyOrderShapeAndCase) {
    const std::vector<std::string> other = OtherFileLines();
    std::vector<std::string> reversed(other.rbegin(), other.rend() - 2);
    reversed.insert(reversed.begin(), other.begin(), other.begin() + 2);
    reversed.insert(reversed.begin() + 5, "#" + std::string(100000, 'c')); // long comment
    reversed.insert(reversed.begin() + 9, "#");

    // The same image in records of another size that cross the 16-byte rows.
    const std::vector<std::uint8_t> image = ImageOfDataFile(JoinCrLf(other));
    const auto chunked = [&image](std::uint32_t size, const char* digits) {
        std::vector<std::string> lines = {"22700100"};
        for (std::uint32_t a = 0x010; a < 0x200; a += size) {
            const std::uint32_t n = std::min<std::uint32_t>(size, 0x200 - a);
            char text[8];
            std::snprintf(text, sizeof text, digits, a >> 8, a & 0xFF);
            std::string line = text;
            std::snprintf(text, sizeof text, digits, n, 0);
            line += std::string(text).substr(0, 2);
            for (std::uint32_t i = 0; i < n; ++i) {
                std::snprintf(text, sizeof text, digits, image[a + i], 0);
                line += std::string(text).substr(0, 2);
            }
            lines.push_back(line);
        }
        return lines;
    };

    // Records written twice: the later one stands.
    std::vector<std::string> overwritten = With(other, 2, "0070031FFFFF");
    std::vector<std::string> repeated = other;
    for (int i = 0; i < 5000; ++i)
        repeated.push_back(other[LineOf(0x070)]);

    const std::string text = JoinCrLf(other);
    const std::vector<LoadCase> cases = {
        {"CR LF lines", text, "OK"},
        {"LF lines", JoinLf(other), "OK"},
        {"no line end after the last record", text.substr(0, text.size() - 2), "OK"},
        {"reversed, with comments", JoinCrLf(reversed), "OK"},
        {"7-byte records in lower case", JoinLf(chunked(7, "%02x%02x")), "OK"},
        {"255-byte records, the longest lines", JoinCrLf(chunked(255, "%02X%02X")), "OK"},
        {"overwritten record", JoinCrLf(overwritten), "OK"},
        {"a long file", JoinCrLf(repeated), "OK"},
    };
    TempDir dir;
    const std::string path = dir.File("good.vkf");
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.what);
        CRigEngine engine;
        PrepareEngine(engine);
        WriteFileBytes(path, c.content);
        EXPECT_EQ(engine.Command(LoadCommand(path)), c.answer);
        EXPECT_EQ(engine.Command("COMMON.CLONE_COMMENT"), "ZZZZZZZZZZZZZZZZ");
        EXPECT_EQ(engine.Command("CH.MCH.2.FREQUENCY"), "121.500");
        EXPECT_EQ(engine.Command("CH.MCH.2.NAME"), "TOWER  ");
        EXPECT_EQ(HexBytes(SavedImage(engine), 0x010, 0x1FF), HexBytes(image, 0x010, 0x1FF));
    }
}

TEST(CImageCommandsLoad, RequiredRegionAloneKeepsTheBytesBelowIt) {
    TempDir dir;
    const std::string path = dir.File("tail.vkf");
    WriteFileBytes(path, JoinCrLf(TailFileLines()));
    CRigEngine engine;
    PrepareEngine(engine);
    engine.Command("CH.MCH.5.FREQUENCY=130");
    engine.Command("CH.MCH.5.APPEAR=ON");
    EXPECT_EQ(engine.Command(LoadCommand(path)), "OK");
    EXPECT_EQ(engine.Command("COMMON.CLONE_COMMENT"), "Before          ");
    EXPECT_EQ(engine.Command("CH.MCH.2.FREQUENCY"), "125.000"); // 0x070, below 0x080
    EXPECT_EQ(engine.Command("CH.MCH.5.APPEAR"), "OFF");        // from the file
}

TEST(CImageCommandsLoad, LoadedImageIsDecodedAndHealed) {
    // Channel 3 holds 150.000 MHz in the file; the heal after the load clamps it.
    std::vector<std::string> lines = DefaultFileLines();
    lines[LineOf(0x080)] = "008010"
                           "15000020004142432020202000000000";
    TempDir dir;
    const std::string path = dir.File("wide.vkf");
    WriteFileBytes(path, JoinCrLf(lines));
    CRigEngine engine;
    ASSERT_EQ(engine.Command(LoadCommand(path)), "OK");
    EXPECT_EQ(engine.Command("CH.MCH.3.FREQUENCY"), "136.975");
    EXPECT_EQ(engine.Command("CH.MCH.3.NAME"), "ABC    ");
    EXPECT_EQ(HexBytes(SavedImage(engine), 0x080, 0x082), "13 69 75");
}
} // namespace

} // namespace kt
