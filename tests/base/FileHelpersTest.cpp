#include "AtomicReplace.h"
#include "CTempFile.h"
#include "ReadWholeFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
mode_t ModeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

std::size_t EntriesIn(const fs::path& folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}
} // namespace

TEST(AtomicReplaceTest, ReplacesTheWholeFileKeepingItsModeAndLeavesNoTemporaryFile) {
    TempDir dir;
    const std::string path = dir.File("plan.vkf");
    WriteFileBytes(path, std::string(5000, 'x'));
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);

    const CReplaceResult result = AtomicReplace(path, "short\r\n");
    ASSERT_TRUE(result.Ok()) << result.Reason();
    EXPECT_EQ(ReadFileBytes(path), "short\r\n");
    EXPECT_EQ(ModeOf(path), 0640u);
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(AtomicReplaceTest, ANewFileGetsTheUsualModeOfADocument) {
    TempDir dir;
    const std::string path = dir.File("new.csv");
    const mode_t old = ::umask(022);
    const CReplaceResult result = AtomicReplace(path, "a,b\n");
    ::umask(old);
    ASSERT_TRUE(result.Ok()) << result.Reason();
    EXPECT_EQ(ModeOf(path), 0644u);
}

TEST(AtomicReplaceTest, FailuresNameTheirStepAndLeaveTheOldFileWhole) {
    TempDir dir;
    // No folder to make the temporary file in.
    const CReplaceResult noFolder = AtomicReplace(dir.File("missing/plan.vkf"), "x");
    EXPECT_EQ(noFolder.step, CReplaceResult::Step::MakeTemporary);
    EXPECT_EQ(noFolder.error, ENOENT);
    EXPECT_FALSE(noFolder.Reason().empty());

    // A folder in the target's place cannot be renamed over.
    const std::string folder = dir.File("taken");
    fs::create_directory(folder);
    WriteFileBytes(folder + "/inside", "kept");
    const CReplaceResult overFolder = AtomicReplace(folder, "x");
    EXPECT_EQ(overFolder.step, CReplaceResult::Step::Replace);
    EXPECT_EQ(ReadFileBytes(folder + "/inside"), "kept");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u) << "the temporary file is removed";
}

TEST(ReadWholeFileTest, ReadsRegularFilesAndRefusesEverythingElseAtOnce) {
    TempDir dir;
    const std::string file = dir.File("list.csv");
    WriteFileBytes(file, "Location,Frequency\n1,118.000\n");
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(file, 1024, bytes).Ok());
    EXPECT_EQ(bytes, "Location,Frequency\n1,118.000\n");

    EXPECT_EQ(ReadWholeFile(file, 10, bytes).step, CReadResult::Step::TooLarge);
    EXPECT_EQ(ReadWholeFile(dir.File("none"), 10, bytes).step, CReadResult::Step::Open);
    EXPECT_EQ(ReadWholeFile(dir.Path().string(), 10, bytes).step, CReadResult::Step::NotRegular);
    // A FIFO without a writer would block a plain open for ever.
    const std::string fifo = dir.File("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ReadWholeFile(fifo, 10, bytes).step, CReadResult::Step::NotRegular);
    EXPECT_EQ(ReadWholeFile("/dev/null", 10, bytes).step, CReadResult::Step::NotRegular);
}

TEST(CTempFileTest, IsRemovedWithItsObjectUnlessKept) {
    TempDir dir;
    std::string removed;
    std::string kept;
    {
        CTempFile a(dir.Path().string(), "plan.vkf.");
        CTempFile b(dir.Path().string(), "plan.vkf.");
        ASSERT_TRUE(a.IsValid() && b.IsValid());
        EXPECT_NE(a.Path(), b.Path());
        EXPECT_TRUE(a.Descriptor().IsValid());
        EXPECT_EQ(ModeOf(a.Path()), 0600u);
        removed = a.Path();
        kept = b.Path();
        b.Keep();
    }
    EXPECT_FALSE(fs::exists(removed));
    EXPECT_TRUE(fs::exists(kept));
}

TEST(CTempFileTest, AFileForEngineCommandsAvoidsFoldersItsPathCannotCarry) {
    const char* old = std::getenv("TMPDIR");
    const std::string saved = old ? old : "";
    TempDir dir;
    const std::string odd = dir.File("a=b");
    fs::create_directory(odd);
    ::setenv("TMPDIR", odd.c_str(), 1);
    {
        CTempFile file("cl");
        ASSERT_TRUE(file.IsValid());
        EXPECT_TRUE(CTempFile::IsSafeInCommand(file.Path())) << file.Path();
        EXPECT_EQ(fs::path(file.Path()).parent_path(), "/tmp");
    }
    if (old)
        ::setenv("TMPDIR", saved.c_str(), 1);
    else
        ::unsetenv("TMPDIR");
}
