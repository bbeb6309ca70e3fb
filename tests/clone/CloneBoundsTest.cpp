
#include "CCloneComm.h"
#include "EndlessSender.h"
#include "PseudoTerminal.h"
#include "RecordingCloneUi.h"
#include "ScriptedTransceiver.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <chrono>

namespace kt {

// Every exchange ends in bounded time, whatever the line brings, and a failed
// exchange says in plain words what the line showed.

namespace {

using Clock = std::chrono::steady_clock;

// A frame no exchange takes: it only restarts the time-out.
const Bytes kIgnoredFrame = EndlessSender::IgnoredFrame();
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

} // namespace kt
