#include "CCloneComm.h"
#include "PseudoTerminal.h"
#include "RecordingCloneUi.h"
#include "ScriptedTransceiver.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <functional>
#include <map>
#include <sys/resource.h>

namespace kt {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint16_t kModel = 0x2270;
constexpr std::uint16_t kRevision = 0x0100;
constexpr unsigned kRecords = 31;
constexpr unsigned kFirstAddress = 0x010;
constexpr unsigned kRecordSize = 16;

unsigned AddressOf(unsigned record) {
    return kFirstAddress + record * kRecordSize;
}

Bytes DataAt(unsigned address) {
    Bytes data;
    for (unsigned i = 0; i < kRecordSize; ++i)
        data.push_back(static_cast<std::uint8_t>(address * 3 + i * 17));
    return data;
}

std::string Hex(const Bytes& bytes) {
    std::string text;
    char pair[3];
    for (std::uint8_t b : bytes) {
        std::snprintf(pair, sizeof pair, "%02X", b);
        text += pair;
    }
    return text;
}

// The record line of a data file: address, count, data.
std::string RecordLineAt(unsigned address) {
    const Bytes data = DataAt(address);
    return Hex({static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address),
                static_cast<std::uint8_t>(data.size())}) +
           Hex(data);
}

// The frame the program sends for the record at address.
Bytes ProgramRecordFrame(unsigned address) {
    const Bytes data = DataAt(address);
    unsigned sum = (address >> 8) + (address & 0xFF) + static_cast<unsigned>(data.size());
    for (std::uint8_t b : data)
        sum += b;
    const std::string payload =
        RecordLineAt(address) + Hex({static_cast<std::uint8_t>((0x100 - sum % 0x100) % 0x100)});
    Bytes frame{0xFE, 0xFE, 0xEE, 0xEF, 0xE4};
    for (char c : payload)
        frame.push_back(static_cast<std::uint8_t>(c));
    frame.push_back(0xFD);
    return frame;
}

Bytes TransceiverRecords(unsigned count) {
    std::vector<Bytes> parts;
    for (unsigned r = 0; r < count; ++r)
        parts.push_back(ScriptedTransceiver::Record(AddressOf(r), DataAt(AddressOf(r))));
    return ScriptedTransceiver::Join(parts);
}

// A data file as the radio data object saves it.
std::string DataFile(const std::string& identityLine = "22700100") {
    std::string text = identityLine + "\r\n#AIRBAND CLUB    \r\n";
    for (unsigned r = 0; r < kRecords; ++r)
        text += RecordLineAt(AddressOf(r)) + "\r\n";
    return text;
}

const Bytes kIdentityRequest = {0xFE, 0xFE, 0xEE, 0xEF, 0xE0, 0x00, 0x00, 0x00, 0x00, 0xFD};
const Bytes kReadRequest = {0xFE, 0xFE, 0xEE, 0xEF, 0xE2, 0x22, 0x70, 0x01, 0x00, 0xFD};
const Bytes kWriteRequest = {0xFE, 0xFE, 0xEE, 0xEF, 0xE3, 0x22, 0x70, 0x01, 0x00, 0xFD};
const Bytes kProgramEndFrame = {0xFE, 0xFE, 0xEE, 0xEF, 0xE5, 'V', 'e', 'l',
                                'k',  ' ',  'I',  'n',  'c',  '.', 0xFD};

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double ThreadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

class CCloneCommTest : public ::testing::Test {
protected:
    void SetUp() override { Configure(comm, ui); }

    void Configure(CCloneComm& engine, ICloneUi& shown) {
        engine.SetUi(&shown);
        engine.SetPortDevice(pty.SlavePath());
        engine.SetModelCode(kModel);
        engine.SetRevisionCode(kRevision);
        engine.SetExpectedReadRecords(kRecords);
        engine.SetFile(clonePath);
    }

    PseudoTerminal pty;
    ScriptedTransceiver radio{pty.Master()};
    TempDir dir;
    std::string clonePath = dir.File("cl1234.tmp");
    RecordingCloneUi ui;
    CCloneComm comm;
};

} // namespace

