
#include "ProcessRunner.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace kt {

// What "set" and "show" print must be what the data file holds, and nothing
// taken from a file may act on the terminal.

namespace {
ProcessResult Cli(const std::vector<std::string>& args) {
    std::vector<std::string> argv{ProgramPath("kt-m220-cli")};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProcess(argv);
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

bool PrintableOnly(const std::string& text) {
    for (unsigned char c : text)
        if (c != '\n' && (c < 0x20 || c > 0x7E))
            return false;
    return true;
}

// Channel 2 is 121.500 "TOWER"; channel 3 is empty.
std::string MakePlan(const TempDir& dir) {
    const std::string file = dir.File("plan.vkf");
    EXPECT_EQ(Cli({"new", "-o", file}).status, 0);
    const auto set =
        Cli({"set", file, "CH.MCH.2.FREQUENCY=121.5", "CH.MCH.2.APPEAR=ON", "CH.MCH.2.NAME=TOWER"});
    EXPECT_EQ(set.status, 0) << set.err;
    return file;
}
} // namespace

TEST(CliSet, AValueTheRadioWouldChangeIsRefusedWithWhatItWouldStore) {
    struct Case {
        std::vector<std::string> commands;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"CH.MCH.2.FREQUENCY=1215"},
         "channel 2 frequency: typed 1215, the radio would store 136.975 (outside the band "
         "118.000-136.980)"},
        {{"CH.MCH.2.FREQUENCY=-5"},
         "channel 2 frequency: typed -5, the radio would store 0.000 (a negative frequency"},
        {{"COMMON.CH_SPACING=8.33kHz", "CH.MCH.2.FREQUENCY=121.5"},
         "channel 2 frequency: typed 121.5, the radio would store 121.505 (not a channel of the "
         "8.33 kHz spacing)"},
        {{"CH.MCH.2.FREQUENCY=118.0125"},
         "channel 2 frequency: typed 118.0125, the radio would store 118.000 (not a channel of "
         "the 25 kHz spacing)"},
        {{"CH.MCH.2.FREQUENCY=abc"},
         "channel 2 frequency: typed abc, the radio would store 121.500 (not a frequency)"},
        // The in-use mark given after the frequency does not hide it.
        {{"CH.MCH.6.FREQUENCY=1215", "CH.MCH.6.APPEAR=ON"},
         "channel 6 frequency: typed 1215, the radio would store 136.975 (outside the band"},
        {{"CH.MCH.6.APPEAR=ON"},
         "channel 6 in-use mark: typed ON, the radio would store OFF (a channel without a "
         "frequency is not in use)"},
        {{"CH.MCH.2.NAME=APPROACH"},
         "channel 2 name: typed APPROACH, the radio would store APPROAC (at most 7 characters)"},
        {{"CH.MCH.2.NAME=A~B"},
         "channel 2 name: typed A~B, the radio would store A B (characters the radio cannot show "
         "become blanks)"},
        {{"CH.MCH.3.NAME=GROUND"},
         "channel 3 name: typed GROUND, the radio would store nothing (an empty channel keeps no "
         "name)"},
        {{"COMMON.BEEP=LOUD"},
         "setting COMMON.BEEP: typed LOUD, the radio would store ON (not a value this setting "
         "takes)"},
        {{"CH.MCH.4.ALL=FREQUENCY=2500\tAPPEAR=ON"},
         "channel 4 frequency: typed 2500, the radio would store 136.975 (outside the band"},
    };
    TempDir dir;
    const std::string plan = MakePlan(dir);
    const std::string before = ReadFileBytes(plan);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.commands.back());
        std::vector<std::string> args{"set", plan};
        args.insert(args.end(), c.commands.begin(), c.commands.end());
        const auto r = Cli(args);
        EXPECT_EQ(r.status, 4);
        EXPECT_TRUE(Contains(r.err, "kt-m220-cli: " + c.message)) << r.err;
        EXPECT_TRUE(Contains(r.err, plan + " is unchanged; give --heal")) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(ReadFileBytes(plan), before);
    }
}

