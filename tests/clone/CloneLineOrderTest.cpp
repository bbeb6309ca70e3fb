
#include "CCloneComm.h"
#include "CCloneCommands.h"
#include "CM220Radio.h"
#include "PseudoTerminal.h"
#include "RecordingCloneUi.h"
#include "RecordingLineControl.h"
#include "ScriptedTransceiver.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <sys/ioctl.h>

namespace kt {

// What a pseudo-terminal cannot show of an exchange: the modem lines, the
// purges, the protocol's fixed waits and their order among the frames, and
// the order of beep, status text and box of each command's outcome. The
// port's device calls are recorded (RecordingLineControl) while the bytes
// travel over a real pseudo-terminal to a scripted transceiver.

namespace {

constexpr std::uint16_t kModel = 0x2270;
constexpr std::uint16_t kRevision = 0x0100;
constexpr unsigned kRecords = 31;

Bytes DataAt(unsigned address) {
    Bytes data;
    for (unsigned i = 0; i < 16; ++i)
        data.push_back(static_cast<std::uint8_t>(address + i * 7));
    return data;
}

Bytes Records(unsigned count) {
    std::vector<Bytes> parts;
    for (unsigned r = 0; r < count; ++r)
        parts.push_back(ScriptedTransceiver::Record(0x10 + r * 16, DataAt(0x10 + r * 16)));
    parts.push_back(ScriptedTransceiver::EndFrame());
    return ScriptedTransceiver::Join(parts);
}

// The clone engine on a recorded line. The protocol's waits are noted among
// the port's calls instead of slept: the echoes pace the exchange anyway.
class RecordedComm : public CCloneComm {
public:
    explicit RecordedComm(RecordingLineControl& line) : line_(line) { SetLineControl(line); }
    ~RecordedComm() override { Close(); }
    RecordedComm(const RecordedComm&) = delete;
    RecordedComm& operator=(const RecordedComm&) = delete;

    bool Write(const std::uint8_t* bytes, std::size_t count) override {
        if (count > 4) {
            char entry[16];
            std::snprintf(entry, sizeof entry, "send %02X", bytes[4]);
            line_.Note(entry);
        }
        return CCloneComm::Write(bytes, count);
    }

protected:
    void Wait(int ms) override { line_.Note("wait " + std::to_string(ms)); }

private:
    RecordingLineControl& line_;
};

// Notes the end of the progress dialog on the line's record too.
class NotingUi : public RecordingCloneUi {
public:
    explicit NotingUi(RecordingLineControl& line) : line_(line) {}
    void EndProgress() override {
        line_.Note("progress-end");
        RecordingCloneUi::EndProgress();
    }

private:
    RecordingLineControl& line_;
};

std::vector<std::string> Only(const std::vector<std::string>& events,
                              const std::vector<std::string>& prefixes) {
    std::vector<std::string> kept;
    for (const std::string& e : events)
        if (std::any_of(prefixes.begin(), prefixes.end(),
                        [&](const std::string& p) { return e.rfind(p, 0) == 0; }))
            kept.push_back(e);
    return kept;
}

// The device as found: DTR on, RTS off. Opening must turn DTR off and RTS on
// (the cable's power), closing must set both back.
constexpr int kFoundModemLines = TIOCM_DTR;

class CloneLineOrderTest : public ::testing::Test {
protected:
    CloneLineOrderTest() {
        comm.SetUi(&ui);
        comm.SetPortDevice(pty.SlavePath());
        comm.SetModelCode(kModel);
        comm.SetRevisionCode(kRevision);
        comm.SetExpectedReadRecords(kRecords);
        comm.SetFile(clonePath);
        radio.ReplyTo(0xE0, ScriptedTransceiver::IdentityAnswer(kModel, kRevision, "CLUB"));
        radio.ReplyTo(0xE2, Records(kRecords));
        radio.ReplyTo(0xE5, ScriptedTransceiver::WriteResult(0));
    }

    void WriteCloneFile() {
        std::string text = "22700100\r\n#\r\n";
        char line[64];
        for (unsigned r = 0; r < kRecords; ++r) {
            std::snprintf(line, sizeof line, "%04X10", 0x10 + r * 16);
            text += line;
            for (std::uint8_t b : DataAt(0x10 + r * 16)) {
                std::snprintf(line, sizeof line, "%02X", b);
                text += line;
            }
            text += "\r\n";
        }
        WriteFileBytes(clonePath, text);
    }