TEST_F(CCloneCommTest, InformationKeepsTheTransceiversIdentity) {
    radio.ReplyTo(0xE0, ScriptedTransceiver::IdentityAnswer(kModel, kRevision, "AIRBAND CLUB 123"));
    radio.Start();

    EXPECT_EQ(comm.RunInformation(), 0);
    EXPECT_EQ(comm.LastStatus(), CCloneComm::kStatusCompleted);
    const CIdentityRecord& identity = comm.GetIdentity();
    EXPECT_EQ(identity.model, kModel);
    EXPECT_EQ(identity.revision, kRevision);
    ASSERT_EQ(identity.length, 16);
    EXPECT_EQ(std::string(identity.data.begin(), identity.data.begin() + 16), "AIRBAND CLUB 123");
    EXPECT_EQ(radio.Frames(), std::vector<Bytes>{kIdentityRequest});
    // No progress dialog, no status text, no box for an information exchange.
    EXPECT_TRUE(ui.Events().empty());
    EXPECT_FALSE(comm.IsOpen());
}

TEST_F(CCloneCommTest, ReadOf31RecordsGivesACloneFileOf33Lines) {
    radio.ReplyTo(0xE2, ScriptedTransceiver::Join(
                            {TransceiverRecords(kRecords), ScriptedTransceiver::EndFrame()}));
    radio.Start();

    EXPECT_EQ(comm.RunRead(), 0);

    std::string expected = "22700100\r\n#\r\n";
    for (unsigned r = 0; r < kRecords; ++r)
        expected += RecordLineAt(AddressOf(r)) + "\r\n";
    EXPECT_EQ(ReadFileBytes(clonePath), expected);
    EXPECT_EQ(std::count(expected.begin(), expected.end(), '\n'), 33);
    EXPECT_EQ(radio.Frames(), std::vector<Bytes>{kReadRequest});
    ASSERT_FALSE(ui.Events().empty());
    EXPECT_EQ(ui.Events().front(), "status: " + std::string(" Now reading <- TR"));
    EXPECT_EQ(ui.ProgressBegins(), 1);
    EXPECT_EQ(ui.ProgressEnds(), 1);
    EXPECT_EQ(ui.Events().back(), "progress-end");
    // Every pass both sets the bar and asks for a cancel.
    EXPECT_EQ(ui.CancelChecks(), ui.ProgressCalls());
    EXPECT_EQ(comm.LastFileError().code, 0);
}

namespace {
// At the first time the bar shows each step, notes what probe tells then
// (the exchange runs on this thread, so the probe sees the state of that
// moment).
class StepWatchingUi : public RecordingCloneUi {
public:
    explicit StepWatchingUi(std::function<int()> probe) : probe_(std::move(probe)) {}
    void SetProgress(int percent) override {
        if (atStep.count(percent) == 0)
            atStep[percent] = probe_();
        RecordingCloneUi::SetProgress(percent);
    }
    std::map<int, int> atStep;

private:
    std::function<int()> probe_;
};

// Counts the frames the engine writes to the port.
class CountingCloneComm : public CCloneComm {
public:
    bool Write(const std::uint8_t* bytes, std::size_t count) override {
        ++framesWritten;
        return CCloneComm::Write(bytes, count);
    }
    int framesWritten = 0;
};

int LinesIn(const std::string& path) {
    const std::string text = ReadFileBytes(path);
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}
} // namespace

