
#include "ChildProcess.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/mount.h>
#include <sys/ptrace.h>
#include <sys/uio.h>
#include <sys/user.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kt {

// "set" when the disk fails it: a full file system, a file size limit, and
// the program killed at each step of its save. The old data file must stay
// byte for byte as it was until the new one has wholly replaced it; a
// failure leaves no temporary file behind.

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kEdits = {"CH.MCH.4.FREQUENCY=128.6", "CH.MCH.4.APPEAR=ON",
                                         "CH.MCH.4.NAME=KILLED", "COMMON.CLONE_COMMENT=New"};

std::string Cli() {
    return ProgramPath("kt-m220-cli");
}

std::vector<std::string> SetArgs(const std::string& file) {
    std::vector<std::string> argv{Cli(), "set", file};
    argv.insert(argv.end(), kEdits.begin(), kEdits.end());
    return argv;
}

std::vector<std::string> FilesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

ChildSetup WithTmpDir(const fs::path& tmp) {
    ChildSetup setup;
    setup.environment = {"TMPDIR=" + tmp.string()};
    return setup;
}

// A data file that is not the default image, in a folder of its own.
struct OldFile {
    TempDir dir;
    fs::path folder = dir.Path() / "documents";
    fs::path tmp = dir.Path() / "tmp";
    std::string path = (folder / "radio.vkf").string();
    std::string bytes;

    OldFile() {
        fs::create_directories(folder);
        fs::create_directories(tmp);
        EXPECT_EQ(RunChild({Cli(), "new", "-o", path}).status, 0);
        EXPECT_EQ(
            RunChild({Cli(), "set", path, "CH.MCH.2.FREQUENCY=121.5", "CH.MCH.2.APPEAR=ON"}).status,
            0);
        bytes = ReadFileBytes(path);
    }
};

// A tiny tmpfs mounted on a folder for as long as the object lives. Mounting
// needs privileges; Mounted() tells whether it worked.
class TinyFileSystem {
public:
    explicit TinyFileSystem(const fs::path& where) : where_(where) {
        mounted_ = mount("tmpfs", where.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=16k") == 0;
        error_ = errno;
    }
    ~TinyFileSystem() {
        if (mounted_)
            umount2(where_.c_str(), MNT_DETACH);
    }
    TinyFileSystem(const TinyFileSystem&) = delete;
    TinyFileSystem& operator=(const TinyFileSystem&) = delete;

    bool Mounted() const { return mounted_; }
    int Error() const { return error_; }

private:
    fs::path where_;
    bool mounted_ = false;
    int error_ = 0;
};

} // namespace

