#include "CSimulator.h"
#include "SimTestFrames.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sstream>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace kt {

using namespace simtest;

namespace {

using Clock = std::chrono::steady_clock;

// The virtual transceiver running on its own thread over a real
// pseudo-terminal; ended by closing its control pipe.
class SimRun {
public:
    explicit SimRun(const CCableFaults& faults = {}, int exchanges = 0, unsigned baud = 0)
        : transceiver_({}, SampleImage()), cable_(transceiver_, faults) {
        std::string error;
        if (!pty_.Open(error))
            throw std::runtime_error(error);
        watch_.Start(pty_.DevicePath());
        int fds[2];
        if (::pipe(fds) != 0)
            throw std::runtime_error("pipe");
        control_ = CFileDescriptor(fds[0]);
        stop_ = CFileDescriptor(fds[1]);
        CSimulator::Settings settings;
        settings.exchanges = exchanges;
        settings.saver = [this](const SimImage& image, std::string&) {
            saved_.push_back(image);
            return true;
        };
        settings.log = &log_;
        simulator_ =
            std::make_unique<CSimulator>(pty_, watch_, cable_, CPacedLine::ForBaud(baud), settings);
        thread_ = std::thread([this] {
            status_ = simulator_->Run({{control_.Get(), CSimulator::StopSource::Kind::EndOfInput}});
        });
    }
    ~SimRun() { Stop(); }

    // Ends the run (if it has not ended by itself) and gives its status.
    int Stop() {
        stop_.Reset();
        if (thread_.joinable())
            thread_.join();
        return status_;
    }
    // Waits for a run that ends by itself.
    int Join() {
        thread_.join();
        return status_;
    }

    const std::string& Device() const { return pty_.DevicePath(); }
    const std::vector<SimImage>& Saved() const { return saved_; }
    int ExchangesDone() const { return simulator_->ExchangesDone(); }
    std::string Log() const { return log_.str(); }

private:
    CPseudoTerminal pty_;
    CDeviceWatch watch_;
    CTransceiver transceiver_;
    CCloneCable cable_;
    CFileDescriptor control_;
    CFileDescriptor stop_;
    std::vector<SimImage> saved_;
    std::ostringstream log_;
    std::unique_ptr<CSimulator> simulator_;
    std::thread thread_;
    int status_ = -1;
};

// The program's end of the line, opened as a serial port is.
class Port {
public:
    explicit Port(const std::string& device)
        : fd_(::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {
        termios tio{};
        ::tcgetattr(fd_.Get(), &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(fd_.Get(), TCSANOW, &tio);
        ::tcflush(fd_.Get(), TCIOFLUSH);
    }
    bool IsOpen() const { return fd_.IsValid(); }
    int Fd() const { return fd_.Get(); }
    void Close() { fd_.Reset(); }

    void Send(const ByteVector& bytes) {
        ASSERT_EQ(::write(fd_.Get(), bytes.data(), bytes.size()),
                  static_cast<ssize_t>(bytes.size()));
    }
    // Reads until count bytes have come, the line hangs up, or 3 s pass.
    ByteVector Receive(std::size_t count) {
        ByteVector bytes;
        const auto until = Clock::now() + std::chrono::seconds(3);
        while (bytes.size() < count && Clock::now() < until) {
            pollfd p{fd_.Get(), POLLIN, 0};
            if (::poll(&p, 1, 100) <= 0)
                continue;
            std::uint8_t buffer[512];
            const ssize_t n =
                ::read(fd_.Get(), buffer, std::min(sizeof buffer, count - bytes.size()));
            if (n <= 0) {
                hungUp_ = true;
                break;
            }
            bytes.insert(bytes.end(), buffer, buffer + n);
        }
        return bytes;
    }
    bool HungUp() const { return hungUp_; }

private:
    CFileDescriptor fd_;
    bool hungUp_ = false;
};

ByteVector IdentityAnswer() {
    return CTransceiver({}, SampleImage()).OnFrame(BodyOf(IdentityRequest())).frames.at(0);
}

} // namespace

TEST(CSimulatorTest, TheProgramMayCloseAndOpenTheDeviceAgain) {
    SimRun sim;
    const ByteVector expected = Join({IdentityRequest(), IdentityAnswer()});
    const bool root = ::geteuid() == 0; // only root can open past an exclusive mark
    {
        Port port(sim.Device());
        if (root) {
            ASSERT_EQ(::ioctl(port.Fd(), TIOCEXCL), 0);
        }
        port.Send(IdentityRequest());
        EXPECT_EQ(port.Receive(expected.size()), expected);
    }
    Port again(sim.Device());
    ASSERT_TRUE(again.IsOpen());
    again.Send(IdentityRequest());
    EXPECT_EQ(again.Receive(expected.size()), expected) << "no hang-up after the first close";
    if (root) {
        // The simulator saw the close before it read the second request.
        int exclusive = -1;
        ASSERT_EQ(::ioctl(again.Fd(), TIOCGEXCL, &exclusive), 0);
        EXPECT_EQ(exclusive, 0) << "the first opener's exclusive mark is lifted";
    }
    EXPECT_EQ(sim.Stop(), 0);
}

TEST(CSimulatorTest, AWriteIsSavedAndTheRunEndsAfterItsExchanges) {
    SimRun sim({}, 1);
    const SimImage image = SampleImage();
    SimImage written = image;
    written[0x1F0] = 0x42;
    const auto started = Clock::now();
    {
        Port port(sim.Device());
        port.Send(WriteRequest());
        ASSERT_EQ(port.Receive(WriteRequest().size()), WriteRequest());
        for (std::size_t i = 0; i < kSimRecordCount; ++i) {
            const ByteVector record =
                RecordFrame(written, static_cast<std::uint16_t>(0x010 + 16 * i));
            port.Send(record);
            ASSERT_EQ(port.Receive(record.size()), record);
        }
        port.Send(EndFrame());
        const ByteVector result{0xFE, 0xFE, 0xEF, 0xEE, 0xE6, 0x00, 0xFD};
        EXPECT_EQ(port.Receive(EndFrame().size() + result.size()), Join({EndFrame(), result}));
    }
    // The program has closed the device: the run ends by itself.
    EXPECT_EQ(sim.Join(), 0);
    EXPECT_LT(Clock::now() - started,
              std::chrono::milliseconds(CSimulator::kExitGrace / 1'000'000));
    EXPECT_EQ(sim.ExchangesDone(), 1);
    ASSERT_EQ(sim.Saved().size(), 1u);
    EXPECT_EQ(sim.Saved()[0][0x1F0], 0x42);
}

TEST(CSimulatorTest, TheDeviceVanishesAfterItsFrames) {
    SimRun sim({.closeAfter = 2});
    Port port(sim.Device());
    port.Send(IdentityRequest());
    const ByteVector expected = Join({IdentityRequest(), IdentityAnswer()});
    EXPECT_EQ(port.Receive(expected.size() + 1), expected);
    EXPECT_TRUE(port.HungUp());
    EXPECT_EQ(sim.Join(), 0);
}

TEST(CSimulatorTest, BytesLeaveNoFasterThanTheLine) {
    SimRun sim({}, 0, 9600);
    Port port(sim.Device());
    const ByteVector expected = Join({IdentityRequest(), IdentityAnswer()});
    const auto started = Clock::now();
    port.Send(IdentityRequest());
    ASSERT_EQ(port.Receive(expected.size()), expected);
    // 36 bytes: the last leaves 35 byte times (of 1.0417 ms) after the first.
    EXPECT_GE(Clock::now() - started, std::chrono::microseconds(35 * 1041));
}

} // namespace kt
