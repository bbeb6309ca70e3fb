#include "CCloneFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace kt {

TEST(CCloneFileTest, WritesCrLfAndReadsLinesEndingAtLf) {
    TempDir dir;
    const std::string path = dir.File("clone.tmp");
    CCloneFile file;
    ASSERT_TRUE(file.OpenForWriting(path));
    ASSERT_TRUE(file.WriteLine("22700100"));
    ASSERT_TRUE(file.WriteLine("#"));
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(ReadFileBytes(path), "22700100\r\n#\r\n");

    // A CR counts only right before LF; the last line may lack its end.
    WriteFileBytes(path, "a\r\nb\n\nc\rd\r\n" + std::string(5000, 'x'));
    ASSERT_TRUE(file.OpenForReading(path));
    const std::vector<std::string> expected = {"a", "b", "", "c\rd", std::string(5000, 'x')};
    for (const std::string& want : expected) {
        std::string line;
        ASSERT_EQ(file.ReadLine(line), CCloneFile::ReadResult::Line);
        EXPECT_EQ(line, want);
    }
    std::string line;
    EXPECT_EQ(file.ReadLine(line), CCloneFile::ReadResult::End);
    EXPECT_EQ(file.LinesRead(), 5u);
}

TEST(CCloneFileTest, OpeningForWritingCutsTheFile) {
    TempDir dir;
    const std::string path = dir.File("clone.tmp");
    WriteFileBytes(path, "old content that is long\r\n");
    CCloneFile file;
    ASSERT_TRUE(file.OpenForWriting(path));
    ASSERT_TRUE(file.WriteLine("new"));
    file.Close();
    EXPECT_EQ(ReadFileBytes(path), "new\r\n");
}

TEST(CCloneFileTest, FailuresCarryPathAndReason) {
    TempDir dir;
    CCloneFile file;
    EXPECT_FALSE(file.OpenForReading(dir.File("missing")));
    EXPECT_EQ(file.Error().path, dir.File("missing"));
    EXPECT_EQ(file.Error().code, ENOENT);
    EXPECT_EQ(file.Error().reason, "No such file or directory");

    ASSERT_TRUE(file.OpenForWriting("/dev/full"));
    EXPECT_FALSE(file.WriteLine("22700100"));
    EXPECT_EQ(file.Error().code, ENOSPC);

    std::string line;
    file.Close();
    EXPECT_EQ(file.ReadLine(line), CCloneFile::ReadResult::Failed);
}

} // namespace kt