TEST(FaultDisk, SetOntoAFullFileSystemKeepsTheOldFile) {
    OldFile old;
    const TinyFileSystem tiny(old.folder);
    if (!tiny.Mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(tiny.Error());
    WriteFileBytes(old.path, old.bytes);
    // Fill what is left of the file system.
    {
        std::ofstream filler(old.folder / "filler", std::ios::binary);
        const std::string block(512, 'x');
        for (int i = 0; i < 64 && filler; ++i)
            filler.write(block.data(), static_cast<std::streamsize>(block.size())).flush();
    }
    ASSERT_EQ(ReadFileBytes(old.path), old.bytes);

    const ChildResult r = RunChild(SetArgs(old.path), WithTmpDir(old.tmp));
    EXPECT_EQ(r.status, 3) << r.out << r.err;
    EXPECT_NE(r.err.find("No space left on device"), std::string::npos) << r.err;
    EXPECT_EQ(ReadFileBytes(old.path), old.bytes);
    EXPECT_EQ(FilesIn(old.folder), (std::vector<std::string>{"filler", "radio.vkf"}));
    EXPECT_TRUE(fs::is_empty(old.tmp));
}

TEST(FaultDisk, SetPastTheFileSizeLimitKeepsTheOldFile) {
    OldFile old;
    // Every file the program writes is larger than this: the first write
    // that reaches it fails (EFBIG), or with the default action of SIGXFSZ
    // ends the program on the spot.
    for (const bool ignoreSignal : {true, false}) {
        SCOPED_TRACE(ignoreSignal ? "writes fail" : "the program is ended");
        ChildSetup setup = WithTmpDir(old.tmp);
        setup.fileSizeLimit = 512;
        setup.ignoreFileSizeSignal = ignoreSignal;
        const ChildResult r = RunChild(SetArgs(old.path), setup);
        EXPECT_EQ(ReadFileBytes(old.path), old.bytes);
        EXPECT_EQ(FilesIn(old.folder), std::vector<std::string>{"radio.vkf"});
        if (ignoreSignal) {
            EXPECT_EQ(r.status, 3) << r.out << r.err;
            EXPECT_NE(r.err.find("File too large"), std::string::npos) << r.err;
            EXPECT_TRUE(fs::is_empty(old.tmp));
        } else {
            EXPECT_EQ(r.status, 128 + SIGXFSZ);
        }
    }
}

TEST(FaultDisk, ASaveCutShortLeavesNoPartOfADataFile) {
    // The header and comment lines take 29 bytes and each record line 40:
    // at this limit the write stops at the end of the 25th record, which
    // would read as a data file that merely lacks records (and a clone write
    // would send such a file as it is).
    constexpr rlim_t kAtALineEnd = 29 + 25 * 40;
    TempDir dir;
    const std::string saved = dir.File("saved.vkf");
    const std::string commands = dir.File("commands.txt");
    WriteFileBytes(commands, "INITIALIZE\nFILE.SAVE.\"" + saved + "\"\n");
    ChildSetup setup;
    setup.standardInput = commands;
    setup.fileSizeLimit = kAtALineEnd;
    setup.ignoreFileSizeSignal = true;
    const ChildResult r = RunChild({Cli(), "engine"}, setup);
    EXPECT_EQ(r.out, "OK\nCANNOT_OPEN_FILE\n");
    EXPECT_TRUE(fs::exists(saved));
    EXPECT_EQ(fs::file_size(saved), 0u);
}

#if defined(__x86_64__)
namespace {

constexpr long kOpenAt = 257;
constexpr int kMaxKillPoints = 400;

// Runs "set" under ptrace and sends SIGKILL at the entry of the killAt-th
// system call counted from the one that creates the temporary file beside
// the document (0: that very call). Gives false when the program ended
// before that point; fails the test when it cannot be traced.
bool KillSetAt(const OldFile& old, int killAt, bool& traced) {
    // Everything the child needs is made before it is forked.
    std::vector<std::string> args = SetArgs(old.path);
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::string tmpdir = "TMPDIR=" + old.tmp.string();
    char* envp[] = {tmpdir.data(), nullptr};
    const std::string prefix = old.path + ".";

    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_RDWR | O_CLOEXEC);
        dup2(null, 0);
        dup2(null, 1);
        dup2(null, 2);
        if (ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0)
            _exit(126);
        raise(SIGSTOP);
        execve(argv[0], argv.data(), envp);
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    traced = WIFSTOPPED(status);
    if (!traced)
        return false;
    ptrace(PTRACE_SETOPTIONS, pid, nullptr,
           PTRACE_O_TRACESYSGOOD | PTRACE_O_TRACEEXEC | PTRACE_O_EXITKILL);

    bool inCall = false;
    int counted = -1; // system calls since the temporary file, -1 before it
    bool killed = false;
    for (;;) {
        if (ptrace(PTRACE_SYSCALL, pid, nullptr, nullptr) != 0)
            break;
        if (waitpid(pid, &status, 0) < 0 || WIFEXITED(status) || WIFSIGNALED(status))
            break;
        if (!WIFSTOPPED(status) || WSTOPSIG(status) != (SIGTRAP | 0x80))
            continue; // the exec event: go on without passing a signal
        inCall = !inCall;
        if (!inCall)
            continue;
        user_regs_struct regs{};
        ptrace(PTRACE_GETREGS, pid, nullptr, &regs);
        if (counted < 0 && static_cast<long>(regs.orig_rax) == kOpenAt) {
            char path[4096] = {};
            iovec local{path, sizeof path - 1};
            iovec remote{reinterpret_cast<void*>(regs.rsi), sizeof path - 1};
            if (process_vm_readv(pid, &local, 1, &remote, 1, 0) > 0 &&
                std::strncmp(path, prefix.c_str(), prefix.size()) == 0)
                counted = 0;
        } else if (counted >= 0) {
            ++counted;
        }
        if (counted == killAt) {
            kill(pid, SIGKILL);
            killed = true;
        }
    }
    waitpid(pid, &status, 0);
    return killed;
}

} // namespace

TEST(FaultDisk, SetKilledAtAnyStepOfItsSaveLosesNothing) {
    OldFile old;
    // What a set that runs to its end leaves.
    TempDir other;
    const std::string reference = other.File("reference.vkf");
    fs::copy_file(old.path, reference);
    ASSERT_EQ(RunChild(SetArgs(reference)).status, 0);
    const std::string newBytes = ReadFileBytes(reference);
    ASSERT_NE(newBytes, old.bytes);

    int keptOld = 0;
    int tookNew = 0;
    int killAt = 0;
    for (; killAt < kMaxKillPoints; ++killAt) {
        SCOPED_TRACE("killed at system call " + std::to_string(killAt));
        WriteFileBytes(old.path, old.bytes);
        bool traced = false;
        const bool killed = KillSetAt(old, killAt, traced);
        if (!traced)
            GTEST_SKIP() << "the program cannot be traced here";
        if (!killed)
            break;
        const std::string now = ReadFileBytes(old.path);
        if (now == old.bytes)
            ++keptOld;
        else if (now == newBytes)
            ++tookNew;
        else
            ADD_FAILURE() << "the data file is neither the old nor the new one: " << now.size()
                          << " bytes";
        // A killed program cannot clean up: what it leaves is its temporary
        // copy, never instead of the document.
        for (const std::string& name : FilesIn(old.folder))
            if (name != "radio.vkf")
                fs::remove(old.folder / name);
        for (const auto& entry : fs::directory_iterator(old.tmp))
            fs::remove(entry.path());
    }
    EXPECT_LT(killAt, kMaxKillPoints) << "the save never ended";
    // Killed before the new file was in place, and after.
    EXPECT_GT(keptOld, 3);
    EXPECT_GT(tookNew, 0);
    EXPECT_EQ(ReadFileBytes(old.path), newBytes); // the last run was not killed
}
#endif

} // namespace kt
