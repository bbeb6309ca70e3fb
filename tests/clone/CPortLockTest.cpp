#include "CPortLock.h"
#include "CSerialPort.h"
#include "LockHolder.h"
#include "PseudoTerminal.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

namespace kt {

namespace fs = std::filesystem;

namespace {

// A /proc and a /var/lock of the test's own making.
class FakeSystem {
public:
    FakeSystem() {
        fs::create_directories(dir.Path() / "proc");
        fs::create_directories(dir.Path() / "lock");
        WriteFileBytes(device, "");
    }
    void Process(int pid, const std::string& name) {
        fs::create_directories(dir.Path() / "proc" / std::to_string(pid));
        WriteFileBytes(dir.File("proc/" + std::to_string(pid) + "/comm"), name + "\n");
    }
    // A line of /proc/locks for the device node.
    std::string LockLine(const std::string& start, const std::string& pid) const {
        struct stat node {};
        stat(device.c_str(), &node);
        char field[64];
        std::snprintf(field, sizeof field, "%02x:%02x:%lu", major(node.st_dev), minor(node.st_dev),
                      static_cast<unsigned long>(node.st_ino));
        return start + " ADVISORY  WRITE " + pid + " " + field + " 0 EOF\n";
    }
    CPortLock Locks() const { return CPortLock(dir.File("proc"), dir.File("lock")); }

    TempDir dir;
    std::string device = dir.File("ttyUSB0");
};

} // namespace

TEST(CPortLock, LockFileNamesFollowTheDevicePathBelowDev) {
    EXPECT_EQ(CPortLock::LockFileName("/dev/ttyUSB0"), "LCK..ttyUSB0");
    EXPECT_EQ(CPortLock::LockFileName("/dev/pts/3"), "LCK..pts_3");
    EXPECT_EQ(CPortLock::LockFileName("/tmp/x/ttyS9"), "LCK..ttyS9");
}

TEST(CPortLock, ALockFileCountsOnlyWhileItsProcessLives) {
    FakeSystem sys;
    const std::string lockFile = sys.dir.File("lock/LCK..ttyUSB0");
    struct Case {
        const char* what;
        std::string content;
        bool alive;
        int pid; // expected holder, 0 for none
    };
    std::int32_t binaryPid = 4242;
    const std::vector<Case> cases = {
        {"ten digits, live", "      4242\n", true, 4242},
        {"ten digits, ended", "      4242\n", false, 0},
        {"binary, live", std::string(reinterpret_cast<const char*>(&binaryPid), 4), true, 4242},
        {"this process", "      " + std::to_string(getpid()) + "\n", true, 0},
        {"garbage", "not a pid\n", true, 0},
        {"empty", "", true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(sys.dir.Path() / "proc" / "4242");
        if (c.alive)
            sys.Process(4242, "minicom");
        WriteFileBytes(lockFile, c.content);
        const auto holder = sys.Locks().FindHolder(sys.device);
        ASSERT_EQ(holder.has_value(), c.pid != 0);
        if (holder) {
            EXPECT_EQ(holder->pid, c.pid);
            EXPECT_EQ(CPortLock::InUseReason(holder),
                      "in use by another program: minicom (process 4242, lock file " + lockFile +
                          ")");
        }
    }
}

TEST(CPortLock, ProcLocksNameTheHolderOfTheDeviceNode) {
    FakeSystem sys;
    sys.Process(5151, "flock");
    const std::string locks = sys.dir.File("proc/locks");
    struct Case {
        const char* what;
        std::string lines;
        std::string reason; // empty for no holder
    };
    const std::vector<Case> cases = {
        {"flock", sys.LockLine("1: FLOCK ", "5151"),
         "in use by another program: flock (process 5151)"},
        {"a waiter is no holder", sys.LockLine("1: -> FLOCK ", "5151"), ""},
        {"this process", sys.LockLine("1: FLOCK ", std::to_string(getpid())), ""},
        {"an open file description lock names no process", sys.LockLine("2: OFDLCK", "-1"),
         "in use by another program"},
        {"another node", "1: FLOCK  ADVISORY  WRITE 5151 00:05:1 0 EOF\n", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFileBytes(locks, "9: POSIX  ADVISORY  READ 77 fd:01:5 0 EOF\n" + c.lines);
        const auto holder = sys.Locks().FindHolder(sys.device);
        EXPECT_EQ(holder.has_value(), !c.reason.empty());
        if (holder) {
            EXPECT_EQ(CPortLock::InUseReason(holder), c.reason);
        }
    }
}

// The real thing: another process's flock refuses the port at once, also for
// root, which TIOCEXCL does not stop; the holder is named. Merely having the
// device open (as the test's own pseudo-terminal end does) is no lock.
TEST(CPortLock, APortAnotherProcessHasLockedIsRefusedWithItsHolder) {
    PseudoTerminal pty;
    CSerialPort port;
    std::vector<std::string> reports;
    port.SetErrorCallback(
        [&](const std::string& text, const std::string&, int) { reports.push_back(text); });
    ASSERT_TRUE(port.Open(pty.SlavePath(), 9600));
    port.Close();

    LockHolder holder(pty.SlavePath());
    ASSERT_TRUE(holder.Locked());
    EXPECT_FALSE(port.Open(pty.SlavePath(), 9600));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.LastOpenError().code, EBUSY);
    const std::string reason = port.LastOpenError().reason;
    EXPECT_EQ(reason.rfind("in use by another program: ", 0), 0u) << reason;
    EXPECT_NE(reason.find("(process " + std::to_string(holder.Pid()) + ")"), std::string::npos)
        << reason;
    EXPECT_EQ(reports, std::vector<std::string>{CSerialPort::kNotOpenText});
    EXPECT_FALSE(port.LastOpenError().holder.empty());
}

// Settings and modem lines as found come back at close: a terminal given as
// the port is no longer left raw without echo.
TEST(CPortLock, ClosingSetsTheLineBackAsFound) {
    PseudoTerminal pty;
    termios cooked{};
    ASSERT_EQ(tcgetattr(pty.Slave(), &cooked), 0);
    cooked.c_lflag |= ICANON | ECHO | ISIG;
    cooked.c_iflag |= ICRNL | IXON;
    cooked.c_oflag |= OPOST;
    cfsetospeed(&cooked, B38400);
    cfsetispeed(&cooked, B38400);
    ASSERT_EQ(tcsetattr(pty.Slave(), TCSANOW, &cooked), 0);

    CSerialPort port;
    ASSERT_TRUE(port.Open(pty.SlavePath(), 9600));
    termios during{};
    ASSERT_EQ(tcgetattr(pty.Slave(), &during), 0);
    EXPECT_EQ(during.c_lflag & ICANON, 0u);
    port.Close();

    termios after{};
    ASSERT_EQ(tcgetattr(pty.Slave(), &after), 0);
    EXPECT_EQ(after.c_lflag, cooked.c_lflag);
    EXPECT_EQ(after.c_iflag, cooked.c_iflag);
    EXPECT_EQ(after.c_oflag, cooked.c_oflag);
    EXPECT_EQ(after.c_cflag, cooked.c_cflag);
    EXPECT_EQ(std::memcmp(after.c_cc, cooked.c_cc, sizeof after.c_cc), 0);
    EXPECT_EQ(cfgetospeed(&after), static_cast<speed_t>(B38400));
}

} // namespace kt
