#include "CChannelCsv.h"
#include "CCsvReader.h"
#include "CM220Radio.h"
#include "CMemoryArchive.h"

#include <gtest/gtest.h>

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
        EXPECT_TRUE(problems.empty()) << Problems(problems);
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

    // TStep follows the spacing; on the combined raster it follows the channel.
    struct Step {
        const char* spacing;
        const char* mhz;
        const char* step;
    };
    for (const Step& s :
         {Step{"8.33kHz", "118.005", "8.33"}, Step{"25k/8.33kHz", "118.010", "8.33"},
          Step{"25k/8.33kHz", "118.040", "8.33"}, Step{"25k/8.33kHz", "118.050", "25.00"},
          Step{"25k/8.33kHz", "118.020", "25.00"}}) {
        SCOPED_TRACE(std::string(s.spacing) + " " + s.mhz);
        radio.SetChannelSpacing(s.spacing);
        SetChannel(radio, 1, s.mhz, "", false, false);
        const std::string line = CChannelCsv::Export(radio).substr(sizeof kHeader + 1);
        EXPECT_EQ(line.substr(0, line.find("\r\n")),
                  std::string("1,,") + s.mhz + "000" + tail + s.step + ",,,,,,,");
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
                                                     "3,136.98,\n");
    EXPECT_EQ(Problems(problems),
              "line 2: warning: the name \"Approach\" is stored as \"APPROAC\" (7 characters at "
              "most)\n"
              "line 2: warning: 118.012500 MHz is not a channel of the 25kHz spacing; memory "
              "channel 1 holds 118.000000 MHz\n"
              "line 3: warning: the name \"ab.c\" is stored as \"AB C\"\n"
              "line 4: warning: 136.980000 MHz is not a channel of the 25kHz spacing; memory "
              "channel 3 holds 136.975000 MHz\n");
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
         "line 2: error: Location 0 is not a memory channel (1 to 20)\n"
         "line 3: error: Location 21 is not a memory channel (1 to 20)\n"
         "line 4: error: Location x is not a memory channel (1 to 20)\n"
         "line 5: error: no Location\n"
         "line 6: error: Location 1.5 is not a memory channel (1 to 20)\n"},
        {h + "3,118.1\n# note\n3,119.1\n", "line 4: error: Location 3 is already on line 2\n"},
        {h + "1,\n2,12a\n3,-118.1\n4,145.000\n5,117.999999\n6,1e2\n",
         "line 2: error: no Frequency\n"
         "line 3: error: Frequency 12a is not a number of MHz\n"
         "line 4: error: Frequency -118.1 is not a number of MHz\n"
         "line 5: error: Frequency 145.000 MHz is outside the airband (118.000 to 136.980 MHz)\n"
         "line 6: error: Frequency 117.999999 MHz is outside the airband (118.000 to 136.980 "
         "MHz)\n"
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
