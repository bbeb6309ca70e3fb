#include "CRigEngine.h"
#include "EngineProbe.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kt {

namespace {
struct Step {
    std::string command;
    std::string answer;
};

void RunSteps(CRigEngine& engine, const std::vector<Step>& steps) {
    for (const Step& step : steps) {
        SCOPED_TRACE(step.command);
        EXPECT_EQ(engine.Command(step.command), step.answer);
    }
}

TEST(CRigEngine, WorkedSequence) {
    CRigEngine engine;
    RunSteps(engine,
             {
                 {"INITIALIZE", "OK"},
                 {"CH.MCH.1.FREQUENCY", "118.000"},
                 {"CH.MCH.2.APPEAR", "OFF"},
                 {"CH.MCH.2.FREQUENCY=121.5", "121.500"},
                 {"CH.MCH.2.APPEAR=ON", "ON"},
                 {"CH.MCH.2.NAME=tower", "TOWER  "},
                 {"CH.MCH.2.ALL", "APPEAR=ON\tFREQUENCY=121.500\tNAME=TOWER  \tTXINHIBIT=OFF"
                                  "\tCHLOCKOUT=OFF"},
                 {"HEAL", "OK"},
             });
    EXPECT_EQ(HexBytes(SavedImage(engine), 0x070, 0x07B), "12 15 00 20 00 54 4F 57 45 52 20 20");

    // Channel 3 goes to 122.000 so that the delete visibly moves it down.
    RunSteps(engine, {
                         {"CH.MCH.3.FREQUENCY=122", "122.000"},
                         {"CH.MCH.3.APPEAR=ON", "ON"},
                         {"COMMON.CH_SPACING=8.33kHz", "8.33kHz"},
                         {"CH.MCH.2.HEAL", "OK"},
                         {"CH.MCH.2.FREQUENCY", "121.505"},
                         {"CH.MCH.2.DELETE.CHECK", "WARNING"},
                         {"CH.MCH.2.DELETE", "OK"},
                         {"CH.MCH.2.FREQUENCY", "122.005"}, // channel 3 moved down and healed
                         {"CH.MCH.3.APPEAR", "OFF"},
                         {"CH.MCH.20.APPEAR", "OFF"},
                     });
}

TEST(CRigEngine, UnknownCommandsAnswerTheEmptyText) {
    CRigEngine engine;
    engine.Command("INITIALIZE");
    const std::vector<std::string> unknown = {
        "",
        "CH.MCH.21.FREQUENCY",
        "CH.MCH.0.FREQUENCY",
        "CH.VFO.2.FREQUENCY",
        "CH.NONE.1.FREQUENCY",
        "COMMON.NO_SUCH_SETTING",
        "COMMON.HEAL",
        "FILE",
        "FILE.",
        "FILE.DELETE.\"x\"",
        "EDIT",
        "NOTHING=HEAL",
    };
    for (const std::string& command : unknown) {
        SCOPED_TRACE(command);
        EXPECT_EQ(engine.Command(command), "");
    }
    EXPECT_EQ(SavedFile(engine), ReadFileBytes(KT_TEST_DATA_DIR "/default.vkf"));
}

TEST(CRigEngine, CommandWordsAreCaseInsensitive) {
    CRigEngine engine;
    RunSteps(engine, {
                         {"initialize", "OK"},
                         {"ch.mch.2.frequency=130", "130.000"},
                         {"Ch.Mch.2.Appear=on", "ON"},
                         {"heal", "OK"},
                         {"CH.MCH.2.FREQUENCY.bynumber", "130000000"},
                         {"common.beep=off", "OFF"},
                         {"Common.Beep", "OFF"},
                         {"COMMON.BEEP=", "OFF"}, // a bare "=" asks
                         {"edit_flag=off", "OFF"},
                     });
}

TEST(CRigEngine, IdentityNumbers) {
    EXPECT_EQ(CRigEngine::ModelNumber(), 2270);
    EXPECT_EQ(CRigEngine::RevisionNumber(), 100);
}

TEST(CRigEngine, HostileCommandsGetAnAnswerAndLeaveAWorkingEngine) {
    const std::string big(100000, 'A');
    const std::vector<std::string> hostile = {
        std::string("\0\xFF\x80\x01", 4),
        big,
        std::string(100000, '='),
        std::string(100000, '.'),
        std::string(100000, '"'),
        "=",
        "==",
        "\"",
        "FILE.LOAD.\"" + big,
        "FILE.SAVE.\"/nonexistent/" + big + "\"",
        "FILE.LOAD.\"" + std::string(5000, '/') + "\"",
        "EDIT_FLAG=" + big,
        "HEAL=" + big,
        "CH.MCH.1.NAME=" + big,
        "CH.MCH.1.ALL=" + std::string(100000, '\t'),
        "CH.MCH.1.ALL=NAME=A\tFREQUENCY=1e308\tAPPEAR=" + big,
        "CH.MCH.99999999999999999999999.FREQUENCY",
        "CH.MCH.-1.FREQUENCY",
        "CH.MCH.1.FREQUENCY=99999999999999999999999999",
        "CH.MCH.1.FREQUENCY=-99999999999999999999999999",
        "CH.MCH.1.FREQUENCY.ByNumber=-9223372036854775808",
        "CH.MCH.1.FREQUENCY=" + std::string(100000, '9'),
        "CH.MCH.1.FREQUENCY=.................",
        "COMMON.PRIOCH.ByNumber=4294967296",
        "COMMON.PRIOCH=-2147483649",
        "COMMON.CLONE_COMMENT=" + std::string("\0\n\r\xFF", 4),
        "COMMON.OPENING_TEXT." + big,
        "COMMON.BEEP.ByNumber.ByNumber=1",
        "CH.MCH.1." + big,
        "CH.MCH.2.PASTE.CHECK.CHECK=" + big,
    };
    CRigEngine engine;
    engine.Command("INITIALIZE");
    for (const std::string& command : hostile) {
        SCOPED_TRACE(command.substr(0, 60));
        engine.Command(command);
        EXPECT_EQ(engine.Command("HEAL"), "OK");
        EXPECT_EQ(engine.Command("CH.MCH.2.NAME=ok"), "OK     ");
    }
    EXPECT_EQ(engine.Command("FILE.LOAD.\"" + big), "CANNOT_OPEN_FILE");
    EXPECT_EQ(engine.Command("INITIALIZE"), "OK");
    EXPECT_EQ(SavedFile(engine), ReadFileBytes(KT_TEST_DATA_DIR "/default.vkf"));
}
} // namespace

} // namespace kt
