#include "CCommonSettings.h"
#include "CMemoryImage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kt {

namespace {
constexpr std::uint32_t kImageSize = 512;

std::string CommentOf(const std::string& text) {
    return text + std::string(16 - text.size(), ' ');
}
} // namespace

TEST(CCommonSettings, BuildsTheEighteenSettingsInOrder) {
    CCommonSettings settings;
    const std::vector<std::string> names = {
        "ADJ_ENABLE",   "CH_SPACING",   "VFOMODE_ENABLE", "VFOTX_INHIBIT", "MRWRITE_ENABLE",
        "INDICATEMODE", "BEEP",         "BEEP_UDKEY",     "SIDETONE",      "SCAN_FUNCTION",
        "SCAN_MODE",    "SCAN_HANGER",  "SCAN_PRIO",      "LCD_BACKLIGHT", "LCD_DIMMER",
        "PRIOCH",       "OPENING_TEXT", "CLONE_COMMENT"};
    ASSERT_EQ(settings.Count(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(settings.ItemAt(i).Name(), names[i]);
    EXPECT_FALSE(settings.IsSynced());
}

// Each choice setting on its own: the value with image value 1 (2 for the
// third spacing) lights exactly these bits, and decodes back from them.
TEST(CCommonSettings, ChoiceSettingBits) {
    struct Case {
        const char* name;
        const char* offText;
        const char* onText;
        std::uint32_t address;
        std::uint8_t bits;
        std::uint8_t field; // all the bits of the setting
    };
    const Case cases[] = {
        {"ADJ_ENABLE", "DISABLE", "ENABLE", 0x030, 0x80, 0x80},
        {"CH_SPACING", "25kHz", "8.33kHz", 0x030, 0x20, 0x60},
        {"CH_SPACING", "25kHz", "25k/8.33kHz", 0x030, 0x40, 0x60},
        {"VFOMODE_ENABLE", "DISABLE", "ENABLE", 0x030, 0x10, 0x10},
        {"VFOTX_INHIBIT", "DISABLE", "ENABLE", 0x053, 0x80, 0x80},
        {"MRWRITE_ENABLE", "DISABLE", "ENABLE", 0x030, 0x08, 0x08},
        {"INDICATEMODE", "FREQ", "TEXT", 0x031, 0x80, 0x80},
        {"BEEP", "OFF", "ON", 0x031, 0x40, 0x40},
        {"BEEP_UDKEY", "OFF", "ON", 0x031, 0x20, 0x20},
        {"SIDETONE", "OFF", "ON", 0x031, 0x10, 0x10},
        {"SCAN_FUNCTION", "OFF", "ON", 0x031, 0x08, 0x08},
        {"SCAN_MODE", "NORMAL", "PRIO", 0x031, 0x04, 0x04},
        {"SCAN_HANGER", "OFF", "ON", 0x031, 0x02, 0x02},
        {"SCAN_PRIO", "OFF", "ON", 0x031, 0x01, 0x01},
        {"LCD_BACKLIGHT", "OFF", "ON", 0x032, 0x80, 0x80},
        {"LCD_DIMMER", "LOW", "HIGH", 0x032, 0x40, 0x40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + "=" + c.onText);
        const std::string key = std::string("COMMON.") + c.name;

        // Encode on a zeroed image: only the setting's bits change.
        CCommonSettings settings;
        CMemoryImage image(kImageSize);
        EXPECT_EQ(settings.Handle(key + "=" + c.onText), c.onText);
        settings.Sync(SyncDirection::Encode, image);
        EXPECT_EQ(image.GetByte(c.address), c.bits);

        // Decode a filled image (its spacing bits a valid choice), encode the
        // other value: only the setting's bits clear.
        CMemoryImage filled(kImageSize);
        filled.FillBytes(0, 0xFF, kImageSize);
        filled.SetByte(0x030, 0xBF);
        const std::uint8_t before = filled.GetByte(c.address);
        CCommonSettings other;
        other.Sync(SyncDirection::Decode, filled);
        other.Handle(key + "=" + c.offText);
        other.Sync(SyncDirection::Encode, filled);
        EXPECT_EQ(filled.GetByte(c.address), static_cast<std::uint8_t>(before & ~c.field));

        // Decode both ways.
        CCommonSettings decoded;
        decoded.Sync(SyncDirection::Decode, image);
        EXPECT_EQ(decoded.Handle(key), c.onText);
        decoded.Sync(SyncDirection::Decode, filled);
        EXPECT_EQ(decoded.Handle(key), c.offText);
    }
}

TEST(CCommonSettings, UnknownSpacingValueDecodesToTheFirstChoice) {
    CCommonSettings settings;
    CMemoryImage image(kImageSize);
    image.SetByte(0x030, 0x60);
    settings.Sync(SyncDirection::Decode, image);
    EXPECT_EQ(settings.Handle("COMMON.CH_SPACING"), "25kHz");
    EXPECT_EQ(settings.Handle("COMMON.CH_SPACING.ByNumber"), "0");
    settings.Sync(SyncDirection::Encode, image);
    EXPECT_EQ(image.GetByte(0x030), 0x00);

    image.SetByte(0x030, 0xE8);
    settings.Sync(SyncDirection::Decode, image);
    EXPECT_EQ(settings.Handle("COMMON.ADJ_ENABLE"), "ENABLE");
    EXPECT_EQ(settings.Handle("COMMON.VFOMODE_ENABLE"), "DISABLE");
    EXPECT_EQ(settings.Handle("COMMON.MRWRITE_ENABLE"), "ENABLE");
    settings.Sync(SyncDirection::Encode, image);
    EXPECT_EQ(image.GetByte(0x030), 0x88);
}

TEST(CCommonSettings, FunctionByteOfTheDefaultImage) {
    CCommonSettings settings;
    CMemoryImage image(kImageSize);
    image.SetByte(0x031, 0x78);
    settings.Sync(SyncDirection::Decode, image);
    const std::pair<const char*, const char*> expected[] = {
        {"INDICATEMODE", "FREQ"}, {"BEEP", "ON"},          {"BEEP_UDKEY", "ON"},
        {"SIDETONE", "ON"},       {"SCAN_FUNCTION", "ON"}, {"SCAN_MODE", "NORMAL"},
        {"SCAN_HANGER", "OFF"},   {"SCAN_PRIO", "OFF"}};
    for (const auto& [name, value] : expected)
        EXPECT_EQ(settings.Handle(std::string("COMMON.") + name), value) << name;
    image.SetByte(0x031, 0);
    settings.Sync(SyncDirection::Encode, image);
    EXPECT_EQ(image.GetByte(0x031), 0x78);
}

TEST(CCommonSettings, PriorityChannel) {
    CCommonSettings settings;
    CMemoryImage image(kImageSize);
    image.SetByte(0x040, 4);
    settings.Sync(SyncDirection::Decode, image);
    EXPECT_EQ(settings.Handle("COMMON.PRIOCH"), "5");
    EXPECT_EQ(settings.Handle("COMMON.PRIOCH.ByNumber"), "4");

    image.SetByte(0x040, 0x20); // out of range: the default number 1
    settings.Sync(SyncDirection::Decode, image);
    EXPECT_EQ(settings.Handle("COMMON.PRIOCH"), "2");

    EXPECT_EQ(settings.Handle("COMMON.PRIOCH=20"), "20");
    EXPECT_EQ(settings.Handle("COMMON.PRIOCH=OFF"), "20"); // not a channel: unchanged
    EXPECT_EQ(settings.Handle("COMMON.PRIOCH=0"), "20");
    settings.Sync(SyncDirection::Encode, image);
    EXPECT_EQ(image.GetByte(0x040), 0x13);
    EXPECT_EQ(settings.Handle("COMMON.prioch.bynumber=4"), "4");
    EXPECT_EQ(settings.Handle("COMMON.PRIOCH"), "5");
}

TEST(CCommonSettings, OpeningTextAndCloneComment) {
    CCommonSettings settings;
    CMemoryImage image(kImageSize);
    image.FillBytes(0x038, 0xFF, 7);
    image.Write(0x010, reinterpret_cast<const std::uint8_t*>("Tower\0junk"), 10);
    settings.Sync(SyncDirection::Decode, image);
    EXPECT_EQ(settings.Handle("COMMON.OPENING_TEXT"), std::string(7, '\xff'));
    EXPECT_EQ(settings.Handle("COMMON.CLONE_COMMENT"), CommentOf("Tower"));

    EXPECT_EQ(settings.Handle("COMMON.OPENING_TEXT=A=B"), "A      ");
    EXPECT_EQ(settings.Handle("COMMON.OPENING_TEXT=ab.c!"), "ab.c!  ");
    EXPECT_EQ(settings.Handle("COMMON.CLONE_COMMENT=Hello"), CommentOf("Hello"));
    EXPECT_EQ(settings.Handle("COMMON.CLONE_COMMENT=" + std::string(40, 'x')),
              std::string(16, 'x'));
    settings.Sync(SyncDirection::Encode, image);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.Data()) + 0x038, 7), "ab.c!  ");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.Data()) + 0x010, 16),
              std::string(16, 'x'));
    EXPECT_EQ(image.GetByte(0x03F), 0); // the byte after the text is not touched
}