    PseudoTerminal pty;
    ScriptedTransceiver radio{pty.Master()};
    TempDir dir;
    std::string clonePath = dir.File("cl1234.tmp");
    RecordingLineControl line{kFoundModemLines};
    NotingUi ui{line};
    RecordedComm comm{line};
};

} // namespace

TEST_F(CloneLineOrderTest, AnExchangeSetsTheLineUpAndGivesItBackAsFound) {
    radio.Start();
    ASSERT_EQ(comm.RunInformation(), 0);
    EXPECT_EQ(line.Events(),
              (std::vector<std::string>{// open: exclusive, the line and modem lines as found kept,
                                        // queues purged, then the clone line with DTR off, RTS on
                                        "open", "lock", "exclusive", "get line", "get modem lines",
                                        "purge both", "set line raw 9600", "DTR off", "RTS on",
                                        // the exchange
                                        "wait 200", "send E0", "wait 200",
                                        // close: purge, everything set back, then the locks go
                                        "purge both", "set line as found", "DTR on", "RTS off",
                                        "not exclusive", "unlock", "close"}));
    EXPECT_EQ(line.ModemLines(), kFoundModemLines);
}

TEST_F(CloneLineOrderTest, TheFixedWaitsOfEachExchangeComeInTheirPlaces) {
    radio.Start();
    const std::vector<std::string> kinds = {"wait", "send", "close", "progress-end"};

    ASSERT_EQ(comm.RunRead(), 0);
    EXPECT_EQ(Only(line.Events(), kinds),
              (std::vector<std::string>{"wait 200", "send E2", "wait 200", "close", "wait 500",
                                        "progress-end"}));

    WriteCloneFile();
    RecordingLineControl writeLine{kFoundModemLines};
    NotingUi writeUi{writeLine};
    RecordedComm writer{writeLine};
    writer.SetUi(&writeUi);
    writer.SetPortDevice(pty.SlavePath());
    writer.SetModelCode(kModel);
    writer.SetRevisionCode(kRevision);
    writer.SetFile(clonePath);
    ASSERT_EQ(writer.RunWrite(), 0);
    std::vector<std::string> expected = {"wait 200", "send E3", "wait 200", "wait 200"};
    expected.insert(expected.end(), kRecords, "send E4");
    expected.insert(expected.end(), {"send E5", "close", "wait 500", "progress-end"});
    EXPECT_EQ(Only(writeLine.Events(), kinds), expected);
}

TEST_F(CloneLineOrderTest, RefusedSettingsReleaseTheDeviceAsFound) {
    line.RefuseSettings();
    radio.Start();
    EXPECT_EQ(comm.RunInformation(), CloneOutcome::kPortFailed);
    const std::vector<std::string>& events = line.Events();
    ASSERT_GE(events.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(events.end() - 6, events.end()),
              (std::vector<std::string>{"set line as found", "DTR on", "RTS off", "not exclusive",
                                        "unlock", "close"}));
    EXPECT_EQ(line.ModemLines(), kFoundModemLines);
    EXPECT_TRUE(radio.Frames().empty());
}

// Outcome by outcome: the beep pattern comes first, then the status text,
// then the box (with the diagnosis as its detail).
TEST_F(CloneLineOrderTest, EachCommandBeepsThenShowsItsStatusThenItsBox) {
    const std::vector<std::string> success = {"beep 1000 50", "pause 50", "beep 1000 50",
                                              "pause 500"};
    const std::vector<std::string> failure = {"beep 500 400", "pause 100",    "beep 500 400",
                                              "pause 100",    "beep 500 400", "pause 100",
                                              "beep 500 400", "pause 500"};
    auto then = [](std::vector<std::string> first, const std::vector<std::string>& more) {
        first.insert(first.end(), more.begin(), more.end());
        return first;
    };
    const std::string boxK = std::string("box: ") + CloneText::kBoxCheck;
    struct Case {
        const char* what;
        std::function<void(ScriptedTransceiver&, RecordingCloneUi&, CCloneComm&)> setUp;
        std::function<int(CCloneCommands&)> run;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"read completed",
         {},
         [](CCloneCommands& c) { return c.Read(); },
         then(success, {std::string("status: ") + CloneText::kCompleted})},
        {"write completed",
         {},
         [](CCloneCommands& c) { return c.Write(); },
         then(success, {std::string("status: ") + CloneText::kCompleted,
                        std::string("box: ") + CloneText::kBoxWriteSucceeded})},
        {"information completed",
         {},
         [](CCloneCommands& c) { return c.Information(); },
         then(success, {"information: VR-M220 | CLUB"})},
        {"read cancelled",
         [](ScriptedTransceiver&, RecordingCloneUi& ui, CCloneComm&) {
             ui.CancelAfterProgressCalls(1);
         },
         [](CCloneCommands& c) { return c.Read(); },
         then(failure, {std::string("status: ") + CloneText::kTerminated})},
        {"write refused by the transceiver",
         [](ScriptedTransceiver& r, RecordingCloneUi&, CCloneComm&) {
             r.ReplyTo(0xE5, ScriptedTransceiver::WriteResult(1));
         },
         [](CCloneCommands& c) { return c.Write(); },
         then(failure, {std::string("status: ") + CloneText::kCannotWrite, boxK})},
        {"information from another revision",
         [](ScriptedTransceiver& r, RecordingCloneUi&, CCloneComm&) {
             r.ReplyTo(0xE0, ScriptedTransceiver::IdentityAnswer(kModel, 0x0101, "CLUB"));
         },
         [](CCloneCommands& c) { return c.Information(); },
         then(failure, {std::string("status: ") + CloneText::kIllegalInformation,
                        std::string("box: ") + CloneText::kBoxIllegalIdentity})},
        {"read without a port",
         [this](ScriptedTransceiver&, RecordingCloneUi&, CCloneComm& c) {
             c.SetPortDevice(dir.File("ttyUSB9"));
         },
         [](CCloneCommands& c) { return c.Read(); },
         then(failure, {std::string("status: ") + CloneText::kCannotAccessPort,
                        std::string("box: ") + CloneText::kBoxPort})},
        {"information with a silent transceiver",
         [](ScriptedTransceiver& r, RecordingCloneUi&, CCloneComm&) { r.ClearReplies(); },
         [](CCloneCommands& c) { return c.Information(); },
         then(failure, {std::string("status: ") + CloneText::kIllegalInformation, boxK})},
    };
    const std::vector<std::string> kinds = {"beep", "pause", "status", "box", "information"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PseudoTerminal own;
        ScriptedTransceiver transceiver(own.Master());
        transceiver.ReplyTo(0xE0, ScriptedTransceiver::IdentityAnswer(kModel, kRevision, "CLUB"));
        transceiver.ReplyTo(0xE2, Records(kRecords));
        transceiver.ReplyTo(0xE5, ScriptedTransceiver::WriteResult(0));
        RecordingLineControl ownLine{kFoundModemLines};
        RecordedComm engine{ownLine};
        RecordingCloneUi shown;
        engine.SetUi(&shown);
        engine.SetPortDevice(own.SlavePath());
        engine.SetExpectedReadRecords(kRecords);
        if (c.setUp)
            c.setUp(transceiver, shown, engine);
        transceiver.Start();
        CM220Radio data;
        data.NewData();
        CCloneCommands commands(data, engine, shown, dir.File("clone.tmp"), {});
        commands.SetBackupFolder(dir.File("backups"));
        c.run(commands);
        // The status texts of the exchanges themselves come before all this.
        std::vector<std::string> events = Only(shown.Events(), kinds);
        events.erase(
            std::remove_if(events.begin(), events.end(),
                           [](const std::string& e) {
                               return e == std::string("status: ") + CloneText::kNowReading ||
                                      e == std::string("status: ") + CloneText::kNowWriting;
                           }),
            events.end());
        EXPECT_EQ(events, c.expected);
        if (std::string(c.what) == "information with a silent transceiver") {
            ASSERT_EQ(shown.Boxes().size(), 1u);
            EXPECT_EQ(shown.Boxes()[0].detail,
                      "The cable works: what was sent to " + own.SlavePath() +
                          " came back. But the radio did not answer. Is it switched on, and in "
                          "clone mode?");
        }
    }
}

} // namespace kt
