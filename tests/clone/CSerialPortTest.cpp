#include "CSerialPort.h"
#include "PseudoTerminal.h"
#include "RecordingCloneUi.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace kt {

namespace {

struct Report {
    std::string text;
    std::string caption;
    int code;
};

class CSerialPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        port.SetErrorCallback(
            [this](const std::string& text, const std::string& caption, int code) {
                reports.push_back({text, caption, code});
            });
    }

    // Writes bytes on the master side, as the transceiver would.
    void FromTransceiver(std::size_t count, std::uint8_t value = 0x5A) {
        const std::vector<std::uint8_t> bytes(count, value);
        ASSERT_EQ(write(pty.Master(), bytes.data(), bytes.size()),
                  static_cast<ssize_t>(bytes.size()));
    }

    PseudoTerminal pty;
    CSerialPort port;
    std::vector<Report> reports;
};

} // namespace

TEST_F(CSerialPortTest, OpensRaw8N1WithoutFlowControlAt9600) {
    ASSERT_TRUE(port.Open(pty.SlavePath(), 9600));
    EXPECT_TRUE(reports.empty());
    termios line{};
    ASSERT_EQ(tcgetattr(port.GetHandle(), &line), 0);
    EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(line.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_NE(line.c_cflag & CLOCAL, 0u);
    EXPECT_NE(line.c_cflag & CREAD, 0u);
    EXPECT_EQ(line.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP), 0u);
    EXPECT_EQ(line.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(line.c_oflag & OPOST, 0u);
    EXPECT_EQ(cfgetospeed(&line), static_cast<speed_t>(B9600));
    EXPECT_EQ(cfgetispeed(&line), static_cast<speed_t>(B9600));
    EXPECT_EQ(port.LastOpenError().code, 0);
}

TEST_F(CSerialPortTest, OpenTwiceKeepsTheFirstPort) {
    ASSERT_TRUE(port.Open(pty.SlavePath(), 9600));
    const int handle = port.GetHandle();
    EXPECT_TRUE(port.Open("/dev/does-not-exist", 19200));
    EXPECT_EQ(port.GetHandle(), handle);
    EXPECT_EQ(port.PortName(), pty.SlavePath());
    EXPECT_EQ(port.BaudRate(), 9600u);
    EXPECT_TRUE(reports.empty());
}

TEST_F(CSerialPortTest, MissingPortReportsNotOpenAndStaysClosed) {
    TempDir dir;
    const std::string missing = dir.File("ttyUSB9");
    EXPECT_FALSE(port.Open(missing, 9600));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.GetHandle(), -1);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].text, " not Open ");
    EXPECT_EQ(reports[0].caption, " COM Port Error    ");
    EXPECT_EQ(reports[0].code, ENOENT);
    EXPECT_EQ(port.LastOpenError().device, missing);
    EXPECT_EQ(port.LastOpenError().code, ENOENT);
    EXPECT_EQ(port.LastOpenError().reason, "No such file or directory");
}

TEST_F(CSerialPortTest, WithoutCallbackTheErrorGoesToTheUserInterface) {
    RecordingCloneUi ui;
    port.SetErrorCallback({});
    port.SetUi(&ui);
    TempDir dir;
    EXPECT_FALSE(port.Open(dir.File("ttyACM0"), 9600));
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].text, " not Open ");
    EXPECT_EQ(ui.Boxes()[0].detail, dir.File("ttyACM0") + ": No such file or directory");
}

TEST_F(CSerialPortTest, NoTerminalFailsSilentlyWithItsReason) {
    TempDir dir;
    WriteFileBytes(dir.File("plain"), "");
    EXPECT_FALSE(port.Open(dir.File("plain"), 9600));
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(port.LastOpenError().code, ENOTTY);
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(CSerialPortTest, UnsupportedBaudIsAnInvalidSetting) {
    EXPECT_FALSE(port.Open(pty.SlavePath(), 12345));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].text, " invarid setting ");
    EXPECT_EQ(port.LastOpenError().code, EINVAL);
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(CSerialPortTest, ComNameOpensTheConfiguredDevice) {
    CPortNames names;
    names.SetDevice(3, pty.SlavePath());
    port.SetPortNames(names);
    ASSERT_TRUE(port.Open("COM3", 9600));
    EXPECT_EQ(port.PortName(), "COM3");
    EXPECT_EQ(port.LastOpenError().device, pty.SlavePath());
}

