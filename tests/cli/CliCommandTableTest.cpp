#include "CCommonSettings.h"
#include "CSettingLabels.h"
#include "CliCommand.h"
#include "ReadWholeFile.h"

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

// Nobody should have to read the sources to script set: the reference and
// the man page name every setting the engine knows, with the sheet's words.
TEST(CliCommandTable, HelpCommandsAndTheManPageListEverySettingTheEngineKnows) {
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(RunCli({"help", "commands"}, in, out, err), 0) << err.str();
    const std::string reference = out.str();
    std::string manPage;
    ASSERT_TRUE(
        ReadWholeFile(KT_TEST_DATA_DIR "/../../docs/man/kt-m220-cli.1", 1 << 20, manPage).Ok());
    CCommonSettings settings;
    ASSERT_EQ(settings.Count(), 18u);
    for (std::size_t i = 0; i < settings.Count(); ++i) {
        const std::string key = "COMMON." + settings.ItemAt(i).Name();
        EXPECT_NE(reference.find("  " + key + "="), std::string::npos) << key;
        EXPECT_NE(manPage.find(key), std::string::npos) << key << " is not in the man page";
    }
    for (const CSettingLabels::Setting& setting : CSettingLabels::All())
        EXPECT_NE(reference.find(setting.label), std::string::npos) << setting.label;
    EXPECT_NE(reference.find("COMMON.CH_SPACING=25kHz|8.33kHz|25k/8.33kHz"), std::string::npos)
        << reference;
    EXPECT_NE(reference.find("COMMON.PRIOCH=1..20"), std::string::npos) << reference;
    for (const char* property : {"APPEAR", "FREQUENCY", "NAME", "TXINHIBIT", "CHLOCKOUT"}) {
        EXPECT_NE(reference.find(std::string("CH.MCH.n.") + property), std::string::npos);
        EXPECT_NE(manPage.find(std::string("CH.MCH.\\fIn\\fB.") + property), std::string::npos)
            << property << " is not in the man page";
    }

    std::ostringstream usage;
    EXPECT_EQ(RunCli({"help"}, in, usage, err), 0);
    EXPECT_EQ(usage.str(), CliUsage());
    std::ostringstream none;
    EXPECT_EQ(RunCli({"help", "bogus"}, in, none, err), 2);
}

} // namespace kt
