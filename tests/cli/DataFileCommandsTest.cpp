#include "ProcessRunner.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kt {

namespace {
ProcessResult Cli(const std::vector<std::string>& args, const std::string& input = {}) {
    std::vector<std::string> argv{ProgramPath("kt-m220-cli")};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProcess(argv, input);
}
} // namespace

TEST(CliDataFiles, NewSetShowOnARealFile) {
    TempDir dir;
    const std::string file = dir.File("a.vkf");
    ASSERT_EQ(Cli({"new", "-o", file}).status, 0);
    const auto set = Cli({"set", file, "CH.MCH.2.FREQUENCY=121.5", "CH.MCH.2.APPEAR=ON",
                          "CH.MCH.2.NAME=tower", "COMMON.PRIOCH=2", "COMMON.SCAN_PRIO=ON"});
    ASSERT_EQ(set.status, 0) << set.err;
    const auto show = Cli({"show", file});
    ASSERT_EQ(show.status, 0) << show.err;
    EXPECT_NE(show.out.find("02  Prio  121.500     TOWER\n"), std::string::npos) << show.out;
    EXPECT_NE(show.out.find("\n03\n"), std::string::npos);
    EXPECT_NE(show.out.find("Priority CH           2\n"), std::string::npos);

    // The file written is a data file the engine loads back.
    const std::string bytes = ReadFileBytes(file);
    EXPECT_EQ(bytes.rfind("22700100\r\n#", 0), 0u);
    const auto console = Cli({"engine"}, "FILE.LOAD.\"" + file + "\"\nCH.MCH.2.NAME\n");
    EXPECT_EQ(console.out, "OK\nTOWER  \n");
    EXPECT_EQ(std::filesystem::status(file).permissions() & std::filesystem::perms::others_write,
              std::filesystem::perms::none);
}

TEST(CliDataFiles, FailuresLeaveTheFileUntouched) {
    TempDir dir;
    const std::string broken = dir.File("broken.vkf");
    const std::string content = "22700100\r\n#\r\n0010102020\r\n";
    WriteFileBytes(broken, content);
    auto r = Cli({"set", broken, "CH.MCH.1.NAME=X"});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("FORMAT_ERROR"), std::string::npos) << r.err;
    EXPECT_EQ(ReadFileBytes(broken), content);

    const std::string good = dir.File("good.vkf");
    ASSERT_EQ(Cli({"new", "-o", good}).status, 0);
    const std::string before = ReadFileBytes(good);
    r = Cli({"set", good, "CH.MCH.1.NAME=X", "NO.SUCH.COMMAND"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(ReadFileBytes(good), before);

    r = Cli({"show", dir.File("missing.vkf")});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("No such file"), std::string::npos);
    EXPECT_EQ(Cli({"new", "-o", dir.File("no/such/folder/x.vkf")}).status, 3);
    EXPECT_EQ(Cli({"show"}).status, 2);
    EXPECT_EQ(Cli({"bogus"}).status, 2);
}

TEST(CliEngineConsole, AnswersAreCopiedByteForByte) {
    const auto r = Cli({"engine"}, "INITIALIZE\r\nCH.MCH.1.FREQUENCY\nCOMMON.OPENING_TEXT\n"
                                   "CH.MCH.1.ALL\nNONSENSE\nCH.MCH.1.NAME");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "OK\n118.000\n\xFF\xFF\xFF\xFF\xFF\xFF\xFF\n"
                     "APPEAR=ON\tFREQUENCY=118.000\tNAME=       \tTXINHIBIT=OFF\tCHLOCKOUT=OFF\n"
                     "\n       \n");
}

TEST(CliPorts, ShowsTheMappingFromTheDesktopProgramsSettings) {
    TempDir dir;
    std::filesystem::create_directories(dir.Path() / "Velk");
    WriteFileBytes(
        dir.File("Velk/KT-M220.ini"),
        "[General]\nx=1\n\n[CommPort]\nPortNumber=2\nDevice2=/dev/serial/by-id/usb-cable\n"
        "Device3=/dev/tty\x1b]0;owned\x07\x1b[2J\n");
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_CONFIG_HOME", dir.Path().c_str(), 1);
    const auto r = Cli({"ports"});
    if (old)
        setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("COM2  /dev/serial/by-id/usb-cable  (set in the settings)  (not present)"
                         "  <- used without --port\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("COM1  "), std::string::npos);
    // A device name is shown, never acted on by the terminal.
    EXPECT_EQ(r.out.find_first_of("\x1b\x07"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("COM3  /dev/tty.]0;owned..[2J"), std::string::npos) << r.out;
}

} // namespace kt
