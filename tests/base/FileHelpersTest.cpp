#include "AtomicReplace.h"
#include "CTempFile.h"
#include "ReadWholeFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace kt {

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

    // A folder in the target's place is refused before anything is written.
    const std::string folder = dir.File("taken");
    fs::create_directory(folder);
    WriteFileBytes(folder + "/inside", "kept");
    const CReplaceResult overFolder = AtomicReplace(folder, "x");
    EXPECT_EQ(overFolder.step, CReplaceResult::Step::NotRegular);
    EXPECT_EQ(ReadFileBytes(folder + "/inside"), "kept");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u) << "no temporary file is left";
}

TEST(AtomicReplaceTest, ALinkIsSavedThroughToItsTargetAndStaysALink) {
    TempDir dir;
    fs::create_directory(dir.Path() / "plans");
    const std::string target = dir.File("plans/club.vkf");
    WriteFileBytes(target, "old");
    // A relative link, reached through a second link.
    fs::create_symlink("plans/club.vkf", dir.Path() / "current.vkf");
    fs::create_symlink(dir.File("current.vkf"), dir.Path() / "latest.vkf");
    fs::create_symlink("plans/new.vkf", dir.Path() / "dangling.vkf");

    ASSERT_TRUE(AtomicReplace(dir.File("latest.vkf"), "new").Ok());
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "latest.vkf"));
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "current.vkf"));
    EXPECT_EQ(ReadFileBytes(target), "new");
    EXPECT_EQ(EntriesIn(dir.Path() / "plans"), 1u);

    // A link to a file not there yet creates the file it names.
    ASSERT_TRUE(AtomicReplace(dir.File("dangling.vkf"), "made").Ok());
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "dangling.vkf"));
    EXPECT_EQ(ReadFileBytes(dir.File("plans/new.vkf")), "made");
}

TEST(AtomicReplaceTest, WhatTheUserProtectedIsRefusedAndLeftAsItWas) {
    TempDir dir;
    const std::string fifo = dir.File("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string readOnly = dir.File("read-only.vkf");
    WriteFileBytes(readOnly, "kept");
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    fs::create_directory(dir.Path() / "locked");
    const std::string inLocked = dir.File("locked/plan.vkf");
    WriteFileBytes(inLocked, "kept");
    ASSERT_EQ(::chmod(dir.File("locked").c_str(), 0555), 0);
    fs::create_symlink("read-only.vkf", dir.Path() / "link-to-read-only.vkf");
    const std::string device = dir.File("null");
    const bool haveDevice = ::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;

    struct Case {
        std::string path;
        CReplaceResult::Step step;
        std::string reason;
    };
    std::vector<Case> cases = {
        {fifo, CReplaceResult::Step::NotRegular, "not a regular file"},
        {dir.Path().string(), CReplaceResult::Step::NotRegular, "not a regular file"},
        {readOnly, CReplaceResult::Step::ReadOnly, "the file is read-only"},
        {dir.File("link-to-read-only.vkf"), CReplaceResult::Step::ReadOnly,
         "the file is read-only"},
        {inLocked, CReplaceResult::Step::ReadOnlyFolder, "its folder is read-only"},
        {dir.File("locked/new.vkf"), CReplaceResult::Step::ReadOnlyFolder,
         "its folder is read-only"},
        {dir.File("missing/new.vkf"), CReplaceResult::Step::MakeTemporary,
         "No such file or directory"},
    };
    if (haveDevice)
        cases.push_back({device, CReplaceResult::Step::NotRegular, "not a regular file"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        // The check alone says the same as the replace, and writes nothing.
        EXPECT_EQ(CheckReplaceable(c.path).step, c.step);
        const CReplaceResult result = AtomicReplace(c.path, "new");
        EXPECT_EQ(result.step, c.step);
        EXPECT_EQ(result.Reason(), c.reason);
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(ReadFileBytes(readOnly), "kept");
    EXPECT_EQ(ModeOf(readOnly), 0444u);
    EXPECT_EQ(ReadFileBytes(inLocked), "kept");
    EXPECT_EQ(EntriesIn(dir.File("locked")), 1u);
    if (haveDevice) {
        EXPECT_TRUE(fs::is_character_file(device));
    }
    EXPECT_TRUE(CheckReplaceable(dir.File("new.vkf")).Ok());
    EXPECT_FALSE(fs::exists(dir.File("new.vkf")));
    ::chmod(dir.File("locked").c_str(), 0755);
}

TEST(AtomicReplaceTest, TheSuperuserKeepsTheOwnerAndGroupOfTheFileItReplaces) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only the superuser may give a file away";
    TempDir dir;
    const std::string path = dir.File("pilot.vkf");
    WriteFileBytes(path, "old");
    ASSERT_EQ(::chown(path.c_str(), 4321, 8765), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(AtomicReplace(path, "new").Ok());
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 4321u);
    EXPECT_EQ(st.st_gid, 8765u);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadFileBytes(path), "new");
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

} // namespace kt