TEST(CliSet, PrintsTheStoredValueAndTakesSpellingTheRadioNormalises) {
    TempDir dir;
    const std::string plan = MakePlan(dir);
    const auto r = Cli({"set", plan, "CH.MCH.2.NAME=tower", "CH.MCH.2.FREQUENCY=121.50",
                        "COMMON.BEEP=off", "COMMON.PRIOCH=2", "CH.MCH.5.FREQUENCY=128.6",
                        "CH.MCH.5.APPEAR=on", "CH.MCH.5.FREQUENCY"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "CH.MCH.2.NAME=tower -> TOWER\n"
                     "CH.MCH.2.FREQUENCY=121.50 -> 121.500\n"
                     "COMMON.BEEP=off -> OFF\n"
                     "COMMON.PRIOCH=2 -> 2\n"
                     "CH.MCH.5.FREQUENCY=128.6 -> 128.600\n"
                     "CH.MCH.5.APPEAR=on -> ON\n"
                     "CH.MCH.5.FREQUENCY -> 128.600\n");
}

TEST(CliSet, HealAcceptsWhatTheRadioStoresAndSaysSo) {
    TempDir dir;
    const std::string plan = MakePlan(dir);
    const auto r = Cli({"set", plan, "--heal", "CH.MCH.2.FREQUENCY=1215", "CH.MCH.2.NAME=x"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "CH.MCH.2.FREQUENCY=1215 -> 136.975\nCH.MCH.2.NAME=x -> X\n");
    EXPECT_EQ(r.err, "kt-m220-cli: warning: channel 2 frequency: typed 1215, stored 136.975 "
                     "(outside the band 118.000-136.980)\n");
    EXPECT_TRUE(Contains(Cli({"show", plan}).out, "\n02        136.975     X\n"));
}

TEST(CliSet, ASpacingChangeListsEveryChannelItChangesAndAsksForHeal) {
    TempDir dir;
    const std::string file = dir.File("plan.vkf");
    ASSERT_EQ(Cli({"new", "-o", file}).status, 0);
    auto set = Cli({"set", file, "--heal", "COMMON.CH_SPACING=8.33kHz", "CH.MCH.1.FREQUENCY=121.5",
                    "CH.MCH.4.FREQUENCY=132.840", "CH.MCH.4.APPEAR=ON"});
    ASSERT_EQ(set.status, 0) << set.err;
    const std::string before = ReadFileBytes(file);

    // To 25kHz: the 8.33 kHz channel moves to another carrier. Refused.
    set = Cli({"set", file, "COMMON.CH_SPACING=25kHz"});
    EXPECT_EQ(set.status, 4);
    EXPECT_TRUE(Contains(set.err, "channel 4: the 8.33 kHz channel 132.840 (carrier 132.841667 "
                                  "MHz) becomes the 25 kHz channel 132.850 (carrier 132.850000 "
                                  "MHz), another carrier (the channel spacing changes from "
                                  "8.33kHz to 25kHz)"))
        << set.err;
    EXPECT_TRUE(Contains(set.err, "channel 1: the 8.33 kHz channel 121.505"));
    EXPECT_EQ(ReadFileBytes(file), before);

    // To the combined spacing nothing changes: every 8.33 kHz designator is there.
    set = Cli({"set", file, "COMMON.CH_SPACING=25k/8.33kHz"});
    EXPECT_EQ(set.status, 0) << set.err;
    // Back to 25kHz with --heal: done, and said.
    set = Cli({"set", file, "--heal", "COMMON.CH_SPACING=25kHz"});
    EXPECT_EQ(set.status, 0) << set.err;
    EXPECT_TRUE(Contains(set.err, "warning: channel 4: "));
    const auto shown = Cli({"show", file});
    EXPECT_TRUE(Contains(shown.out, "132.850"));

    // A 25 kHz channel at .x25 goes to the 8.33 kHz channel of its carrier in
    // the combined spacing, never to the table's .x20.
    set = Cli({"set", file, "--heal", "CH.MCH.4.FREQUENCY=132.825"});
    ASSERT_EQ(set.status, 0) << set.err;
    set = Cli({"set", file, "COMMON.CH_SPACING=25k/8.33kHz"});
    EXPECT_EQ(set.status, 4);
    EXPECT_TRUE(Contains(set.err, "becomes the 8.33 kHz channel 132.830 (carrier 132.825000 "
                                  "MHz), the same carrier"))
        << set.err;
    set = Cli({"set", file, "--heal", "COMMON.CH_SPACING=25k/8.33kHz"});
    EXPECT_EQ(set.status, 0) << set.err;
    EXPECT_TRUE(Contains(Cli({"show", file}).out, "132.830"));
}

TEST(CliTerminal, TextFromAFileCannotActOnTheTerminal) {
    TempDir dir;
    const std::string plan = MakePlan(dir);
    // Sixteen bytes that would move the cursor up over channel 1 and print a
    // false frequency there; 0x9B is the one-byte control sequence introducer.
    const std::string comment = "\x1b[38A121.500\x9b"
                                "2J";
    const auto set = Cli({"set", plan, "COMMON.CLONE_COMMENT=" + comment});
    ASSERT_EQ(set.status, 0) << set.err;
    EXPECT_TRUE(PrintableOnly(set.out)) << set.out;
    EXPECT_TRUE(Contains(set.out, " -> .[38A121.500.2J")) << set.out;

    const auto show = Cli({"show", plan});
    ASSERT_EQ(show.status, 0);
    EXPECT_TRUE(PrintableOnly(show.out));
    EXPECT_TRUE(Contains(show.out, "Clone Comment         .[38A121.500.2J\n")) << show.out;

    // A CSV list quoted in a message.
    const std::string csv = dir.File("list.csv");
    WriteFileBytes(csv, "Location,Frequency,Name\n1,\x1b[2J,X\n");
    const auto import = Cli({"import-csv", plan, csv});
    EXPECT_EQ(import.status, 3);
    EXPECT_TRUE(PrintableOnly(import.err)) << import.err;

    // The engine console stays byte for byte.
    const auto console = RunProcess({ProgramPath("kt-m220-cli"), "engine"},
                                    "FILE.LOAD.\"" + plan + "\"\nCOMMON.CLONE_COMMENT\n");
    EXPECT_EQ(console.out, "OK\n" + comment + std::string(16 - comment.size(), ' ') + "\n");
}

} // namespace kt
