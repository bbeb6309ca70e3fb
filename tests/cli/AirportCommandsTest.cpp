#include "LocalHttpServer.h"
#include "ProcessRunner.h"
#include "ScopedEnv.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace kt {

namespace {
ProcessResult Cli(const std::vector<std::string>& args) {
    std::vector<std::string> argv{ProgramPath("kt-m220-cli")};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProcess(argv);
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string NewPlan(const TempDir& dir, const std::string& name = "plan.vkf") {
    const std::string file = dir.File(name);
    EXPECT_EQ(Cli({"new", "-o", file}).status, 0);
    return file;
}
} // namespace

TEST(CliAirport, ListsAnAirportsFrequenciesAsChannels) {
    const auto eddf = Cli({"airport", "EDDF"});
    ASSERT_EQ(eddf.status, 0) << eddf.err;
    EXPECT_TRUE(Contains(eddf.out, "EDDF     TWR     119.905   EDDFTWR        119.905 (8.33 kHz, "
                                   "carrier 119.900000)"))
        << eddf.out;
    EXPECT_TRUE(Contains(eddf.out, "EDDFATI  yes"));
    // Words of the descriptions find it too.
    EXPECT_TRUE(Contains(Cli({"airport", "frankfurt", "tower"}).out, "119.905"));
    const auto none = Cli({"airport", "no-such-airport-anywhere"});
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(Contains(none.err, "no airport matches"));
    EXPECT_EQ(Cli({"airport"}).status, 2);
    EXPECT_TRUE(Contains(Cli({"--version"}).out, "airport data 2026-08-22 (shipped)"));
}

TEST(CliAirport, AddsTheChosenServicesOrChangesNothing) {
    TempDir dir;
    const std::string plan = NewPlan(dir);
    const std::string before = ReadFileBytes(plan);

    // The 25kHz spacing holds none of the 8.33 kHz channels.
    auto run = Cli({"add-airport", plan, "EDDF", "--types", "TWR,GND,ATIS"});
    EXPECT_EQ(run.status, 4) << run.err;
    EXPECT_TRUE(Contains(run.err, "--spacing auto")) << run.err;
    EXPECT_EQ(ReadFileBytes(plan), before);
    // Too few empty channels from 16 on.
    run = Cli({"add-airport", plan, "EDDF", "--types", "twr,gnd,atis", "--from", "16", "--spacing",
               "auto"});
    EXPECT_EQ(run.status, 6) << run.err;
    EXPECT_EQ(ReadFileBytes(plan), before);
    // Words that name more than one airport are no ident.
    EXPECT_EQ(Cli({"add-airport", plan, "tower"}).status, 2);

    run = Cli({"add-airport", plan, "EDDF", "--types", "TWR,GND,ATIS", "--spacing", "auto"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, "Channel Spacing 25kHz -> 25k/8.33kHz")) << run.out;
    EXPECT_TRUE(Contains(run.out, "Added 6 channels of EDDF")) << run.out;
    const auto shown = Cli({"show", plan}).out;
    for (const char* line :
         {"02        118.030     EDDFATI  Inhibit", "03        118.730     EDDFAT2  Inhibit",
          "04        121.805     EDDFGND", "05        119.905     EDDFTWR",
          "06        124.855     EDDFTW2", "07        136.500     EDDFTW3"})
        EXPECT_TRUE(Contains(shown, line)) << line << "\n" << shown;
    EXPECT_TRUE(Contains(shown, "Channel Spacing       25k/8.33kHz"));
}

TEST(CliCsv, CarriersGoOutAndTheSpacingDecidesWhetherTheyComeBack) {
    TempDir dir;
    const std::string plan = NewPlan(dir);
    ASSERT_EQ(Cli({"set", plan, "--heal", "COMMON.CH_SPACING=8.33kHz", "CH.MCH.2.FREQUENCY=132.840",
                   "CH.MCH.2.APPEAR=ON"})
                  .status,
              0);
    const std::string csv = dir.File("plan.csv");
    ASSERT_EQ(Cli({"export-csv", plan, "-o", csv}).status, 0);
    EXPECT_TRUE(Contains(ReadFileBytes(csv), "\r\n2,,132.841667,"));

    const std::string same = NewPlan(dir, "same.vkf");
    ASSERT_EQ(Cli({"set", same, "--heal", "COMMON.CH_SPACING=8.33kHz"}).status, 0);
    auto run = Cli({"import-csv", same, csv});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Contains(Cli({"show", same}).out, "02        132.840"));

