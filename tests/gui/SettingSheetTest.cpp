#include "CAdvancedPage.h"
#include "CCommonPage.h"
#include "SettingSheetDriver.h"

#include <QAbstractButton>
#include <QDir>
#include <QFontInfo>

namespace kt {

namespace {
const std::vector<std::string> kCommonReads = {
    "COMMON.BEEP",        "COMMON.BEEP_UDKEY",   "COMMON.SIDETONE",      "COMMON.SCAN_FUNCTION",
    "COMMON.SCAN_HANGER", "COMMON.INDICATEMODE", "COMMON.LCD_BACKLIGHT", "COMMON.LCD_DIMMER",
    "COMMON.SCAN_MODE",   "COMMON.SCAN_PRIO",    "COMMON.OPENING_TEXT"};
const std::vector<std::string> kAdvancedReads = {"COMMON.ADJ_ENABLE",    "COMMON.VFOMODE_ENABLE",
                                                 "COMMON.VFOTX_INHIBIT", "COMMON.MRWRITE_ENABLE",
                                                 "COMMON.CH_SPACING",    "COMMON.CLONE_COMMENT"};

std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// What the Common page asks when it is first shown: which channels are in use
// (channel 1 is offered without asking), then whether priority scanning is on.
std::vector<std::string> CommonPageQuestions() {
    std::vector<std::string> asked;
    for (int n = 2; n <= 20; ++n)
        asked.push_back("CH.MCH." + std::to_string(n) + ".APPEAR");
    asked.emplace_back("COMMON.SCAN_PRIO");
    return asked;
}
} // namespace

TEST(SettingSheet, ReadsInOrderAndCancelOnlyHealsAndRefreshes) {
    RecordingRadio radio;
    Prepare(radio);
    FakeSheetHost host(radio);
    EXPECT_FALSE(RunSheet(radio, host, {}, SheetEnd::Cancel));
    EXPECT_EQ(radio.commands,
              Concat({kCommonReads, kAdvancedReads, CommonPageQuestions(), {"HEAL", "<refresh>"}}));
    EXPECT_FALSE(host.modified);
}

TEST(SettingSheet, AsksForTheDimmerAndPriorityChannelOnlyWhenTheyMatter) {
    struct Case {
        const char* backlight;
        const char* priorityScan;
        int dimmerAsked;
        int channelAsked;
    };
    for (const Case& c : {Case{"ON", "OFF", 1, 0}, Case{"OFF", "ON", 0, 1}}) {
        SCOPED_TRACE(std::string("backlight ") + c.backlight + ", priority scan " + c.priorityScan);
        RecordingRadio radio;
        Prepare<RecordingRadio>(radio, [&](RecordingRadio& r) {
            r.SetLcdBacklight(c.backlight);
            r.SetPriorityScan(c.priorityScan);
        });
        CCommonPage page(&radio);
        const auto& asked = radio.commands;
        EXPECT_EQ(std::count(asked.begin(), asked.end(), "COMMON.LCD_DIMMER"), c.dimmerAsked);
        EXPECT_EQ(std::count(asked.begin(), asked.end(), "COMMON.PRIOCH"), c.channelAsked);
        EXPECT_EQ(asked.size(), kCommonReads.size() - 1 + c.dimmerAsked + c.channelAsked);
    }
}

TEST(SettingSheet, OkSendsEverySettingThenMarksUpdatesHealsAndRefreshes) {
    RecordingRadio radio;
    Prepare(radio);
    FakeSheetHost host(radio);
    EXPECT_TRUE(RunSheet(radio, host, {}, SheetEnd::Ok));
    const std::vector<std::string> expected = {
        "COMMON.BEEP=ON",
        "COMMON.BEEP_UDKEY=ON",
        "COMMON.SIDETONE=ON",
        "COMMON.SCAN_FUNCTION=ON",
        "COMMON.SCAN_HANGER=OFF",
        "COMMON.INDICATEMODE=FREQ",
        "COMMON.LCD_BACKLIGHT=ON",
        "COMMON.LCD_DIMMER=HIGH",
        "COMMON.SCAN_MODE=NORMAL",
        "COMMON.SCAN_PRIO=OFF",
        "COMMON.PRIOCH=Off",
        "COMMON.OPENING_TEXT=\xFF",
        "COMMON.ADJ_ENABLE=DISABLE",
        "COMMON.VFOMODE_ENABLE=DISABLE",
        "COMMON.VFOTX_INHIBIT=ENABLE",
        "COMMON.MRWRITE_ENABLE=DISABLE",
        "COMMON.CH_SPACING=25kHz",
        "COMMON.CLONE_COMMENT= ",
        "<modified>",
        "<update>",
        "HEAL",
        "<refresh>",
    };
    const std::size_t asked = kCommonReads.size() + kAdvancedReads.size() + 20;
    ASSERT_EQ(radio.commands.size(), asked + expected.size());
    EXPECT_EQ(std::vector<std::string>(radio.commands.begin() + asked, radio.commands.end()),
              expected);
    EXPECT_TRUE(host.modified);
}

TEST(SettingSheet, APageNeverShownSendsBackWhatItRead) {
    // Channel 5 is empty, so a shown Common page would offer "Off" instead;
    // unseen, the page keeps priority scanning on channel 5 as it was.
    const auto setup = [](RecordingRadio& r) {
        r.SetPriorityChannel("5");
        r.SetBeep("OFF");
        r.SetOpeningText("CQ");
        r.SetAdjustEnable("ENABLE");
        r.SetChannelSpacing("8.33kHz");
        r.SetVfoTxInhibit("DISABLE");
        r.SetCloneComment("Flying club");
    };
    {
        SCOPED_TRACE("the Advanced page never shown");
        RecordingRadio radio;
        Prepare<RecordingRadio>(radio, setup);
        FakeSheetHost host(radio);
        RunSheet(radio, host, {}, SheetEnd::Ok);
        const auto sent = Changes(radio.commands);
        EXPECT_EQ(std::vector<std::string>(sent.end() - 6, sent.end()),
                  (std::vector<std::string>{
                      "COMMON.ADJ_ENABLE=ENABLE", "COMMON.VFOMODE_ENABLE=DISABLE",
                      "COMMON.VFOTX_INHIBIT=DISABLE", "COMMON.MRWRITE_ENABLE=DISABLE",
                      "COMMON.CH_SPACING=8.33kHz", "COMMON.CLONE_COMMENT=Flying club"}));
    }
    {
        SCOPED_TRACE("the Common page never shown");
        RecordingRadio radio;
        Prepare<RecordingRadio>(radio, setup);
        FakeSheetHost host(radio);
        host.startPage = 1;
        RunSheet(radio, host, {}, SheetEnd::Ok);
        // Nothing asked about the channels: the page was never filled.
        for (const auto& c : radio.commands)
            EXPECT_EQ(c.find("APPEAR"), std::string::npos) << c;
        const auto sent = Changes(radio.commands);
        EXPECT_EQ(std::vector<std::string>(sent.begin(), sent.begin() + 12),
                  (std::vector<std::string>{"COMMON.BEEP=OFF", "COMMON.BEEP_UDKEY=ON",
                                            "COMMON.SIDETONE=ON", "COMMON.SCAN_FUNCTION=ON",
                                            "COMMON.SCAN_HANGER=OFF", "COMMON.INDICATEMODE=FREQ",
                                            "COMMON.LCD_BACKLIGHT=ON", "COMMON.LCD_DIMMER=HIGH",
                                            "COMMON.SCAN_MODE=NORMAL", "COMMON.SCAN_PRIO=ON",
                                            "COMMON.PRIOCH=5", "COMMON.OPENING_TEXT=CQ"}));
    }
}

TEST(SettingSheet, ReopensOnThePageLastSwitchedTo) {
    RecordingRadio radio;
    Prepare(radio);
    FakeSheetHost host(radio);
    int opened = -1;
    RunSheet(
        radio, host,
        [&](CSettingSheet& sheet) {
            opened = sheet.CurrentPage();
            ClickTab(sheet, 1);
        },
        SheetEnd::Cancel);
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(host.startPage, 1);
    EXPECT_FALSE(host.modified);

    radio.commands.clear();
    RunSheet(
        radio, host,
        [&](CSettingSheet& sheet) {
            opened = sheet.CurrentPage();
            EXPECT_FALSE(sheet.findChild<CCommonPage*>()->IsInitialized());
            EXPECT_TRUE(sheet.findChild<CAdvancedPage*>()->IsInitialized());
        },
        SheetEnd::Cancel);
    EXPECT_EQ(opened, 1);
    // Opening on a page is not a switch.
    EXPECT_EQ(std::count(radio.commands.begin(), radio.commands.end(), "<page 1>"), 0);

    RunSheet(
        radio, host, [](CSettingSheet& sheet) { ClickTab(sheet, 0); }, SheetEnd::Ok);
    EXPECT_EQ(host.startPage, 0);
}

// Renders both pages as the user sees them; with KT_SCREENSHOT_DIR set, saves
// them there as settings-common.png and settings-advanced.png.
TEST(SettingSheet, RendersBothPages) {
    RecordingRadio radio;
    Prepare<RecordingRadio>(radio, [](RecordingRadio& r) {
        r.SetFrequency(3, "121.5");
        r.SetAppear(3, "ON");
        r.SetPriorityChannel("3");
        r.SetOpeningText("WELCOME");
        r.SetCloneComment("Flying club 42");
        r.SetChannelSpacing("8.33kHz");
    });
    const QString folder = qEnvironmentVariable("KT_SCREENSHOT_DIR");
    const char* const files[] = {"settings-common.png", "settings-advanced.png"};
    for (int page = 0; page < 2; ++page) {
        FakeSheetHost host(radio);
        host.startPage = page;
        RunSheet(
            radio, host,
            [&](CSettingSheet& sheet) {
                const QPixmap shot = sheet.grab();
                EXPECT_GT(shot.width(), 300);
                if (!folder.isEmpty()) {
                    QDir().mkpath(folder);
                    EXPECT_TRUE(shot.save(folder + QLatin1Char('/') + QLatin1String(files[page])));
                }
            },
            SheetEnd::Cancel);
    }
}

// The sheet itself holds an italic font 50 pixels high; the tabs, the pages
// and the buttons keep the application's font, which Qt would otherwise hand
// on to them.
TEST(SettingSheet, OnlyTheSheetItselfHoldsTheItalicFont) {
    RecordingRadio radio;
    Prepare<RecordingRadio>(radio);
    FakeSheetHost host(radio);
    const QFont application = QApplication::font();
    RunSheet(
        radio, host,
        [&](CSettingSheet& sheet) {
            EXPECT_TRUE(sheet.font().italic());
            EXPECT_EQ(sheet.font().pixelSize(), CSettingSheet::kFontHeight);
            std::vector<QWidget*> parts = {sheet.Tabs(), sheet.Tabs()->tabBar(),
                                           sheet.Tabs()->widget(0), sheet.Tabs()->widget(1)};
            for (QAbstractButton* button : sheet.Buttons()->buttons())
                parts.push_back(button);
            for (QWidget* child : sheet.Tabs()->widget(0)->findChildren<QWidget*>())
                parts.push_back(child);
            for (QWidget* part : parts) {
                SCOPED_TRACE(part->metaObject()->className());
                EXPECT_FALSE(part->font().italic());
                EXPECT_EQ(part->font().pointSizeF(), application.pointSizeF());
                EXPECT_EQ(part->fontInfo().pixelSize(), QFontInfo(application).pixelSize());
            }
        },
        SheetEnd::Cancel);
}

} // namespace kt