TEST_F(CCloneCommTest, ReadProgressMovesInStepsOfTenPercentOfTheExpectedRecords) {
    StepWatchingUi watcher([this] { return LinesIn(clonePath); });
    comm.SetUi(&watcher);
    radio.ReplyTo(0xE2, ScriptedTransceiver::Join(
                            {TransceiverRecords(kRecords), ScriptedTransceiver::EndFrame()}));
    radio.Start();

    EXPECT_EQ(comm.RunRead(), 0);
    EXPECT_EQ(watcher.ProgressSteps(),
              (std::vector<int>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
    // The clone file has its identity and comment lines, then the records.
    EXPECT_EQ(watcher.atStep[10], 2 + 4);   // 4 * 100 / 31 = 12
    EXPECT_EQ(watcher.atStep[90], 2 + 28);  // 28 * 100 / 31 = 90
    EXPECT_EQ(watcher.atStep[100], 2 + 31); // the end frame
}

TEST_F(CCloneCommTest, WriteSendsEveryRecordAfterTheEchoOfThePreviousFrame) {
    CountingCloneComm counting;
    StepWatchingUi watcher([&counting] { return counting.framesWritten; });
    Configure(counting, watcher);
    WriteFileBytes(clonePath, DataFile());
    radio.ReplyTo(0xE5, ScriptedTransceiver::WriteResult(0x00));
    radio.Start();

    EXPECT_EQ(counting.RunWrite(), 0);

    std::vector<Bytes> expected{kWriteRequest};
    for (unsigned r = 0; r < kRecords; ++r)
        expected.push_back(ProgramRecordFrame(AddressOf(r)));
    expected.push_back(kProgramEndFrame);
    const std::vector<Bytes> frames = radio.Frames();
    EXPECT_EQ(frames, expected);
    EXPECT_TRUE(std::all_of(frames.begin() + 1, frames.end() - 1,
                            [](const Bytes& f) { return f.size() == 46; }));
    EXPECT_EQ(watcher.StatusTexts(), std::vector<std::string>{" Now writing -> TR"});
    EXPECT_EQ(watcher.ProgressSteps(),
              (std::vector<int>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
    // The identity line counts as a record, so the base is 32: the bar
    // reaches 90 % with record 29 and stays there until the end frame goes
    // out. Frames written include the request.
    EXPECT_EQ(watcher.atStep[10], 1 + 4);
    EXPECT_EQ(watcher.atStep[90], 1 + 29);
    EXPECT_EQ(watcher.atStep[100], 1 + 31 + 1);
    EXPECT_EQ(watcher.ProgressEnds(), 1);
}

TEST_F(CCloneCommTest, WriteRefusedByTheTransceiverFails) {
    WriteFileBytes(clonePath, DataFile());
    radio.ReplyTo(0xE5, ScriptedTransceiver::WriteResult(0x01));
    radio.Start();

    EXPECT_EQ(comm.RunWrite(), 77);
    EXPECT_EQ(comm.LastStatus(), CCloneComm::kStatusProtocolError);
    EXPECT_EQ(radio.Frames().size(), 1 + kRecords + 1);
}

TEST_F(CCloneCommTest, AWriteResultCountsOnlyAfterThatWritesOwnEndFrame) {
    // A write that ends well leaves its end frame echoed ...
    WriteFileBytes(clonePath, "22700100\r\n#\r\n");
    radio.ReplyTo(0xE5, ScriptedTransceiver::WriteResult(0x00));
    radio.Start();
    ASSERT_EQ(comm.RunWrite(), 0);
    radio.Stop();

    // ... which must not let the next write take a result that comes before
    // its records have gone out.
    WriteFileBytes(clonePath, DataFile());
    radio.ClearReplies();
    radio.ReplyTo(0xE3, ScriptedTransceiver::WriteResult(0x00));
    radio.Start();
    EXPECT_EQ(comm.RunWrite(), 77);
    EXPECT_EQ(comm.LastStatus(), CCloneComm::kStatusProtocolError);
}

TEST_F(CCloneCommTest, ALineThatCannotBeSentIsRefusedBeforeThePortIsOpened) {
    // Longer than a frame can carry.
    const std::string tooLong = RecordLineAt(0x30) + std::string(220, '0');
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"XYZ", "line 5 is not a record line: XYZ"},
        {"0030", "line 5 is not a record line: 0030"},
        {RecordLineAt(0x30) + "0", "line 5 is not a record line: "},
        {tooLong, "line 5 is not a record line: "},
    };
    radio.ReplyTo(0xE5, ScriptedTransceiver::WriteResult(0x00));
    radio.Start();
    for (const auto& [line, reason] : cases) {
        SCOPED_TRACE(line);
        WriteFileBytes(clonePath, "22700100\r\n#\r\n" + RecordLineAt(0x10) + "\r\n" +
                                      RecordLineAt(0x20) + "\r\n" + line + "\r\n" +
                                      RecordLineAt(0x40) + "\r\n");
        EXPECT_EQ(comm.RunWrite(), 77);
        EXPECT_TRUE(comm.LastOpenError().device.empty()) << "no open was tried";
        EXPECT_EQ(comm.LastFileError().code, EINVAL);
        EXPECT_EQ(comm.LastFileError().path, clonePath);
        EXPECT_EQ(comm.LastFileError().reason.rfind(reason, 0), 0u) << comm.LastFileError().reason;
    }
    EXPECT_EQ(ui.ProgressBegins(), 0);
    EXPECT_TRUE(radio.Frames().empty());
}

TEST_F(CCloneCommTest, ShortIdentityLineGives80WithoutTouchingThePort) {
    WriteFileBytes(clonePath, DataFile("2270010"));
    radio.Start();

    EXPECT_EQ(comm.RunWrite(), 80);
    EXPECT_TRUE(comm.LastOpenError().device.empty()); // no open was tried
    EXPECT_EQ(ui.ProgressBegins(), 0);
    EXPECT_TRUE(radio.Frames().empty());
}

TEST_F(CCloneCommTest, WrongEchoOfTheRequestEndsEveryExchange) {
    WriteFileBytes(clonePath, DataFile());
    struct Case {
        const char* what;
        std::function<int()> run;
    };
    const std::vector<Case> cases = {
        {"information", [this] { return comm.RunInformation(); }},
        {"read", [this] { return comm.RunRead(); }},
        {"write", [this] { return comm.RunWrite(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // A line of its own for each, so that the first frame is altered.
        PseudoTerminal line;
        ScriptedTransceiver altering(line.Master());
        altering.SetEcho(ScriptedTransceiver::Echo::AlteredFirstPayloadByte);
        altering.ReplyTo(0xE0, ScriptedTransceiver::IdentityAnswer(kModel, kRevision, "X"));
        altering.ReplyTo(0xE2, ScriptedTransceiver::Join({TransceiverRecords(kRecords),
                                                          ScriptedTransceiver::EndFrame()}));
        altering.Start();
        comm.SetPortDevice(line.SlavePath());

        EXPECT_EQ(c.run(), 77);
        EXPECT_EQ(comm.LastStatus(), CCloneComm::kStatusProtocolError);
        // Nothing follows the request.
        EXPECT_EQ(altering.Frames().size(), 1u);
    }
    EXPECT_EQ(comm.GetIdentity().model, 0);
}

TEST_F(CCloneCommTest, RecordDuringAnInformationExchangeEndsIt) {
    radio.ReplyTo(0xE0, ScriptedTransceiver::Record(0x10, DataAt(0x10)));
    radio.Start();

    EXPECT_EQ(comm.RunInformation(), 77);
    EXPECT_EQ(comm.LastStatus(), CCloneComm::kStatusProtocolError);
}

TEST_F(CCloneCommTest, NoEchoTimesOutTwoToThreeSecondsAfterTheRequestWithoutSpinning) {
    radio.SetEcho(ScriptedTransceiver::Echo::None);
    radio.Start();

    const double cpuBefore = ThreadCpuSeconds();
    EXPECT_EQ(comm.RunInformation(), 77);
    const double elapsed = SecondsSince(radio.FirstFrameTime());
    const double cpu = ThreadCpuSeconds() - cpuBefore;

    EXPECT_EQ(comm.LastStatus(), CCloneComm::kStatusNoEcho);
    // 200 ms after the request, then more than 2 and at most 3 whole seconds.
    EXPECT_GE(elapsed, 2.2 - 0.05);
    EXPECT_LE(elapsed, 3.2 + 0.5);
    // The loop waits on the port instead of spinning.
    EXPECT_LT(cpu, 0.25 * elapsed);
    RecordProperty("timeout_seconds", std::to_string(elapsed));
    RecordProperty("cpu_seconds", std::to_string(cpu));
}

TEST_F(CCloneCommTest, MissingPortGives91AndClosesTheProgressAgain) {
    const std::string missing = dir.File("ttyUSB0");
    comm.SetPortDevice(missing);

    EXPECT_EQ(comm.RunRead(), 91);
    EXPECT_EQ(ui.ProgressBegins(), 1);
    EXPECT_EQ(ui.ProgressEnds(), 1);
    EXPECT_FALSE(ui.ProgressOpen());
    EXPECT_TRUE(ui.Boxes().empty()); // no serial error box while cloning
    EXPECT_EQ(comm.LastOpenError().device, missing);
    EXPECT_EQ(comm.LastOpenError().code, ENOENT);

    EXPECT_EQ(comm.RunInformation(), 91);
    EXPECT_EQ(ui.ProgressBegins(), 1); // no dialog for information
}

TEST_F(CCloneCommTest, PortNumberOpensItsComPort) {
    CPortNames names;
    names.SetDevice(2, pty.SlavePath());
    comm.SetPortNames(names);
    comm.SetPortDevice("");
    comm.SetPortNumber(2);
    radio.ReplyTo(0xE0, ScriptedTransceiver::IdentityAnswer(kModel, kRevision, ""));
    radio.Start();

    EXPECT_EQ(comm.RunInformation(), 0);
    EXPECT_EQ(comm.PortName(), "COM2");
    EXPECT_EQ(comm.GetIdentity().length, 0);
}

TEST_F(CCloneCommTest, CancelDuringReadGives1) {
    ui.CancelAfterProgressCalls(50);
    radio.ReplyTo(0xE2, ScriptedTransceiver::Join(
                            {TransceiverRecords(kRecords), ScriptedTransceiver::EndFrame()}));
    radio.Start();

    EXPECT_EQ(comm.RunRead(), 1);
    EXPECT_EQ(comm.LastStatus(), CCloneComm::kStatusCancelled);
    EXPECT_EQ(ui.ProgressCalls(), 50);
    EXPECT_EQ(ui.ProgressEnds(), 1);
    EXPECT_FALSE(comm.IsOpen());
}

TEST_F(CCloneCommTest, CloneFileThatCannotBeWrittenFailsBeforeTheExchange) {
    struct Case {
        const char* what;
        std::string path;
        int code;
    };
    const std::vector<Case> cases = {
        {"folder missing", dir.File("gone/cl1.tmp"), ENOENT},
        {"device full", "/dev/full", ENOSPC},
    };
    radio.Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        comm.SetFile(c.path);
        EXPECT_EQ(comm.RunRead(), 77);
        EXPECT_EQ(comm.LastFileError().path, c.path);
        EXPECT_EQ(comm.LastFileError().code, c.code);
        EXPECT_FALSE(comm.LastFileError().reason.empty());
    }
    EXPECT_TRUE(radio.Frames().empty());
    EXPECT_EQ(ui.ProgressBegins(), 0);

    comm.SetFile(dir.File("gone/cl1.tmp"));
    EXPECT_EQ(comm.RunWrite(), 77);
    EXPECT_EQ(comm.LastFileError().code, ENOENT);
    EXPECT_TRUE(radio.Frames().empty());
}

namespace {
// Limits the size of files this process writes; writing beyond it fails with
// EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        savedHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, savedHandler_);
    }

private:
    rlimit saved_{};
    void (*savedHandler_)(int) = SIG_DFL;
};
} // namespace

TEST_F(CCloneCommTest, CloneFileFailingDuringAReadEndsItAtOnce) {
    radio.ReplyTo(0xE2, ScriptedTransceiver::Join(
                            {TransceiverRecords(kRecords), ScriptedTransceiver::EndFrame()}));
    radio.Start();
    // Room for the identity and comment lines (13 bytes) and 4 records of 40.
    const std::size_t room = 13 + 4 * 40;
    int outcome = 0;
    const Clock::time_point start = Clock::now();
    {
        FileSizeLimit limit(room);
        outcome = comm.RunRead();
    }
    EXPECT_EQ(outcome, 77);
    EXPECT_EQ(comm.LastStatus(), CCloneComm::kStatusProtocolError);
    EXPECT_EQ(comm.LastFileError().code, EFBIG);
    EXPECT_EQ(ReadFileBytes(clonePath).size(), room);
    EXPECT_LT(SecondsSince(start), 2.0); // ended by the failure, not by a time-out
    EXPECT_FALSE(comm.IsOpen());
    EXPECT_EQ(ui.ProgressEnds(), 1);
}

TEST(CCloneCommSignalTest, BeepPatterns) {
    RecordingCloneUi ui;
    CCloneComm comm;
    comm.SetUi(&ui);
    comm.SignalResult(true);
    EXPECT_EQ(ui.Events(),
              (std::vector<std::string>{"beep 1000 50", "pause 50", "beep 1000 50", "pause 500"}));

    RecordingCloneUi failed;
    comm.SetUi(&failed);
    comm.SignalResult(false);
    EXPECT_EQ(failed.Events(),
              (std::vector<std::string>{"beep 500 400", "pause 100", "beep 500 400", "pause 100",
                                        "beep 500 400", "pause 100", "beep 500 400", "pause 500"}));
}

} // namespace kt