TEST(CCommonSettings, Handle) {
    CCommonSettings settings;
    struct Case {
        const char* command;
        const char* answer;
    };
    const Case cases[] = {
        {"COMMON.BEEP", "OFF"},
        {"common.beep=on", "ON"},
        {"COMMON.BEEP=", "ON"},
        {"COMMON.BEEP=maybe", "ON"},
        {"COMMON.BEEP.ByNumber", "1"},
        {"COMMON.Beep.BYNUMBER=0", "0"},
        {"COMMON.BEEP=ON=OFF", "ON"},
        {"COMMON.CH_SPACING=8.33KHZ", "8.33kHz"},
        {"COMMON.CH_SPACING.ByMenuItemName=25k/8.33kHz", "25k/8.33kHz"},
        {"COMMON.NOPE", ""},
        {"COMMON.", ""},
        {"COMMON", ""},
        {"COMMONS.BEEP", ""},
        {"CH.MCH.1.NAME", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        EXPECT_EQ(settings.Handle(c.command), c.answer);
    }
}

TEST(CCommonSettings, SyncDecodesFirstThenEncodes) {
    CCommonSettings settings;
    CMemoryImage image(kImageSize);
    image.SetByte(0x031, 0x40);
    settings.Sync(image); // not synced: decodes
    EXPECT_TRUE(settings.IsSynced());
    EXPECT_EQ(settings.Handle("COMMON.BEEP"), "ON");
    settings.Handle("COMMON.SIDETONE=ON");
    settings.Sync(image); // synced: encodes
    EXPECT_EQ(image.GetByte(0x031), 0x50);
    image.SetByte(0x031, 0);
    settings.Unsync();
    settings.Sync(image);
    EXPECT_EQ(settings.Handle("COMMON.BEEP"), "OFF");
}

TEST(CSettingItem, Kinds) {
    CSettingItem item;
    EXPECT_EQ(item.Command("=x"), "");
    EXPECT_FALSE(item.SetKind("BOGUS"));
    EXPECT_EQ(item.Kind(), CSettingItem::kKindEmpty);
    EXPECT_TRUE(item.SetKind("memname"));
    item.SetWidthBytes(3);

    // A text run that does not fit the image decodes as a blank text.
    item.SetAddress(0x1FF);
    item.Text()->SetLimits(3, 3);
    CMemoryImage image(kImageSize);
    image.FillBytes(0, 'A', kImageSize);
    item.Sync(SyncDirection::Decode, image);
    EXPECT_EQ(item.Command("="), "   ");
}

// Whatever the commands did, encoding and decoding again answers the same.
TEST(CCommonSettings, EncodeThenDecodeKeepsEverySetting) {
    const std::vector<std::string> values = {
        "ON", "off", "ENABLE",     "8.33kHz", "25k/8.33kHz", "TEXT",        "HIGH", "PRIO",
        "7",  "20",  "x\xff\x80y", "1e300",   " ",           "lower.case!", "A=B",  "-1"};
    const std::vector<std::string> selectors = {"", ".ByNumber", ".ByMenuItemName", ".Bogus"};
    CCommonSettings settings;
    std::uint32_t seed = 99;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int round = 0; round < 2000; ++round) {
        const std::string& name = settings.ItemAt(next() % settings.Count()).Name();
        settings.Handle("COMMON." + name + selectors[next() % selectors.size()] + "=" +
                        values[next() % values.size()]);
    }
    CMemoryImage image(kImageSize);
    settings.Sync(SyncDirection::Encode, image);
    CCommonSettings decoded;
    decoded.Sync(SyncDirection::Decode, image);
    for (std::size_t i = 0; i < settings.Count(); ++i) {
        const std::string key = "COMMON." + settings.ItemAt(i).Name();
        EXPECT_EQ(decoded.Handle(key), settings.Handle(key)) << key;
        EXPECT_EQ(decoded.Handle(key + ".ByNumber"), settings.Handle(key + ".ByNumber")) << key;
    }
}

} // namespace kt
