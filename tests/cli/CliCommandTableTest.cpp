#include "CliCommand.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

namespace kt {

// The help a user reads and the parser that judges the command line come from
// one table; these keep the hand-written synopses honest to it.
TEST(CliCommandTable, EachSynopsisShowsExactlyTheOptionsItsCommandTakes) {
    const std::string usage = CliUsage();
    for (const CliCommand& command : CliCommands()) {
        SCOPED_TRACE(command.name);
        EXPECT_NE(usage.find(std::string("  ") + command.name), std::string::npos);
        std::vector<std::string> shown;
        const std::regex option(R"((^|[ \[])(--?[a-z][a-z-]*))");
        const std::string synopsis = command.synopsis;
        for (std::sregex_iterator it(synopsis.begin(), synopsis.end(), option), end; it != end;
             ++it)
            shown.push_back((*it)[2]);
        std::vector<std::string> taken;
        for (const CommandLine::OptionEntry& entry : CliOptions()) {
            const bool takes = std::find(command.options.begin(), command.options.end(),
                                         entry.name) != command.options.end();
            const std::string longName = std::string("--") + entry.name;
            const std::string shortName =
                entry.shortName ? std::string("-") + entry.shortName : std::string("-?");
            const bool inSynopsis =
                std::find(shown.begin(), shown.end(), longName) != shown.end() ||
                std::find(shown.begin(), shown.end(), shortName) != shown.end();
            EXPECT_EQ(takes, inSynopsis) << longName;
            if (inSynopsis)
                taken.push_back(entry.name);
        }
        EXPECT_EQ(taken.size(), shown.size()) << "an option in the synopsis that no table knows";
    }
}

TEST(CliCommandTable, WrongUseEndsWithStatus2AndTheCommandsOwnUsage) {
    const std::vector<std::vector<std::string>> cases = {
        {"new"},
        {"show"},
        {"show", "a.vkf", "b.vkf"},
        {"set", "a.vkf"},
        {"read", "--port", "", "-o", "a.vkf"},
        {"write", "--heal", "a.vkf"},
        {"ports", "--yes"},
        {"bogus"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args.front() + (args.size() > 1 ? " " + args[1] : ""));
        std::istringstream in;
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunCli(args, in, out, err), 2);
        EXPECT_TRUE(out.str().empty());
        EXPECT_NE(err.str().find("kt-m220-cli " +
                                 (args.front() == "bogus" ? std::string("COMMAND") : args.front())),
                  std::string::npos)
            << err.str();
    }
}

} // namespace kt
