
#include "ProcessRunner.h"
#include "SimProcess.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/mount.h>
#include <sys/stat.h>

namespace kt {

// Files the user protected (links, read-only files and folders, devices,
// FIFOs) under every command that writes or reads one.

namespace fs = std::filesystem;

namespace {
ProcessResult Cli(const std::vector<std::string>& args) {
    std::vector<std::string> argv{ProgramPath("kt-m220-cli")};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProcess(argv);
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// A folder holding a data file and every kind of protected path.
struct Protected {
    TempDir dir;
    std::string plan = dir.File("plan.vkf");
    std::string readOnly = dir.File("read-only.vkf");
    std::string locked = dir.File("locked");
    std::string fifo = dir.File("fifo");
    std::string folder = dir.File("folder");

    Protected() {
        EXPECT_EQ(Cli({"new", "-o", plan}).status, 0);
        fs::copy_file(plan, readOnly);
        chmod(readOnly.c_str(), 0444);
        fs::create_directory(locked);
        chmod(locked.c_str(), 0555);
        mkfifo(fifo.c_str(), 0600);
        fs::create_directory(folder);
    }
    ~Protected() { chmod(locked.c_str(), 0755); }
};
} // namespace

TEST(CliProtectedFiles, EveryCommandThatSavesRefusesWhatTheUserProtected) {
    Protected p;
    const std::string before = ReadFileBytes(p.readOnly);
    struct Target {
        std::string path;
        std::string message;
    };
    const std::vector<Target> targets = {
        {p.readOnly, p.readOnly + " is read-only\n"},
        {p.locked + "/new.vkf", p.locked + "/new.vkf is read-only: its folder cannot be written"},
        {p.fifo, p.fifo + " is not a regular file; nothing was replaced"},
        {p.folder, p.folder + " is not a regular file; nothing was replaced"},
    };
    for (const Target& t : targets) {
        const std::vector<std::vector<std::string>> commands = {
            {"new", "-o", t.path},
            {"export-csv", p.plan, "-o", t.path},
        };
        for (const auto& command : commands) {
            SCOPED_TRACE(command[0] + " " + t.path);
            const auto r = Cli(command);
            EXPECT_EQ(r.status, 3);
            EXPECT_TRUE(Contains(r.err, "kt-m220-cli: " + t.message)) << r.err;
        }
    }
    // set on a read-only file, and through a link to it.
    fs::create_symlink(p.readOnly, p.dir.Path() / "link.vkf");
    for (const std::string& path : {p.readOnly, p.dir.File("link.vkf")}) {
        SCOPED_TRACE(path);
        const auto r = Cli({"set", path, "CH.MCH.1.NAME=X"});
        EXPECT_EQ(r.status, 3);
        EXPECT_TRUE(Contains(r.err, " is read-only\n")) << r.err;
    }
    EXPECT_EQ(ReadFileBytes(p.readOnly), before);
    EXPECT_TRUE(fs::is_fifo(p.fifo));
    EXPECT_TRUE(fs::is_empty(p.folder));
    EXPECT_TRUE(fs::is_empty(p.locked));
}

TEST(CliProtectedFiles, ALinkIsSavedThroughAndStaysALink) {
    Protected p;
    const std::string link = p.dir.File("current.vkf");
    fs::create_symlink("plan.vkf", link);
    const auto r = Cli({"set", link, "CH.MCH.3.FREQUENCY=119.1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(Contains(Cli({"show", p.plan}).out, "\n03        119.100\n"));
}

TEST(CliProtectedFiles, AFifoDeviceOrFolderAsInputIsRefusedAtOnce) {
    Protected p;
    for (const std::string& input : {p.fifo, p.folder, std::string("/dev/zero")}) {
        SCOPED_TRACE(input);
        auto r = Cli({"import-csv", p.plan, input});
        EXPECT_EQ(r.status, 3);
        EXPECT_TRUE(Contains(r.err, input + " is not a regular file")) << r.err;
        r = Cli({"show", input});
        EXPECT_EQ(r.status, 3);
        EXPECT_TRUE(Contains(r.err, input + " is not a regular file")) << r.err;
    }
}

TEST(CliProtectedFiles, AFifoInPlaceOfTheSettingsIsNotWaitedFor) {
    TempDir dir;
    fs::create_directories(dir.Path() / "Velk");
    ASSERT_EQ(mkfifo(dir.File("Velk/KT-M220.ini").c_str(), 0600), 0);
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_CONFIG_HOME", dir.Path().c_str(), 1);
    const auto r = Cli({"ports"});
    if (old)
        setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "<- used without --port")) << r.out;
}

TEST(CliProtectedFiles, ReadChecksItsFileBeforeAnythingIsSent) {
    Protected p;
    for (const std::string& path :
         {p.readOnly, p.locked + "/x.vkf", p.fifo, p.dir.File("missing/x.vkf")}) {
        SCOPED_TRACE(path);
        SimProcess sim({"--baud", "0"});
        ASSERT_FALSE(sim.Device().empty());
        const auto r = Cli({"read", "--port", sim.Device(), "--no-beep", "-o", path});
        sim.Stop();
        EXPECT_EQ(r.status, 3);
        EXPECT_EQ(r.out, "") << "nothing was sent";
        EXPECT_TRUE(Contains(r.err, path)) << r.err;
        EXPECT_FALSE(Contains(sim.Log(), "port opened")) << sim.Log();
    }
}

TEST(CliProtectedFiles, TheSimulatorSavesNoWriteOverAProtectedFile) {
    Protected p;
    const std::string before = ReadFileBytes(p.readOnly);
    SimProcess sim({"--baud", "0", "--save", p.readOnly});
    ASSERT_FALSE(sim.Device().empty());
    const auto r = Cli({"write", "--port", sim.Device(), "--no-beep", "--yes", p.plan});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    sim.Stop();
    EXPECT_TRUE(Contains(sim.Log(), "the file is read-only")) << sim.Log();
    EXPECT_EQ(ReadFileBytes(p.readOnly), before);
}

TEST(CliProtectedFiles, AReadWhoseImageCannotBeSavedSaysWhereTheImageIs) {
    TempDir dir;
    const fs::path full = dir.Path() / "full";
    fs::create_directory(full);
    if (mount("tmpfs", full.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=16k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
    // Fill it: the check before the read passes, the save after it fails.
    WriteFileBytes((full / "filler").string(), std::string(64 * 1024, 'x'));
    SimProcess sim({"--baud", "0"});
    const std::string target = (full / "radio.vkf").string();
    const auto r = Cli({"read", "--port", sim.Device(), "--no-beep", "-o", target});
    umount2(full.c_str(), MNT_DETACH);
    EXPECT_EQ(r.status, 3) << r.out << r.err;
    EXPECT_TRUE(Contains(r.out, " Cloning completed.\n")) << r.out;
    EXPECT_TRUE(Contains(r.out, "Not saved: " + target + " was not written.\n")) << r.out;
    EXPECT_TRUE(Contains(r.out, "The image read is kept in the backup ")) << r.out;
    EXPECT_TRUE(Contains(r.err, "cannot write " + target)) << r.err;
    EXPECT_FALSE(r.out.ends_with(" Cloning completed.\n"));
}

} // namespace kt
