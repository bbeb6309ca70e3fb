#include "CommandLine.h"

#include <gtest/gtest.h>

namespace kt {

namespace {
using CommandLine::Takes;

const std::vector<CommandLine::OptionEntry> kTable = {
    {nullptr, 0, Takes::Nothing, nullptr, "Files"},
    {"output", 'o', Takes::Value, "FILE", "where to write"},
    {"heal", 0, Takes::Nothing, nullptr, "accept what the radio stores"},
    {"wrong-echo", 0, Takes::OptionalValue, "N", "alter an echo\n(default 1)"},
    {"yes", 'y', Takes::Nothing, nullptr, "answer OK"},
};
} // namespace

TEST(CommandLine, OptionsAndOperandsMayBeMixedAndDashDashEndsOptions) {
    const auto p = CommandLine::Parse(
        kTable, {"plan.vkf", "-o", "", "--heal", "CH.MCH.2.FREQUENCY=-5", "-y", "--", "--yes"});
    ASSERT_TRUE(p.Ok()) << p.error;
    EXPECT_TRUE(p.Has("output"));
    EXPECT_EQ(p.Value("output"), "") << "an empty value is a value";
    EXPECT_TRUE(p.Has("heal"));
    EXPECT_TRUE(p.Has("yes"));
    EXPECT_EQ(p.operands, (std::vector<std::string>{"plan.vkf", "CH.MCH.2.FREQUENCY=-5", "--yes"}));

    const auto q = CommandLine::Parse(
        kTable, {"-o", "b.vkf", "--output=a.vkf", "--wrong-echo=3", "--wrong-echo"});
    ASSERT_TRUE(q.Ok()) << q.error;
    EXPECT_EQ(q.Value("output"), "a.vkf");
    EXPECT_EQ(q.Value("wrong-echo"), "") << "the last occurrence counts";
    EXPECT_EQ(q.options.size(), 4u);
}

TEST(CommandLine, MistakesNameTheOptionAndParsingStartsAfreshEachTime) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--bogus"}, "unknown option --bogus"},   {{"-x"}, "unknown option -x"},
        {{"--output"}, "--output needs FILE"},     {{"a", "-o"}, "-o needs FILE"},
        {{"--heal=yes"}, "unknown option --heal"},
    };
    for (const auto& [args, error] : cases) {
        SCOPED_TRACE(args.front());
        const auto p = CommandLine::Parse(kTable, args);
        EXPECT_EQ(p.error.rfind(error, 0), 0u) << p.error;
    }
    // A sound parse after failed ones sees all of its own words.
    const auto p = CommandLine::Parse(kTable, {"-y", "file"});
    EXPECT_TRUE(p.Ok());
    EXPECT_EQ(p.operands, std::vector<std::string>{"file"});
}

TEST(CommandLine, HelpListsEveryOptionUnderItsHeadingInOneColumn) {
    EXPECT_EQ(CommandLine::Help(kTable, 22), "Files:\n"
                                             "  -o, --output FILE   where to write\n"
                                             "  --heal              accept what the radio stores\n"
                                             "  --wrong-echo[=N]    alter an echo\n"
                                             "                      (default 1)\n"
                                             "  -y, --yes           answer OK\n");
}

} // namespace kt
