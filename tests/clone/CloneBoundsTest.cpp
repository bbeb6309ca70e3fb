// Every exchange ends in bounded time, whatever the line brings, and a failed
// exchange says in plain words what the line showed.

#include "CCloneComm.h"
#include "PseudoTerminal.h"
#include "RecordingCloneUi.h"
#include "ScriptedTransceiver.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// A device that never stops sending the same well-formed frame, and takes
// whatever the program sends without echoing it.
class EndlessSender {
public:
    EndlessSender(int master, Bytes frame) : master_(master), frame_(std::move(frame)) {
        thread_ = std::thread([this] { Run(); });
    }
    ~EndlessSender() {
        stop_ = true;
        thread_.join();
    }
    EndlessSender(const EndlessSender&) = delete;
    EndlessSender& operator=(const EndlessSender&) = delete;

private:
    void Run() {
        std::size_t at = 0;
        std::uint8_t sink[256];
        while (!stop_) {
            pollfd wait{master_, POLLIN | POLLOUT, 0};
            if (poll(&wait, 1, 20) <= 0)
                continue;
            if (wait.revents & POLLIN)
                (void)!read(master_, sink, sizeof sink);
            if (wait.revents & POLLOUT) {
                const ssize_t n = write(master_, frame_.data() + at, frame_.size() - at);
                if (n > 0)
                    at = (at + static_cast<std::size_t>(n)) % frame_.size();
            }
        }
    }

    int master_;
    Bytes frame_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// A frame no exchange takes: it only restarts the time-out.
const Bytes kIgnoredFrame = {0xFE, 0xFE, 0x00, 0x00, 0xE9, 0xFD};
constexpr std::size_t kRecordFrameBytes = 46;

// The engine with a clock that runs one second ahead for every record frame
// received: a device sending frames slowly but forever, without the wait.
class SlowLineComm : public CCloneComm {
protected:
    long NowSeconds() const override {
        return CCloneComm::NowSeconds() +
               static_cast<long>(LastBytesReceived() / kRecordFrameBytes);
    }
};

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

class CloneBoundsTest : public ::testing::Test {
protected:
    void Configure(CCloneComm& engine) {
        engine.SetUi(&ui);
        engine.SetPortDevice(pty.SlavePath());
        engine.SetModelCode(0x2270);
        engine.SetRevisionCode(0x0100);
        engine.SetExpectedReadRecords(31);
        engine.SetFile(clonePath);
    }

    PseudoTerminal pty;
    TempDir dir;
    std::string clonePath = dir.File("cl1234.tmp");
    RecordingCloneUi ui;
};

} // namespace

TEST_F(CloneBoundsTest, EndlessFramesEndAnInformationExchange) {
    CCloneComm comm;
    Configure(comm);
    EndlessSender device(pty.Master(), kIgnoredFrame);
    const Clock::time_point start = Clock::now();
    EXPECT_EQ(comm.RunInformation(), CloneOutcome::kFailed);
    EXPECT_LT(SecondsSince(start), 5.0);
    EXPECT_EQ(comm.LastStatus(), CCloneComm::kStatusTooMuch);
    EXPECT_EQ(comm.LastDiagnosis(), CloneDiagnosis::TooMuchReceived);
    EXPECT_FALSE(comm.IsOpen());
}

TEST_F(CloneBoundsTest, EndlessRecordsEndAReadAndLeaveNoneOfThemInTheCloneFile) {
    CCloneComm comm;
    Configure(comm);
    EndlessSender device(pty.Master(), ScriptedTransceiver::Record(0x10, Bytes(16, 0x42)));
    EXPECT_EQ(comm.RunRead(), CloneOutcome::kFailed);
    EXPECT_EQ(comm.LastStatus(), CCloneComm::kStatusTooMuch);
    // At most a small multiple of the 31 records and their frames came in.
    EXPECT_LE(comm.LastBytesReceived(), 4u * 34u * kRecordFrameBytes);
    EXPECT_TRUE(ReadFileBytes(clonePath).empty());
    EXPECT_FALSE(comm.IsOpen());
    EXPECT_EQ(ui.ProgressEnds(), 1);
}

TEST_F(CloneBoundsTest, AReadFarPastItsPacedDurationEnds) {
    SlowLineComm comm;
    Configure(comm);
    EndlessSender device(pty.Master(), ScriptedTransceiver::Record(0x10, Bytes(16, 0x42)));
    EXPECT_EQ(comm.RunRead(), CloneOutcome::kFailed);
    EXPECT_EQ(comm.LastStatus(), CCloneComm::kStatusTooLong);
    EXPECT_EQ(comm.LastDiagnosis(), CloneDiagnosis::TookTooLong);
    // Well before the frame bound, and well after the paced 2 to 3 s.
    EXPECT_LT(comm.LastBytesReceived(), 31u * kRecordFrameBytes);
    EXPECT_GT(comm.LastBytesReceived(), 10u * kRecordFrameBytes);
    EXPECT_TRUE(ReadFileBytes(clonePath).empty());
}

TEST_F(CloneBoundsTest, NothingAtAllAndAnEchoWithoutAnswerAreToldApart) {
    ScriptedTransceiver radio(pty.Master());
    radio.SetEcho(ScriptedTransceiver::Echo::None);
    radio.Start();
    CCloneComm comm;
    Configure(comm);
    EXPECT_EQ(comm.RunInformation(), CloneOutcome::kFailed);
    EXPECT_EQ(comm.LastDiagnosis(), CloneDiagnosis::NothingCameBack);
    EXPECT_EQ(DiagnosisText(comm.LastDiagnosis(), "/dev/ttyS0"),
              "Nothing came back from /dev/ttyS0. Is the cable plugged into this port?");
    radio.Stop();

    radio.SetEcho(ScriptedTransceiver::Echo::Normal);
    radio.Start();
    EXPECT_EQ(comm.RunInformation(), CloneOutcome::kFailed);
    EXPECT_EQ(comm.LastDiagnosis(), CloneDiagnosis::RadioDidNotAnswer);
}
