#include "CSimOptions.h"

#include <gtest/gtest.h>

namespace kt {

TEST(CSimOptionsTest, ReadsValuesBothSeparateAndAfterAnEqualsSign) {
    CSimOptions o;
    std::string error;
    ASSERT_TRUE(CSimOptions::Parse({"--model",
                                    "2271",
                                    "--revision=0x101",
                                    "--comment",
                                    "",
                                    "--save=out.vkf",
                                    "--baud",
                                    "0",
                                    "--slow",
                                    "2500",
                                    "--exchanges",
                                    "3",
                                    "--wrong-echo",
                                    "--pull-after",
                                    "0",
                                    "--close-after=7",
                                    "--bad-checksum",
                                    "31",
                                    "--lying-count=4",
                                    "--result",
                                    "fd"},
                                   o, error))
        << error;
    EXPECT_EQ(o.transceiver.model, 0x2271);
    EXPECT_EQ(o.transceiver.revision, 0x0101);
    EXPECT_EQ(o.transceiver.comment, std::string());
    EXPECT_EQ(o.savePath, "out.vkf");
    EXPECT_EQ(o.baud, 0u);
    EXPECT_EQ(o.slowMs, 2500u);
    EXPECT_EQ(o.exchanges, 3);
    EXPECT_EQ(o.cable.wrongEchoFrame, 1) << "an optional value defaults to the first";
    EXPECT_EQ(o.cable.pullAfter, 0);
    EXPECT_EQ(o.cable.closeAfter, 7);
    EXPECT_EQ(o.transceiver.faults.badChecksumRecord, 31);
    EXPECT_EQ(o.transceiver.faults.lyingCountRecord, 4);
    EXPECT_EQ(o.transceiver.faults.result, 0xFD);
}

TEST(CSimOptionsTest, BadCommandLinesAreRefusedWithAReason) {
    const std::vector<std::vector<std::string>> cases = {
        {"--bogus"},         {"extra"},           {"--model"},          {"--model", "12345"},
        {"--model", "22G0"}, {"--baud", "-1"},    {"--baud", "96x"},    {"--bad-checksum", "32"},
        {"--lying-count=0"}, {"--result", "100"}, {"--exchanges", "0"}, {"--close-after", "0"},
        {"--quiet=yes"},     {"--image", ""},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args[0] + (args.size() > 1 ? " " + args[1] : ""));
        CSimOptions options;
        std::string error;
        EXPECT_FALSE(CSimOptions::Parse(args, options, error));
        EXPECT_FALSE(error.empty());
    }
}

TEST(CSimOptionsTest, TheHelpAndTheParserKnowTheSameOptions) {
    const std::string help = CSimOptions::HelpText();
    for (const char* name :
         {"--model",       "--revision",   "--comment",      "--image",       "--save",
          "--link",        "--baud",       "--slow",         "--exchanges",   "--stdin-control",
          "--quiet",       "--no-echo",    "--wrong-echo",   "--noise",       "--pull-after",
          "--close-after", "--silent",     "--bad-checksum", "--lying-count", "--result",
          "--short-end",   "--long-frame", "--help",         "--version"}) {
        SCOPED_TRACE(name);
        EXPECT_NE(help.find(name), std::string::npos);
        CSimOptions options;
        std::string error;
        CSimOptions::Parse({name, "1"}, options, error);
        EXPECT_EQ(error.find("unknown option " + std::string(name)), std::string::npos);
    }
}

} // namespace kt
