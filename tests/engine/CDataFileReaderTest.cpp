#include "CDataFileReader.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
using Status = CDataFileReader::Status;

// Reads the whole file: each line, "<too long>" for a line past the bound
// (whose rest is skipped), and "<error>" for a read error.
std::vector<std::string> ReadAll(const std::string& path, std::size_t bound) {
    CDataFileReader reader(bound);
    if (!reader.Open(path))
        return {"<cannot open>"};
    std::vector<std::string> lines;
    std::string line;
    for (;;) {
        const Status status = reader.ReadLine(line);
        if (status == Status::End)
            return lines;
        if (status == Status::Error) {
            lines.push_back("<error>");
            return lines;
        }
        if (status == Status::TooLong) {
            lines.push_back("<too long>" + line);
            reader.SkipRestOfLine();
        } else {
            lines.push_back(line);
        }
    }
}

struct ReaderCase {
    const char* what;
    std::string content;
    std::vector<std::string> lines;
};

TEST(CDataFileReader, LinesEndAtLineFeedWithTheCarriageReturnBeforeItDropped) {
    const std::vector<ReaderCase> cases = {
        {"empty file", "", {}},
        {"CR LF lines", "ab\r\ncd\r\n", {"ab", "cd"}},
        {"LF lines", "ab\ncd\n", {"ab", "cd"}},
        {"last line without its end", "ab\r\ncd", {"ab", "cd"}},
        {"empty lines count", "\r\n\n", {"", ""}},
        {"CR without LF stays in the line", "ab\rcd\r\n", {"ab\rcd"}},
        {"CR at the very end stays", "ab\r", {"ab\r"}},
        {"only the last CR before LF goes", "ab\r\r\n", {"ab\r"}},
        {"zero bytes are characters", std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
        {"a line of the bound", "12345\r\nx\n", {"12345", "x"}},
        {"one past the bound", "123456\r\nx\n", {"<too long>12345", "x"}},
        {"far past the bound, no end", std::string(100000, 'Z'), {"<too long>ZZZZZ"}},
        {"far past the bound, then more",
         std::string(9000, 'Z') + "\nx\n",
         {"<too long>ZZZZZ", "x"}},
    };
    TempDir dir;
    const std::string path = dir.File("lines.vkf");
    for (const ReaderCase& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFileBytes(path, c.content);
        EXPECT_EQ(ReadAll(path, 5), c.lines);
    }
}

TEST(CDataFileReader, LinesLongerThanTheBufferArriveWhole) {
    TempDir dir;
    const std::string path = dir.File("long.vkf");
    const std::string longLine(10000, 'q');
    WriteFileBytes(path, longLine + "\r\n" + longLine + "\n");
    EXPECT_EQ(ReadAll(path, 10000), (std::vector<std::string>{longLine, longLine}));
}

TEST(CDataFileReader, WhatCannotBeReadSaysSo) {
    TempDir dir;
    EXPECT_EQ(ReadAll(dir.File("missing.vkf"), 5), std::vector<std::string>{"<cannot open>"});
    EXPECT_EQ(ReadAll("", 5), std::vector<std::string>{"<cannot open>"});
    EXPECT_EQ(ReadAll(dir.Path().string(), 5), std::vector<std::string>{"<error>"}); // a folder
    WriteFileBytes(dir.File("a"), "x\n");
    EXPECT_EQ(ReadAll(dir.File("a") + std::string(1, '\0') + "b", 5),
              std::vector<std::string>{"<cannot open>"});
}
} // namespace
