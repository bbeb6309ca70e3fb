#include "CSimOptions.h"

#include <gtest/gtest.h>

namespace {
CSimOptions ParseOk(const std::vector<std::string>& args) {
    CSimOptions options;
    std::string error;
    EXPECT_TRUE(CSimOptions::Parse(args, options, error)) << error;
    return options;
}
} // namespace

TEST(CSimOptionsTest, Defaults) {
    const CSimOptions o = ParseOk({});
    EXPECT_EQ(o.transceiver.model, 0x2270);
    EXPECT_EQ(o.transceiver.revision, 0x0100);
    EXPECT_FALSE(o.transceiver.comment);
    EXPECT_EQ(o.baud, 9600u);
    EXPECT_EQ(o.slowMs, 0u);
    EXPECT_EQ(o.exchanges, 0);
    EXPECT_FALSE(o.cable.pullAfter);
    EXPECT_FALSE(o.transceiver.faults.result);
}

TEST(CSimOptionsTest, ValuesBothSeparateAndAfterAnEqualsSign) {
    const CSimOptions o = ParseOk(
        {"--model", "2271", "--revision=0x101", "--comment", "", "--image", "in.vkf",
         "--save=out.vkf", "--link", "/tmp/radio", "--baud", "0", "--slow", "2500",
         "--exchanges", "3", "--stdin-control", "--quiet", "--no-echo", "--wrong-echo",
         "--noise", "--pull-after", "0", "--close-after=7", "--silent", "--bad-checksum",
         "31", "--lying-count=4", "--result", "fd", "--short-end", "--long-frame"});
    EXPECT_EQ(o.transceiver.model, 0x2271);
    EXPECT_EQ(o.transceiver.revision, 0x0101);
    EXPECT_EQ(o.transceiver.comment, std::string());
    EXPECT_EQ(o.imagePath, "in.vkf");
    EXPECT_EQ(o.savePath, "out.vkf");
    EXPECT_EQ(o.linkPath, "/tmp/radio");
    EXPECT_EQ(o.baud, 0u);
    EXPECT_EQ(o.slowMs, 2500u);
    EXPECT_EQ(o.exchanges, 3);
    EXPECT_TRUE(o.stdinControl);
    EXPECT_TRUE(o.quiet);
    EXPECT_TRUE(o.cable.noEcho);
    EXPECT_EQ(o.cable.wrongEchoFrame, 1);
    EXPECT_TRUE(o.cable.noise);
    EXPECT_EQ(o.cable.pullAfter, 0);
    EXPECT_EQ(o.cable.closeAfter, 7);
    EXPECT_TRUE(o.transceiver.faults.silent);
    EXPECT_EQ(o.transceiver.faults.badChecksumRecord, 31);
    EXPECT_EQ(o.transceiver.faults.lyingCountRecord, 4);
    EXPECT_EQ(o.transceiver.faults.result, 0xFD);
    EXPECT_TRUE(o.transceiver.faults.shortEnd);
    EXPECT_TRUE(o.transceiver.faults.longFrame);
}

TEST(CSimOptionsTest, OptionalValuesDefaultToTheFirst) {
    EXPECT_EQ(ParseOk({"--lying-count"}).transceiver.faults.lyingCountRecord, 1);
    EXPECT_EQ(ParseOk({"--wrong-echo=3"}).cable.wrongEchoFrame, 3);
    // Without "=", the next argument is not taken as the value.
    EXPECT_FALSE(ParseOk({"--wrong-echo", "--quiet"}).cable.noEcho);
}

TEST(CSimOptionsTest, BadCommandLinesAreRefusedWithAReason) {
    const std::vector<std::vector<std::string>> cases = {
        {"--bogus"},
        {"extra"},
        {"--model"},
        {"--model", "12345"},
        {"--model", "22G0"},
        {"--revision", ""},
        {"--baud", "-1"},
        {"--baud", "9600x"},
        {"--bad-checksum", "0"},
        {"--bad-checksum", "32"},
        {"--lying-count=32"},
        {"--result", "100"},
        {"--exchanges", "0"},
        {"--close-after", "0"},
        {"--slow", "0"},
        {"--quiet=yes"},
        {"--image", ""},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args[0] + (args.size() > 1 ? " " + args[1] : ""));
        CSimOptions options;
        std::string error;
        EXPECT_FALSE(CSimOptions::Parse(args, options, error));
        EXPECT_FALSE(error.empty());
    }
}

TEST(CSimOptionsTest, HelpNamesEveryOption) {
    const std::string help = CSimOptions::HelpText();
    for (const char* name :
         {"--model", "--revision", "--comment", "--image", "--save", "--link", "--baud", "--slow",
          "--exchanges", "--stdin-control", "--quiet", "--no-echo", "--wrong-echo", "--noise",
          "--pull-after", "--close-after", "--silent", "--bad-checksum", "--lying-count",
          "--result", "--short-end", "--long-frame", "--help", "--version"}) {
        SCOPED_TRACE(name);
        EXPECT_NE(help.find(name), std::string::npos);
        CSimOptions options;
        std::string error;
        // Every option in the help is one the parser knows.
        CSimOptions::Parse({name, "1"}, options, error);
        EXPECT_EQ(error.find("unknown option " + std::string(name)), std::string::npos) << error;
    }
}