    const std::string narrow = NewPlan(dir, "narrow.vkf");
    const std::string before = ReadFileBytes(narrow);
    run = Cli({"import-csv", narrow, csv});
    EXPECT_EQ(run.status, 4);
    EXPECT_TRUE(Contains(run.err, csv + ":3: error: the 8.33 kHz channel 132.840 (carrier "
                                        "132.841667 MHz) needs the 8.33kHz or 25k/8.33kHz "
                                        "spacing; the plan is in the 25kHz spacing"))
        << run.err;
    EXPECT_EQ(ReadFileBytes(narrow), before);
    run = Cli({"import-csv", narrow, csv, "--spacing", "auto"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, "channel spacing 25k/8.33kHz")) << run.out;
    EXPECT_TRUE(Contains(Cli({"show", narrow}).out, "02        132.840"));
}

TEST(CliCsv, AListFromAnotherRadiosProgramImportsItsAirbandRows) {
    TempDir dir;
    const std::string plan = NewPlan(dir);
    ASSERT_EQ(Cli({"set", plan, "--heal", "COMMON.CH_SPACING=25k/8.33kHz"}).status, 0);
    const std::string csv = dir.File("peer.csv");
    const std::string tail = ",0.000000,,88.5,88.5,023,NN,023,Tone->Tone,";
    WriteFileBytes(csv, "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                        "DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,"
                        "RPT1CALL,RPT2CALL,DVCODE\r\n"
                        "0,Call,146.520000," +
                            tail + "FM,5.00,,50W,,,,,\r\n" + "1,Tower,119.900000," + tail +
                            "AM,8.33,,,,,,,\r\n" + "2,FM,146.010000," + tail +
                            "NFM,12.50,,,,,,,\r\n" + "3,Guard,121.500000,off" + tail.substr(0) +
                            "AM,25.00,S,,,,,,\r\n");
    auto run = Cli({"import-csv", plan, csv});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Contains(run.err, csv + ":2: warning: skipped: Location 0 is not a memory channel"))
        << run.err;
    EXPECT_TRUE(Contains(run.err, csv + ":4: warning: skipped: Frequency 146.010000 MHz is outside "
                                        "the airband"));
    EXPECT_TRUE(Contains(run.out, "2 rows for other radios skipped")) << run.out;
    const auto shown = Cli({"show", plan}).out;
    EXPECT_TRUE(Contains(shown, "01        119.905     TOWER")) << shown;
    EXPECT_TRUE(Contains(shown, "03        121.500     GUARD")) << shown;

    run = Cli({"import-csv", plan, csv, "--renumber", "--from", "10"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Contains(Cli({"show", plan}).out, "11        121.500     GUARD"));
    EXPECT_EQ(Cli({"import-csv", plan, csv, "--from", "10"}).status, 2);
    EXPECT_EQ(Cli({"import-csv", plan, csv, "--renumber", "--from", "21"}).status, 2);
}

TEST(CliAirports, UpdateTakesACheckedTableAndKeepsTheOldOneOnFailure) {
    TempDir dir;
    const ScopedEnv data("XDG_DATA_HOME", dir.Path().c_str());
    std::string table = "id,airport_ref,airport_ident,type,description,frequency_mhz\n";
    for (int i = 0; i < 10000; ++i)
        table += std::to_string(i) + ",1,\"ZZ" + std::to_string(i) + "\",\"TWR\",,122.8\n";
    table += "99999,2,\"EDDF\",\"TWR\",\"New tower\",118.005\n";
    {
        LocalHttpServer server(200, table);
        const auto run = Cli({"airports", "--update", "--from", server.Url()});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_TRUE(Contains(run.out, "10001 frequencies")) << run.out;
    }
    EXPECT_TRUE(Contains(Cli({"airport", "EDDF"}).out, "New tower"));
    EXPECT_TRUE(Contains(Cli({"--version"}).out, "(updated)"));

    std::string url;
    {
        LocalHttpServer gone(200, "");
        url = gone.Url();
    }
    const auto offline = Cli({"airports", "--update", "--from", url});
    EXPECT_EQ(offline.status, 3);
    EXPECT_TRUE(Contains(offline.err, "offline")) << offline.err;
    EXPECT_TRUE(Contains(offline.err, "the airport table is unchanged"));
    // For the desktop program that runs it: report lines only, the outcome last.
    const auto reported = Cli({"airports", "--update", "--from", url, "--progress"});
    EXPECT_EQ(reported.status, 3);
    EXPECT_EQ(reported.err.rfind("failed ", 0), 0u) << reported.err;
    EXPECT_TRUE(Contains(reported.err, "offline")) << reported.err;
    EXPECT_TRUE(Contains(Cli({"airport", "EDDF"}).out, "New tower"));
}

} // namespace kt