// Root is not held off by exclusive use (TIOCEXCL), but by the port's lock.
TEST_F(CSerialPortTest, SecondOpenerIsRefusedWhileThePortIsHeld) {
    ASSERT_TRUE(port.Open(pty.SlavePath(), 9600));
    CSerialPort other;
    EXPECT_FALSE(other.Open(pty.SlavePath(), 9600));
    EXPECT_EQ(other.LastOpenError().code, EBUSY);
    port.Close();
    EXPECT_TRUE(other.Open(pty.SlavePath(), 9600));
}

TEST_F(CSerialPortTest, ReadTakesOnlyWhatIsWaitingAtMost256AtATime) {
    ASSERT_TRUE(port.Open(pty.SlavePath(), 9600));
    std::uint8_t buffer[1000];
    std::size_t count = 12345;
    EXPECT_FALSE(port.Read(buffer, sizeof buffer, count));
    EXPECT_EQ(count, 12345u);

    FromTransceiver(300);
    ASSERT_EQ(pty.WaitForSlaveInput(300, 2000), 300);
    ASSERT_TRUE(port.Read(buffer, sizeof buffer, count));
    EXPECT_EQ(count, 256u);
    ASSERT_TRUE(port.Read(buffer, 1, count));
    EXPECT_EQ(count, 1u);
    ASSERT_TRUE(port.Read(buffer, sizeof buffer, count));
    EXPECT_EQ(count, 43u);
    EXPECT_FALSE(port.Read(buffer, sizeof buffer, count));
    EXPECT_TRUE(reports.empty());
}

TEST_F(CSerialPortTest, OpenDropsBytesLeftInTheLine) {
    FromTransceiver(20);
    ASSERT_EQ(pty.WaitForSlaveInput(20, 2000), 20);
    ASSERT_TRUE(port.Open(pty.SlavePath(), 9600));
    std::uint8_t buffer[64];
    std::size_t count = 0;
    EXPECT_FALSE(port.Read(buffer, sizeof buffer, count));
}

TEST_F(CSerialPortTest, WriteCompletesWhatTheLineTakesOnlyInParts) {
    ASSERT_TRUE(port.Open(pty.SlavePath(), 9600));
    // Far more than the terminal holds: write() takes it in pieces and
    // answers EAGAIN in between, while the other side drains it slowly.
    std::vector<std::uint8_t> sent(200000);
    for (std::size_t i = 0; i < sent.size(); ++i)
        sent[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    std::vector<std::uint8_t> received;
    std::thread reader([&] {
        std::uint8_t chunk[700];
        while (received.size() < sent.size()) {
            pollfd wait{pty.Master(), POLLIN, 0};
            if (poll(&wait, 1, 3000) <= 0)
                return;
            const ssize_t n = read(pty.Master(), chunk, sizeof chunk);
            if (n > 0)
                received.insert(received.end(), chunk, chunk + n);
        }
    });
    EXPECT_TRUE(port.Write(sent.data(), sent.size()));
    reader.join();
    EXPECT_TRUE(received == sent);
    EXPECT_TRUE(reports.empty());
}

TEST_F(CSerialPortTest, WriteThatTheLineNeverTakesTimesOut) {
    port.SetWriteTimeoutMs(200);
    ASSERT_TRUE(port.Open(pty.SlavePath(), 9600));
    // Nobody reads the master: the queue fills and stays full.
    std::vector<std::uint8_t> sent(1 << 20, 0x55);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(port.Write(sent.data(), sent.size()));
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(200));
    EXPECT_LT(waited, std::chrono::milliseconds(1500));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].text, " write error ");
    EXPECT_EQ(reports[0].code, ETIMEDOUT);
}

TEST_F(CSerialPortTest, CloseTwiceAndOperationsOnAClosedPort) {
    ASSERT_TRUE(port.Open(pty.SlavePath(), 9600));
    port.Close();
    EXPECT_EQ(port.GetHandle(), -1);
    port.Close();
    EXPECT_EQ(port.GetHandle(), -1);
    const std::uint8_t byte = 0x42;
    std::size_t count = 7;
    std::uint8_t buffer[4];
    EXPECT_FALSE(port.Write(&byte, 1));
    EXPECT_FALSE(port.Read(buffer, sizeof buffer, count));
    EXPECT_EQ(count, 7u);
    EXPECT_FALSE(port.Flush());
    EXPECT_TRUE(reports.empty());
    // It opens again.
    EXPECT_TRUE(port.Open(pty.SlavePath(), 9600));
}

} // namespace kt
