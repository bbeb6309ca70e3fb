#include "CChannelCsv.h"
#include "CCsvReader.h"
#include "CM220Radio.h"
#include "CMemoryArchive.h"

#include <gtest/gtest.h>

namespace kt {

namespace {
// The data file the document would save: the whole image.
std::string Image(CM220Radio& radio) {
    CMemoryArchive out;
    radio.Serialize(out);
    return out.Bytes();
}

void SetChannel(CM220Radio& radio, int n, const char* mhz, const char* name, bool tx, bool skip) {
    radio.SetFrequency(n, mhz);
    radio.SetAppear(n, "ON");
    radio.SetName(n, name);
    radio.SetTxInhibit(n, tx ? "ON" : "OFF");
    radio.SetLockout(n, skip ? "ON" : "OFF");
    radio.HealChannel(n);
}

// A radio with a varied channel plan: names that need quotes, both flags,
// channels left empty between used ones, the last channel in use.
void FillPlan(CM220Radio& radio) {
    SetChannel(radio, 1, "121.500", "GUARD", true, false);
    SetChannel(radio, 2, "118.005", "TWR,1", false, true);
    SetChannel(radio, 4, "119.010", " LEAD", true, true);
    SetChannel(radio, 7, "124.350", "O'HARE", false, false);
    SetChannel(radio, 8, "130.020", "", false, false);
    SetChannel(radio, 20, "136.975", "TOP", false, true);
    radio.Heal();
}

std::string Problems(const std::vector<CCsvProblem>& problems) {
    std::string all;
    for (const auto& p : problems)
        all += p.ToString() + "\n";
    return all;
}

constexpr char kHeader[] = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
                           "DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,"
                           "Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";
} // namespace

TEST(CChannelCsv, ExportImportGivesTheSameImageForEverySpacing) {
    for (const char* spacing : {"25kHz", "8.33kHz", "25k/8.33kHz"}) {
        SCOPED_TRACE(spacing);
        CM220Radio source;
        source.NewData();
        source.SetChannelSpacing(spacing);
        FillPlan(source);
        const std::string csv = CChannelCsv::Export(source);

        CM220Radio target;
        target.NewData();
        target.SetChannelSpacing(spacing);
        SetChannel(target, 9, "125.000", "OLD", true, true); // not in the list: emptied
        const auto problems = CChannelCsv::Import(target, csv);
        // 130.020 and 136.970 of the combined raster are no channels: written
        // and read as they stand, with a warning.
        EXPECT_EQ(problems.size(), std::string(spacing) == "25k/8.33kHz" ? 2u : 0u)
            << Problems(problems);
        EXPECT_FALSE(HasErrors(problems));
        EXPECT_EQ(Image(target), Image(source));
        EXPECT_EQ(CChannelCsv::Export(target), csv);
    }
}

TEST(CChannelCsv, ExportWritesTheSharedLayout) {
    CM220Radio radio;
    radio.NewData();
    FillPlan(radio);
    const std::string csv = CChannelCsv::Export(radio);
    const std::string tail = ",,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,AM,";
    EXPECT_EQ(csv, std::string(kHeader) + "\r\n" +                                      //
                       "1,GUARD,121.500000" + tail + "25.00,,,TXINHIBIT,,,,\r\n" +      //
                       "2,\"TWR,1\",118.000000" + tail + "25.00,S,,,,,,\r\n" +          //
                       "4,\" LEAD\",119.000000" + tail + "25.00,S,,TXINHIBIT,,,,\r\n" + //
                       "7,O'HARE,124.350000" + tail + "25.00,,,,,,,\r\n" +              //
                       "8,,130.025000" + tail + "25.00,,,,,,,\r\n" +                    //
                       "20,TOP,136.975000" + tail + "25.00,S,,,,,,\r\n");

    // An 8.33 kHz channel is written as its carrier, a 25 kHz one as itself,
    // whatever the spacing; a point that is no channel as it stands.
    struct Step {
        const char* spacing;
        const char* mhz;
        const char* carrier;
        const char* step;
    };
    for (const Step& s : {Step{"8.33kHz", "118.005", "118.000000", "8.33"},
                          Step{"8.33kHz", "132.840", "132.841667", "8.33"},
                          Step{"25k/8.33kHz", "118.010", "118.008333", "8.33"},
                          Step{"25k/8.33kHz", "118.040", "118.041667", "8.33"},
                          Step{"25k/8.33kHz", "136.980", "136.975000", "8.33"},
                          Step{"25k/8.33kHz", "118.050", "118.050000", "25.00"},
                          Step{"25kHz", "118.075", "118.075000", "25.00"},
                          Step{"25k/8.33kHz", "118.020", "118.020000", "25.00"}}) {
        SCOPED_TRACE(std::string(s.spacing) + " " + s.mhz);
        radio.SetChannelSpacing(s.spacing);
        SetChannel(radio, 1, s.mhz, "", false, false);
        std::vector<CCsvProblem> warnings;
        const std::string line = CChannelCsv::Export(radio, warnings).substr(sizeof kHeader + 1);
        EXPECT_EQ(line.substr(0, line.find("\r\n")),
                  std::string("1,,") + s.carrier + tail + s.step + ",,,,,,,");
        EXPECT_EQ(warnings.size(), std::string(s.mhz) == "118.020" ? 1u : 0u);
    }
}

TEST(CChannelCsv, ImportReadsColumnsByNameInAnyOrder) {
    CM220Radio radio;
    radio.NewData();
    FillPlan(radio);
    const std::string csv = "\xEF\xBB\xBF# exported from a spreadsheet\n"
                            "\n"
                            "Comment , Frequency,Power,Location,skip,NAME,Duplex\n"
                            "  # a comment line between channels\n"
                            "TXINHIBIT,121.5,5W,1,,guard,\n"
                            "txinhibited once,118.10,,3,S,app,\n"
                            "mytxinhibit,119.1,,5,,\"A,B\",off\n"
                            ",,,,,,\n";
    const auto problems = CChannelCsv::Import(radio, csv);
    EXPECT_TRUE(problems.empty()) << Problems(problems);
    struct Expect {
        int n;
        const char* appear;
        const char* mhz;
        const char* name;
        const char* tx;
        const char* skip;
    };
    for (const Expect& e : {Expect{1, "ON", "121.500", "GUARD", "ON", "OFF"},
                            Expect{2, "OFF", "0.000", "", "OFF", "OFF"},
                            Expect{3, "ON", "118.100", "APP", "OFF", "ON"},
                            Expect{4, "OFF", "0.000", "", "OFF", "OFF"},
                            Expect{5, "ON", "119.100", "A,B", "ON", "OFF"},
                            Expect{20, "OFF", "0.000", "", "OFF", "OFF"}}) {
        SCOPED_TRACE(e.n);
        EXPECT_EQ(radio.GetAppear(e.n), e.appear);
        EXPECT_EQ(radio.GetFrequency(e.n), e.mhz);
        EXPECT_EQ(radio.GetName(e.n), e.name);
        EXPECT_EQ(radio.GetTxInhibit(e.n), e.tx);
        EXPECT_EQ(radio.GetLockout(e.n), e.skip);
    }
}

TEST(CChannelCsv, MissingColumnsAndChannelOneGiveNeutralValuesAndWarnings) {
    CM220Radio radio;
    radio.NewData();
    FillPlan(radio);
    const auto problems = CChannelCsv::Import(radio, "Frequency,Location\r\n119.1,4\r\n");
    ASSERT_EQ(problems.size(), 1u) << Problems(problems);
    EXPECT_EQ(problems[0].ToString(), "warning: the file has no Location 1; memory channel 1 "
                                      "cannot be empty and keeps 121.500000 MHz");
    EXPECT_EQ(radio.GetName(1), "GUARD"); // kept as it was
    EXPECT_EQ(radio.GetTxInhibit(1), "ON");
    EXPECT_EQ(radio.GetName(4), "");
    EXPECT_EQ(radio.GetTxInhibit(4), "OFF");
    EXPECT_EQ(radio.GetLockout(4), "OFF");
    EXPECT_TRUE(radio.IsChannelEmpty(2));
}

TEST(CChannelCsv, ValuesTheRadioChangesAreWarnedAbout) {
    CM220Radio radio;
    radio.NewData();
    const auto problems = CChannelCsv::Import(radio, "Location,Frequency,Name\n"
                                                     "1,118.0125,Approach\n"
                                                     "2,121.4999996,ab.c\n"
                                                     "3,136.97,\n");
    EXPECT_EQ(Problems(problems),
              "line 2: warning: the name \"Approach\" is stored as \"APPROAC\" (7 characters at "
              "most)\n"
              "line 2: warning: 118.012500 MHz is no channel (neither a 25 kHz channel nor an "
              "8.33 kHz one); memory channel 1 holds the 25 kHz channel 118.000 (carrier "
              "118.000000 MHz)\n"
              "line 3: warning: the name \"ab.c\" is stored as \"AB C\"\n"
              "line 4: warning: 136.970000 MHz is no channel (neither a 25 kHz channel nor an "
              "8.33 kHz one); memory channel 3 holds the 25 kHz channel 136.975 (carrier "
              "136.975000 MHz)\n");
    EXPECT_EQ(radio.GetFrequency(2), "121.500"); // rounded to the hertz, then on the raster
}

TEST(CChannelCsv, ErrorsNameTheirLinesAndChangeNothing) {
    const std::string h = "Location,Frequency,Skip,Name\n";
    struct Case {
        std::string csv;
        std::string problems;
    };
    const std::vector<Case> cases = {
        {"", "error: the file holds no header line\n"},
        {"# only a comment\n", "error: the file holds no header line\n"},
        {"Name,Frequency\nA,118.1\n", "line 1: error: the header line has no Location column\n"},
        {"Location,Name,location,Frequency\n1,A,1,118.1\n",
         "line 1: error: the header names the column location twice\n"},
        {h, "line 1: error: the file holds no channels after the header line\n"},
        {h + "0,118.1\n21,118.1\nx,118.1\n,118.1\n1.5,118.1\n",
         "line 2: warning: skipped: Location 0 is not a memory channel (1 to 20)\n"
         "line 3: warning: skipped: Location 21 is not a memory channel (1 to 20)\n"
         "line 4: error: Location x is not a memory channel (1 to 20)\n"
         "line 5: error: no Location\n"
         "line 6: error: Location 1.5 is not a memory channel (1 to 20)\n"},
        {h + "3,118.1\n# note\n3,119.1\n", "line 4: error: Location 3 is already on line 2\n"},
        {h + "1,\n2,12a\n3,-118.1\n4,145.000\n5,117.999999\n6,1e2\n",
         "line 2: error: no Frequency\n"
         "line 3: error: Frequency 12a is not a number of MHz\n"
         "line 4: error: Frequency -118.1 is not a number of MHz\n"
         "line 5: warning: skipped: Frequency 145.000 MHz is outside the airband (118.000 to "
         "136.980 MHz)\n"
         "line 6: warning: skipped: Frequency 117.999999 MHz is outside the airband (118.000 to "
         "136.980 MHz)\n"
         "line 7: error: Frequency 1e2 is not a number of MHz\n"},
        {h + "1,118.1,X\n", "line 2: error: Skip X is neither empty nor S\n"},
        {h + "1,118.1,,TWR,1\n",
         "line 2: error: the line has 5 fields but the header only 4 (a comma in a name needs "
         "quotes)\n"},
        {h + "1,118.1,,\"TWR\"1\n2,118.1,,\"never closed\n3,118.1\n",
         "line 2: error: text follows the closing quote of field 4\n"
         "line 3: error: the quote that opens field 4 is never closed\n"},
        {"\"Location,Frequency\n1,118.1\n",
         "line 1: error: the quote that opens field 1 is never closed\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.csv);
        CM220Radio radio;
        radio.NewData();
        FillPlan(radio);
        const std::string before = Image(radio);
        const auto problems = CChannelCsv::Import(radio, c.csv);
        EXPECT_TRUE(HasErrors(problems));
        EXPECT_EQ(Problems(problems), c.problems);
        EXPECT_EQ(Image(radio), before);
    }
}

TEST(CChannelCsv, CarriersGoOutAndComeBackAsTheSameChannel) {
    CM220Radio plan;
    plan.NewData();
    plan.SetChannelSpacing("8.33kHz");
    SetChannel(plan, 2, "132.840", "EDDFTWR", false, false);
    plan.Heal();
    const std::string csv = CChannelCsv::Export(plan);
    EXPECT_NE(csv.find("\r\n2,EDDFTWR,132.841667,"), std::string::npos) << csv;

    CM220Radio same;
    same.NewData();
    same.SetChannelSpacing("8.33kHz");
    EXPECT_EQ(Problems(CChannelCsv::Import(same, csv)), "");
    EXPECT_EQ(same.GetFrequency(2), "132.840");

    // The 25kHz spacing cannot hold it: refused, nothing changes, and the
    // message names the row and the spacings that would hold it.
    CM220Radio narrow;
    narrow.NewData();
    FillPlan(narrow);
    const std::string before = Image(narrow);
    const auto refused = CChannelCsv::Import(narrow, csv, {});
    EXPECT_TRUE(refused.needsOtherSpacing);
    EXPECT_EQ(Problems(refused.problems),
              "line 2: error: the 8.33 kHz channel 118.005 (carrier 118.000000 MHz) needs the "
              "8.33kHz or 25k/8.33kHz spacing; the plan is in the 25kHz spacing\n"
              "line 3: error: the 8.33 kHz channel 132.840 (carrier 132.841667 MHz) needs the "
              "8.33kHz or 25k/8.33kHz spacing; the plan is in the 25kHz spacing\n");
    EXPECT_EQ(Image(narrow), before);

    // Chosen from the list: the combined spacing, which holds both kinds.
    CChannelCsv::ImportOptions choose;
    choose.chooseSpacing = true;
    const auto switched = CChannelCsv::Import(narrow, csv, choose);
    EXPECT_FALSE(HasErrors(switched.problems)) << Problems(switched.problems);
    EXPECT_EQ(switched.spacingAfter, "25k/8.33kHz");
    EXPECT_EQ(narrow.GetChannelSpacing(), "25k/8.33kHz");
    EXPECT_EQ(narrow.GetFrequency(2), "132.840");
}

TEST(CChannelCsv, ImportReadsCarriersAndDesignatorsByTheirStep) {
    struct Case {
        const char* spacing;
        const char* frequency;
        const char* step;
        const char* stored;
        bool warned; // held by a channel of the same carrier, or no channel at all
    };
    for (const Case& c : {
             Case{"8.33kHz", "132.841667", "8.33", "132.840", false},
             Case{"8.33kHz", "132.8415", "", "132.840", false},
             Case{"8.33kHz", "118.000", "8.33", "118.005", false},
             Case{"8.33kHz", "118.008333", "", "118.010", false},
             Case{"8.33kHz", "118.010", "8.33", "118.010", false},
             Case{"8.33kHz", "118.016667", "12.50", "118.015", false},
             Case{"25kHz", "118.000", "25.00", "118.000", false},
             Case{"25kHz", "118.0005", "", "118.000", false},
             Case{"25k/8.33kHz", "118.050", "", "118.050", false},
             Case{"8.33kHz", "136.500", "25.00", "136.505", true},
             Case{"25k/8.33kHz", "118.025", "25.00", "118.030", true},
             Case{"25k/8.33kHz", "118.075", "", "118.080", true},
             Case{"25k/8.33kHz", "123.0125", "", "123.010", true},
         }) {
        SCOPED_TRACE(std::string(c.spacing) + " " + c.frequency + " " + c.step);
        CM220Radio radio;
        radio.NewData();
        radio.SetChannelSpacing(c.spacing);
        const auto problems = CChannelCsv::Import(
            radio, std::string("Location,Frequency,TStep\n1,") + c.frequency + "," + c.step + "\n");
        EXPECT_FALSE(HasErrors(problems)) << Problems(problems);
        EXPECT_EQ(radio.GetFrequency(1), c.stored);
        EXPECT_EQ(problems.size(), c.warned ? 1u : 0u) << Problems(problems);
    }
}

TEST(CChannelCsv, ImportTakesAListAsAnotherRadiosProgramWritesIt) {
    const std::string csv =
        std::string(kHeader) + "\r\n" +
        "0,Home,146.520000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,50W,,,,,\r\n" +
        "1,EDDFTWR,119.900000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,AM,8.33,,,,,,,\r\n" +
        "2,NOAA1,162.550000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,12.50,,,,,,,\r\n" +
        "3,GUARD,121.500000,off,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,AM,25.00,S,,,,,,\r\n" +
        "45,REPEAT,145.500000,-,0.600000,Tone,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,,,,,,\r\n" +
        "46,ATIS,118.030000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,AM,25.00,,,,,,,\r\n";
    CM220Radio radio;
    radio.NewData();
    radio.SetChannelSpacing("25k/8.33kHz");
    const auto result = CChannelCsv::Import(radio, csv, {});
    EXPECT_EQ(Problems(result.problems),
              "line 2: warning: skipped: Location 0 is not a memory channel (1 to 20)\n"
              "line 4: warning: skipped: Frequency 162.550000 MHz is outside the airband "
              "(118.000 to 136.980 MHz)\n"
              "line 6: warning: skipped: Location 45 is not a memory channel (1 to 20)\n"
              "line 7: warning: skipped: Location 46 is not a memory channel (1 to 20)\n");
    EXPECT_EQ(result.skippedLines, (std::vector<int>{2, 4, 6, 7}));
    EXPECT_EQ(result.skippedForLocation, 1) << "of the rows out of 1 to 20, only line 7 is airband";
    EXPECT_EQ(radio.GetFrequency(1), "119.905");
    EXPECT_EQ(radio.GetFrequency(3), "121.500");
    EXPECT_EQ(radio.GetTxInhibit(3), "ON");
    EXPECT_TRUE(radio.IsChannelEmpty(2));

    // Renumbered from channel 5: the list's order, channels below 5 kept.
    CM220Radio renumbered;
    renumbered.NewData();
    renumbered.SetChannelSpacing("25k/8.33kHz");
    SetChannel(renumbered, 2, "124.000", "KEEP", false, false);
    CChannelCsv::ImportOptions options;
    options.renumber = true;
    options.firstChannel = 5;
    const auto filled = CChannelCsv::Import(renumbered, csv, options);
    EXPECT_FALSE(HasErrors(filled.problems)) << Problems(filled.problems);
    EXPECT_EQ(filled.skippedLines, (std::vector<int>{2, 4, 6}));
    EXPECT_EQ(renumbered.GetName(2), "KEEP");
    EXPECT_EQ(renumbered.GetName(5), "EDDFTWR");
    EXPECT_EQ(renumbered.GetName(6), "GUARD");
    EXPECT_EQ(renumbered.GetName(7), "ATIS");
    EXPECT_EQ(renumbered.GetFrequency(7), "118.030");

    // Renumbering past channel 20 skips the rest, each named.
    std::string many = "Location,Frequency\n";
    for (int i = 0; i < 3; ++i)
        many += "1,12" + std::to_string(i) + ".000\n";
    options.firstChannel = 19;
    const auto full = CChannelCsv::Import(renumbered, many, options);
    EXPECT_EQ(full.skippedLines, (std::vector<int>{4}));
    EXPECT_EQ(renumbered.GetFrequency(20), "121.000");
}

TEST(CChannelCsv, ChosenSpacingFollowsTheList) {
    CM220Radio radio;
    radio.NewData();
    radio.SetChannelSpacing("8.33kHz");
    SetChannel(radio, 1, "121.505", "GUARD", false, false);
    CChannelCsv::ImportOptions choose;
    choose.chooseSpacing = true;
    // Channel 1, which the list keeps, is an 8.33 kHz channel: the combined
    // spacing, where 118.025 is held by 118.030.
    auto result = CChannelCsv::Import(radio, "Location,Frequency\n2,118.025\n", choose);
    EXPECT_FALSE(HasErrors(result.problems)) << Problems(result.problems);
    EXPECT_EQ(radio.GetChannelSpacing(), "25k/8.33kHz");
    EXPECT_EQ(radio.GetFrequency(1), "121.505");
    EXPECT_EQ(radio.GetFrequency(2), "118.030");
    // Every row a 25 kHz channel, and channel 1 too: 25kHz.
    radio.SetChannelSpacing("25kHz");
    radio.Heal();
    radio.SetChannelSpacing("25k/8.33kHz");
    result = CChannelCsv::Import(radio, "Location,Frequency\n2,118.025\n", choose);
    EXPECT_EQ(radio.GetChannelSpacing(), "25kHz");
    EXPECT_EQ(radio.GetFrequency(2), "118.025");
}

TEST(CCsvReader, QuotingAndLineEnds) {
    struct Case {
        const char* text;
        std::vector<CCsvRecord> records;
    };
    const std::vector<Case> cases = {
        {"a,b\r\nc,d", {{1, {"a", "b"}}, {2, {"c", "d"}}}},
        {"a\rb\n\nc,", {{1, {"a"}}, {2, {"b"}}, {4, {"c", ""}}}},
        {" a b ,\t\" c \" ,\"\"", {{1, {"a b", " c ", ""}}}},
        {"\"x,\"\"y\"\"\",z\"q", {{1, {"x,\"y\"", "z\"q"}}}},
        {"\"two\r\nlines\",1\n2", {{1, {"two\r\nlines", "1"}}, {3, {"2"}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const CCsvReader::Result r = CCsvReader::Read(c.text);
        EXPECT_TRUE(r.problems.empty());
        ASSERT_EQ(r.records.size(), c.records.size());
        for (std::size_t i = 0; i < c.records.size(); ++i) {
            EXPECT_EQ(r.records[i].line, c.records[i].line);
            EXPECT_EQ(r.records[i].fields, c.records[i].fields);
        }
    }
    for (const auto& [field, written] : {std::pair{"", ""},
                                         {"AB", "AB"},
                                         {"A,B", "\"A,B\""},
                                         {"A\"B", "\"A\"\"B\""},
                                         {" AB", "\" AB\""},
                                         {"A\nB", "\"A\nB\""}}) {
        EXPECT_EQ(CCsvReader::Quote(field), written);
        const auto back = CCsvReader::Read(CCsvReader::Quote(field) + ",x");
        ASSERT_EQ(back.records.size(), 1u);
        EXPECT_EQ(back.records[0].fields[0], field);
    }
}

} // namespace kt
