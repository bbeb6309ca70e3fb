
#include "CMemoryArchive.h"
#include "ProcessRunner.h"
#include "SettingSheetDriver.h"
#include "SpacingChangeQuestion.h"
#include "TempDir.h"
#include "TextFields.h"

#include <sstream>

namespace kt {

// Every common setting changed in the Setting sheet reaches a saved data file
// as kt-m220-cli reads it, and every setting that kt-m220-cli writes into a
// data file shows in the sheet.

namespace {
ProcessResult Cli(std::vector<std::string> args) {
    args.insert(args.begin(), ProgramPath("kt-m220-cli"));
    ProcessResult result = RunProcess(args);
    if (result.status == 127)
        result.err += args[0] + " could not be run; build the kt-m220-cli target first";
    return result;
}

// The settings part of "show": each line is a label padded to 22 columns and a value.
std::map<std::string, std::string> ShownSettings(const std::string& out) {
    std::map<std::string, std::string> settings;
    std::istringstream lines(out.substr(out.find("\n\n") + 2));
    std::string line;
    while (std::getline(lines, line)) {
        const std::string label = line.substr(0, std::min<std::size_t>(22, line.size()));
        settings[TrimRight(label)] = line.size() > 22 ? line.substr(22) : "";
    }
    return settings;
}
} // namespace

TEST(SettingRoundTrip, EverySettingChangedInTheSheetIsSavedToTheFile) {
    RecordingRadio radio;
    Prepare<RecordingRadio>(radio, [](RecordingRadio& r) {
        r.SetFrequency(7, "119.1");
        r.SetAppear(7, "ON");
    });
    FakeSheetHost host(radio);
    // The 8.33kHz spacing holds channels 1 and 7 by the 8.33 kHz channels of
    // their carriers: asked, and answered Yes.
    std::size_t asked = 0;
    SetSpacingChangeAnswerer(
        [&asked](const std::string&, const std::vector<CSpacingChange::Move>& moves) {
            asked = moves.size();
            return true;
        });
    const bool accepted = RunSheet(
        radio, host,
        [](CSettingSheet& sheet) {
            for (const char* box : {"operationBeepCheck", "upDownKeyBeepCheck", "sideToneCheck",
                                    "scanFunctionCheck", "hangerScanCheck"})
                Control<QCheckBox>(sheet, box).click();
            Choose(Control<QComboBox>(sheet, "indicationModeCombo"), "Text");
            Choose(Control<QComboBox>(sheet, "lcdBacklightCombo"), "Off");
            Choose(Control<QComboBox>(sheet, "scanModeCombo"), "Prio");
            Choose(Control<QComboBox>(sheet, "priorityChannelCombo"), "7");
            QTest::keyClicks(&Control<QLineEdit>(sheet, "openingTextEdit"), "HELLO");
            ClickTab(sheet, 1);
            for (const char* box :
                 {"adjustModeCheck", "vfoModeCheck", "vfoTxCheck", "memoryWriteCheck"})
                Control<QCheckBox>(sheet, box).click();
            Choose(Control<QComboBox>(sheet, "channelSpacingCombo"), "8.33kHz");
            QTest::keyClicks(&Control<QLineEdit>(sheet, "cloneCommentEdit"), "Flying club");
        },
        SheetEnd::Ok);
    SetSpacingChangeAnswerer({});
    ASSERT_TRUE(accepted);
    EXPECT_EQ(asked, 2u);
    EXPECT_EQ(radio.GetFrequency(7), "119.105");

    TempDir dir;
    const std::string file = dir.File("settings.vkf");
    CMemoryArchive archive;
    radio.Serialize(archive);
    WriteFileBytes(file, archive.Bytes());
    const ProcessResult shown = Cli({"show", file});
    ASSERT_EQ(shown.status, 0) << shown.err;

    // show prints them in the sheet's own words.
    const std::map<std::string, std::string> expected = {
        {"Operation Beep", "[ ]"},      {"Up/Down Key Beep", "[ ]"},
        {"Side Tone", "[ ]"},           {"Indication Mode", "Text"},
        {"LCD Backlight", "Off"},       {"Scan Function", "[ ]"},
        {"Hanger Scan", "[x]"},         {"Scan Mode", "Prio"},
        {"Priority CH", "7"},           {"Opening Text", "HELLO"},
        {"Adjust Mode Enable", "[x]"},  {"VFO Mode Enable", "[x]"},
        {"VFO Tx Enable", "[x]"},       {"Memory Write Enable", "[x]"},
        {"Channel Spacing", "8.33kHz"}, {"Clone Comment", "Flying club"},
    };
    EXPECT_EQ(ShownSettings(shown.out), expected) << shown.out;
}

TEST(SettingRoundTrip, EverySettingSetInTheFileShowsInTheSheet) {
    TempDir dir;
    const std::string file = dir.File("settings.vkf");
    const ProcessResult made = Cli({"new", "-o", file});
    ASSERT_EQ(made.status, 0) << made.err;
    const ProcessResult set = Cli({"set",
                                   file,
                                   "CH.MCH.12.FREQUENCY=122.1",
                                   "CH.MCH.12.APPEAR=ON",
                                   "COMMON.BEEP=OFF",
                                   "COMMON.BEEP_UDKEY=OFF",
                                   "COMMON.SIDETONE=OFF",
                                   "COMMON.SCAN_FUNCTION=OFF",
                                   "COMMON.SCAN_HANGER=ON",
                                   "COMMON.INDICATEMODE=TEXT",
                                   "COMMON.LCD_BACKLIGHT=ON",
                                   "COMMON.LCD_DIMMER=LOW",
                                   "COMMON.SCAN_MODE=PRIO",
                                   "COMMON.SCAN_PRIO=ON",
                                   "COMMON.PRIOCH=12",
                                   "COMMON.OPENING_TEXT=abc",
                                   "COMMON.ADJ_ENABLE=ENABLE",
                                   "COMMON.VFOMODE_ENABLE=ENABLE",
                                   "COMMON.VFOTX_INHIBIT=DISABLE",
                                   "COMMON.MRWRITE_ENABLE=ENABLE",
                                   "COMMON.CH_SPACING=25k/8.33kHz",
                                   "COMMON.CLONE_COMMENT=Hangar 3"});
    ASSERT_EQ(set.status, 0) << set.err;

    RecordingRadio radio;
    radio.NewData();
    CMemoryArchive archive(ReadFileBytes(file));
    radio.Serialize(archive);
    FakeSheetHost host(radio);
    std::map<std::string, std::string> seen;
    RunSheet(
        radio, host,
        [&](CSettingSheet& sheet) {
            ClickTab(sheet, 1);
            for (QCheckBox* box : sheet.findChildren<QCheckBox*>())
                seen[box->objectName().toStdString()] = box->isChecked() ? "set" : "clear";
            for (QComboBox* combo : sheet.findChildren<QComboBox*>()) {
                if (combo->objectName() != QLatin1String("lcdDimmerCombo"))
                    seen[combo->objectName().toStdString()] = combo->currentText().toStdString();
            }
            for (QLineEdit* edit : sheet.findChildren<QLineEdit*>())
                seen[edit->objectName().toStdString()] = edit->text().toStdString();
        },
        SheetEnd::Cancel);

    const std::map<std::string, std::string> expected = {
        {"operationBeepCheck", "clear"},
        {"upDownKeyBeepCheck", "clear"},
        {"sideToneCheck", "clear"},
        {"scanFunctionCheck", "clear"},
        {"hangerScanCheck", "set"},
        {"indicationModeCombo", "Text"},
        {"lcdBacklightCombo", "Low"},
        {"scanModeCombo", "Prio"},
        {"priorityChannelCombo", "12"},
        {"openingTextEdit", "abc"},
        {"adjustModeCheck", "set"},
        {"vfoModeCheck", "set"},
        {"vfoTxCheck", "set"},
        {"memoryWriteCheck", "set"},
        {"channelSpacingCombo", "25k/8.33kHz"},
        {"cloneCommentEdit", "Hangar 3"},
    };
    EXPECT_EQ(seen, expected);

    // show says what the sheet showed, in the sheet's words.
    const ProcessResult shown = Cli({"show", file});
    ASSERT_EQ(shown.status, 0) << shown.err;
    const std::map<std::string, std::string> words = {
        {"Operation Beep", "[ ]"},
        {"Up/Down Key Beep", "[ ]"},
        {"Side Tone", "[ ]"},
        {"Indication Mode", "Text"},
        {"LCD Backlight", "Low"},
        {"Scan Function", "[ ]"},
        {"Hanger Scan", "[x]"},
        {"Scan Mode", "Prio"},
        {"Priority CH", "12"},
        {"Opening Text", "abc"},
        {"Adjust Mode Enable", "[x]"},
        {"VFO Mode Enable", "[x]"},
        {"VFO Tx Enable", "[x]"},
        {"Memory Write Enable", "[x]"},
        {"Channel Spacing", "25k/8.33kHz"},
        {"Clone Comment", "Hangar 3"},
    };
    EXPECT_EQ(ShownSettings(shown.out), words) << shown.out;
}

} // namespace kt
