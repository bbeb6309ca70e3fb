#include "CChannelTable.h"
#include "CBandPlan.h"
#include "CClipboardSlot.h"
#include "CCommandText.h"
#include "CCommonSettings.h"
#include "CMemoryImage.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kt {

namespace {
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kImageSize = 512;

std::uint32_t RecordAddress(int linear) {
    return 0x050 + 16 * static_cast<std::uint32_t>(linear);
}

std::string Ch(int n, const std::string& rest) {
    return "CH.MCH." + std::to_string(n) + "." + rest;
}

class ChannelTableTest : public ::testing::Test {
protected:
    ChannelTableTest() : table(plan, clipboard), image(kImageSize) {
        plan.SetSettings(&settings);
        plan.ResetRanges();
        settings.Sync(SyncDirection::Decode, image); // spacing 25kHz
        for (int linear = 0; linear < CChannelTable::kEntryCount; ++linear)
            WriteRecord(linear, {0xFF, 0x00, 0x00, 0x00, 0x00, ' ', ' ', ' ', ' ', ' ', ' ', ' '});
        DecodeAll();
    }

    std::string Cmd(const std::string& text) {
        CCommandText command(text);
        return table.Handle(command);
    }
    void WriteRecord(int linear, const Bytes& bytes) {
        image.Write(RecordAddress(linear), bytes.data(), bytes.size());
    }
    Bytes ReadRecord(int linear, std::size_t n = 12) const {
        Bytes bytes(n);
        image.Read(RecordAddress(linear), bytes.data(), n);
        return bytes;
    }
    void DecodeAll() {
        for (int linear = 0; linear < CChannelTable::kEntryCount; ++linear) {
            table.EntryAt(linear).SetSynced(false);
            table.SyncEntry(table.EntryAt(linear).Position(), image);
        }
    }
    void EncodeAll() {
        for (int linear = 0; linear < CChannelTable::kEntryCount; ++linear)
            table.SyncEntry(table.EntryAt(linear).Position(), image);
    }
    // Memory channel n in use at 118.000 + n * 25 kHz, named "CH<n>".
    void Use(int n) {
        ASSERT_FALSE(
            Cmd(Ch(n, "FREQUENCY.ByNumber=" + std::to_string(118000000 + 25000 * n))).empty());
        ASSERT_EQ(Cmd(Ch(n, "APPEAR=ON")), "ON");
        Cmd(Ch(n, "NAME=CH" + std::to_string(n)));
    }
    void UseAll() {
        for (int n = 1; n <= 20; ++n)
            Use(n);
    }
    std::string All(int n) { return Cmd(Ch(n, "ALL")); }
    std::string Empty() {
        return "APPEAR=OFF\tFREQUENCY=0.000\tNAME=       \tTXINHIBIT=OFF\tCHLOCKOUT=OFF";
    }

    CCommonSettings settings;
    CBandPlan plan;
    CClipboardSlot clipboard;
    CChannelTable table;
    CMemoryImage image;
};
} // namespace

TEST_F(ChannelTableTest, DecodesRecords) {
    struct Case {
        Bytes record;
        const char* frequency;
        const char* hz;
        const char* appear;
        const char* name;
        const char* txInhibit;
        const char* lockout;
    };
    const Case cases[] = {
        {{0xFF, 0x00, 0x00, 0x00, 0, 'A', 'B', ' ', ' ', ' ', ' ', ' '},
         "0.000",
         "0",
         "OFF",
         "AB     ",
         "OFF",
         "OFF"},
        {{0x00, 0x00, 0x00, 0x00, 0, ' ', ' ', ' ', ' ', ' ', ' ', ' '},
         "0.000",
         "0",
         "OFF",
         "       ",
         "OFF",
         "OFF"},
        {{0x11, 0x80, 0x12, 0xA0, 0, 'T', 'O', 'W', 'E', 'R', ' ', ' '},
         "118.012",
         "118012500",
         "ON",
         "TOWER  ",
         "ON",
         "OFF"},
        {{0x11, 0x80, 0x03, 0x40, 0, ' ', ' ', ' ', ' ', ' ', ' ', ' '},
         "118.005",
         "118005000",
         "ON",
         "       ",
         "OFF",
         "ON"},
        {{0x11, 0x80, 0x07, 0xC0, 0, ' ', ' ', ' ', ' ', ' ', ' ', ' '},
         "118.010",
         "118010000",
         "ON",
         "       ",
         "ON",
         "ON"},
        {{0x11, 0x80, 0x37, 0x1F, 0, ' ', ' ', ' ', ' ', ' ', ' ', ' '},
         "118.037",
         "118037500",
         "ON",
         "       ",
         "OFF",
         "OFF"},
        {{0x13, 0x69, 0x80, 0x00, 0, ' ', ' ', ' ', ' ', ' ', ' ', ' '},
         "136.980",
         "136980000",
         "ON",
         "       ",
         "OFF",
         "OFF"},
        // Nibbles above 9 count at face value: 1,10 0,11 0,12 is 201112 kHz.
        {{0x1A, 0x0B, 0x0C, 0x00, 0, ' ', ' ', ' ', ' ', ' ', ' ', ' '},
         "201.112",
         "201112500",
         "ON",
         "       ",
         "OFF",
         "OFF"},
        // Names: an erased first byte blanks the name; 0xFF elsewhere and
        // characters the display lacks become blanks; a zero byte ends it.
        {{0x12, 0x15, 0x00, 0x20, 0, 0xFF, 'A', 'B', 'C', ' ', ' ', ' '},
         "121.500",
         "121500000",
         "ON",
         "       ",
         "OFF",
         "OFF"},
        {{0x12, 0x15, 0x00, 0x20, 0, 'A', 0xFF, 'B', ' ', ' ', ' ', ' '},
         "121.500",
         "121500000",
         "ON",
         "A B    ",
         "OFF",
         "OFF"},
        {{0x12, 0x15, 0x00, 0x20, 0, 'a', 'b', 'c', '.', '!', '~', 0x80},
         "121.500",
         "121500000",
         "ON",
         "ABC    ",
         "OFF",
         "OFF"},
        {{0x12, 0x15, 0x00, 0x20, 0, 'A', 0x00, 'B', 'C', ' ', ' ', ' '},
         "121.500",
         "121500000",
         "ON",
         "A      ",
         "OFF",
         "OFF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frequency + std::string(" ") + c.name);
        WriteRecord(5, c.record);
        DecodeAll();
        EXPECT_EQ(Cmd(Ch(5, "FREQUENCY")), c.frequency);
        EXPECT_EQ(Cmd(Ch(5, "FREQUENCY.ByNumber")), c.hz);
        EXPECT_EQ(Cmd(Ch(5, "NAME")), c.name);
        EXPECT_EQ(Cmd(Ch(5, "TXINHIBIT")), c.txInhibit);
        EXPECT_EQ(Cmd(Ch(5, "CHLOCKOUT")), c.lockout);
        EXPECT_EQ(Cmd(Ch(5, "APPEAR")), c.appear);
    }
}

TEST_F(ChannelTableTest, FrequencyDecodeEndsOnAnyNibbles) {
    CChannelEntry& entry = table.EntryAt(CChannelPosition(CChannelPosition::kKindMemory, 0));
    for (int b0 = 0; b0 < 0xFF; b0 += 3) {
        for (int b1 = 0; b1 <= 0xFF; b1 += 7) {
            for (int b2 = 0; b2 <= 0xFF; ++b2) {
                WriteRecord(1, {static_cast<std::uint8_t>(b0), static_cast<std::uint8_t>(b1),
                                static_cast<std::uint8_t>(b2)});
                entry.Sync(SyncDirection::Decode, image);
                const long hz = entry.Hz();
                ASSERT_TRUE(hz % 5000 == 0 || hz % 12500 == 0) << b0 << " " << b1 << " " << b2;
                ASSERT_LE(hz, 1666669500);
            }
        }
    }
}

TEST_F(ChannelTableTest, EncodesARecord) {
    WriteRecord(1, {0xFF, 0x00, 0x00, 0x1F, 0x5A, ' ', ' ', ' ', ' ', ' ', ' ', ' ', 0xA5, 0xA5,
                    0xA5, 0xA5});
    DecodeAll();
    EXPECT_EQ(Cmd("CH.MCH.1.FREQUENCY=118.0125"), "118.012");
    EXPECT_EQ(Cmd("CH.MCH.1.TXINHIBIT=ON"), "ON");
    EXPECT_EQ(Cmd("CH.MCH.1.NAME=tower"), "TOWER  ");
    EncodeAll();
    // Bits 4-0 of the flags, byte +4 and bytes +12..+15 are not the engine's.
    EXPECT_EQ(ReadRecord(1, 16), (Bytes{0x11, 0x80, 0x12, 0xBF, 0x5A, 'T', 'O', 'W', 'E', 'R', ' ',
                                        ' ', 0xA5, 0xA5, 0xA5, 0xA5}));

    EXPECT_EQ(Cmd("CH.MCH.1.NAME= "), "       ");
    EXPECT_EQ(Cmd("CH.MCH.1.TXINHIBIT.ByNumber=0"), "0");
    EXPECT_EQ(Cmd("CH.MCH.1.CHLOCKOUT.ByNumber=1"), "1");
    EXPECT_EQ(Cmd("CH.MCH.1.FREQUENCY=136.975"), "136.975");
    EncodeAll();
    EXPECT_EQ(ReadRecord(1, 4), (Bytes{0x13, 0x69, 0x75, 0x5F})); // name bit 5 cleared
}

TEST_F(ChannelTableTest, EncodingNoFrequencyLeavesTheFrequencyBytes) {
    WriteRecord(7, {0xFF, 0x12, 0x34, 0x00});
    DecodeAll();
    EXPECT_EQ(Cmd(Ch(7, "APPEAR")), "OFF");
    Cmd(Ch(7, "NAME=X"));
    EncodeAll();
    EXPECT_EQ(ReadRecord(7, 6), (Bytes{0xFF, 0x12, 0x34, 0x20, 0x00, 'X'}));
}

TEST_F(ChannelTableTest, VfoTransmitInhibitIsTheCommonSetting) {
    DecodeAll();
    EXPECT_EQ(Cmd("CH.VFO.1.TXINHIBIT=ON"), "ON");
    EXPECT_EQ(Cmd("CH.VFO.1.FREQUENCY=121.5"), "121.500");
    EncodeAll();
    EXPECT_EQ(image.GetByte(0x053) & 0x80, 0x80);
    CCommonSettings fresh;
    fresh.Sync(SyncDirection::Decode, image);
    EXPECT_EQ(fresh.Handle("COMMON.VFOTX_INHIBIT"), "ENABLE");
}

TEST_F(ChannelTableTest, EncodeThenDecodeKeepsEveryChannel) {
    UseAll();
    Cmd(Ch(4, "TXINHIBIT=ON"));
    Cmd(Ch(9, "CHLOCKOUT=ON"));
    Cmd(Ch(12, "FREQUENCY=136.9875"));
    Cmd(Ch(13, "APPEAR=OFF"));
    Cmd("CH.VFO.1.FREQUENCY=118.0125");
    Cmd("CH.VFO.1.APPEAR=ON");
    std::vector<std::string> before;
    for (int n = 1; n <= 20; ++n)
        before.push_back(All(n));
    before.push_back(Cmd("CH.VFO.1.ALL"));
    EncodeAll();

    CClipboardSlot otherClipboard;
    CChannelTable other(plan, otherClipboard);
    for (int linear = 0; linear < CChannelTable::kEntryCount; ++linear)
        other.SyncEntry(other.EntryAt(linear).Position(), image);
    for (int n = 1; n <= 20; ++n) {
        CCommandText command(Ch(n, "ALL"));
        EXPECT_EQ(other.Handle(command), before[static_cast<std::size_t>(n - 1)]) << n;
    }
    CCommandText vfo("CH.VFO.1.ALL");
    EXPECT_EQ(other.Handle(vfo), before.back());
}

TEST_F(ChannelTableTest, HealClampsAndSnaps) {
    Use(3);
    EXPECT_EQ(Cmd(Ch(3, "FREQUENCY=150")), "150.000");
    EXPECT_EQ(Cmd(Ch(3, "ISLEGAL")), "NG");
    EXPECT_EQ(Cmd(Ch(3, "HEAL")), "OK");
    EXPECT_EQ(Cmd(Ch(3, "FREQUENCY")), "136.975");
    EXPECT_EQ(Cmd(Ch(3, "IsLegal")), "OK");

    settings.Handle("COMMON.CH_SPACING=8.33kHz");
    Cmd(Ch(3, "FREQUENCY=121.5"));
    EXPECT_EQ(Cmd(Ch(3, "heal")), "OK");
    EXPECT_EQ(Cmd(Ch(3, "FREQUENCY")), "121.505");

    EXPECT_EQ(Cmd(Ch(8, "ISLEGAL")), "NG"); // empty
    EXPECT_EQ(Cmd(Ch(8, "HEAL")), "OK");
    EXPECT_EQ(Cmd(Ch(8, "FREQUENCY")), "0.000");
}

TEST_F(ChannelTableTest, HealKeepsTheVfoAndChannelOneInUse) {
    Cmd("CH.MCH.1.APPEAR=OFF");
    Cmd("CH.MCH.1.NAME=KEEP");
    Cmd("CH.MCH.1.HEAL");
    EXPECT_EQ(Cmd("CH.MCH.1.APPEAR"), "ON");
    EXPECT_EQ(Cmd("CH.MCH.1.NAME"), "KEEP   ");
    Cmd("CH.VFO.1.HEAL");
    EXPECT_EQ(Cmd("CH.VFO.1.APPEAR"), "ON");

    Cmd(Ch(2, "NAME=GONE")); // an empty channel loses its name
    Cmd(Ch(2, "HEAL"));
    EXPECT_EQ(Cmd(Ch(2, "NAME")), "       ");
}

TEST_F(ChannelTableTest, HealWithSafetyUnsyncsAnIllegalEntry) {
    CChannelEntry& empty = table.EntryAt(4);
    ASSERT_TRUE(empty.Synced());
    empty.Heal(true);
    EXPECT_FALSE(empty.Synced());
    Use(5);
    CChannelEntry& used = table.EntryAt(5);
    used.Heal(true);
    EXPECT_TRUE(used.Synced());
    table.UnsyncAll();
    EXPECT_FALSE(table.EntryAt(0).Synced());
    EXPECT_FALSE(table.EntryAt(20).Synced());
}

TEST_F(ChannelTableTest, CommandTextContract) {
    struct Case {
        const char* command;
        const char* answer;
        const char* textAfter;
    };
    const Case cases[] = {
        {"CH.MCH.3.FREQUENCY", "0.000", ""},
        {"ch.mch.3.frequency.bynumber=121500000", "121500000", ""},
        {"CH.MCH.3.BOGUS=1", "", "BOGUS=1"},
        {"CH.MCH.3", "", ""},
        {"CH.MCH.21.FREQUENCY", "", "CH.MCH.21.FREQUENCY"},
        {"CH.MCH.0.FREQUENCY", "", "CH.MCH.0.FREQUENCY"},
        {"CH.VFO.2.FREQUENCY", "", "CH.VFO.2.FREQUENCY"},
        {"CH.NONE.1.FREQUENCY", "", "CH.NONE.1.FREQUENCY"},
        {"COMMON.BEEP", "", "COMMON.BEEP"},
        {"HEAL", "", "HEAL"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        CCommandText command(c.command);
        EXPECT_EQ(table.Handle(command), c.answer);
        EXPECT_EQ(command.Text(), c.textAfter);
    }
}

TEST_F(ChannelTableTest, QueryingAppearOfAnEmptyChannelDropsItsFrequency) {
    EXPECT_EQ(Cmd(Ch(4, "FREQUENCY=121.5")), "121.500");
    EXPECT_EQ(Cmd(Ch(4, "APPEAR")), "OFF");
    EXPECT_EQ(Cmd(Ch(4, "FREQUENCY")), "0.000");

    Cmd(Ch(4, "FREQUENCY=121.5"));
    EXPECT_EQ(Cmd(Ch(4, "APPEAR=on")), "ON");
    EXPECT_EQ(Cmd(Ch(4, "APPEAR.ByNumber")), "1");
    EXPECT_EQ(Cmd(Ch(4, "FREQUENCY")), "121.500");
    EXPECT_EQ(Cmd(Ch(4, "APPEAR.ByNumber=0")), "0");
    EXPECT_EQ(Cmd(Ch(4, "FREQUENCY")), "0.000");
}

TEST_F(ChannelTableTest, AllAnswersAndSetsEveryProperty) {
    Cmd(Ch(2, "FREQUENCY=121.5"));
    Cmd(Ch(2, "APPEAR=ON"));
    Cmd(Ch(2, "NAME=tower"));
    EXPECT_EQ(All(2), "APPEAR=ON\tFREQUENCY=121.500\tNAME=TOWER  \tTXINHIBIT=OFF\tCHLOCKOUT=OFF");

    // Fields apply in turn and stop at the first empty one.
    EXPECT_EQ(Cmd(Ch(6, "ALL=APPEAR=ON\tFREQUENCY=118.0125\tNAME=a=b\tTXINHIBIT=ON\t\tNAME=no")),
              "APPEAR=ON\tFREQUENCY=118.012\tNAME=A=B    \tTXINHIBIT=ON\tCHLOCKOUT=OFF");
    EXPECT_EQ(Cmd(Ch(6, "all=CHLOCKOUT.ByNumber=1\t")),
              "APPEAR=ON\tFREQUENCY=118.012\tNAME=A=B    \tTXINHIBIT=ON\tCHLOCKOUT=ON");

    // "ALL" nested in "ALL" does nothing, however deep it is written.
    std::string nested = Ch(6, "");
    for (int i = 0; i < 100000; ++i)
        nested += "ALL=";
    nested += "NAME=deep";
    EXPECT_EQ(Cmd(nested),
              "APPEAR=ON\tFREQUENCY=118.012\tNAME=A=B    \tTXINHIBIT=ON\tCHLOCKOUT=ON");
}

TEST_F(ChannelTableTest, ShiftingOperationsRefuseTheVfoAndChannelOne) {
    UseAll();
    for (const char* position : {"CH.VFO.1.", "CH.MCH.1.", "ch.vfo.1."}) {
        for (const char* op : {"DELETE", "DELETE.CHECK", "INSERT", "INSERT.CHECK", "CLEAR",
                               "CLEAR.CHECK", "Delete.Check"}) {
            SCOPED_TRACE(std::string(position) + op);
            EXPECT_EQ(Cmd(std::string(position) + op), "NG");
        }
    }
    EXPECT_EQ(All(1), "APPEAR=ON\tFREQUENCY=118.025\tNAME=CH1    \tTXINHIBIT=OFF\tCHLOCKOUT=OFF");
    EXPECT_EQ(All(2), "APPEAR=ON\tFREQUENCY=118.050\tNAME=CH2    \tTXINHIBIT=OFF\tCHLOCKOUT=OFF");
}

TEST_F(ChannelTableTest, InsertShiftsUpAndDropsChannelTwenty) {
    UseAll();
    Cmd(Ch(5, "TXINHIBIT=ON"));
    std::vector<std::string> before(21);
    for (int n = 1; n <= 20; ++n)
        before[static_cast<std::size_t>(n)] = All(n);

    EXPECT_EQ(Cmd(Ch(5, "INSERT.CHECK")), "WARNING"); // channel 20 is in use
    EXPECT_EQ(All(5), before[5]);
    EXPECT_EQ(Cmd(Ch(5, "insert")), "OK");
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(All(n), before[static_cast<std::size_t>(n)]) << n;
    // The opened slot is emptied by "APPEAR=OFF" and a heal: its flags stay.
    EXPECT_EQ(All(5), "APPEAR=OFF\tFREQUENCY=0.000\tNAME=       \tTXINHIBIT=ON\tCHLOCKOUT=OFF");
    for (int n = 6; n <= 20; ++n)
        EXPECT_EQ(All(n), before[static_cast<std::size_t>(n - 1)]) << n;

    EXPECT_EQ(Cmd(Ch(20, "INSERT.CHECK")), "WARNING"); // channel 20 now holds the old 19
    EXPECT_EQ(Cmd(Ch(20, "INSERT")), "OK");            // only empties channel 20
    EXPECT_EQ(All(19), before[18]);
    EXPECT_EQ(Cmd(Ch(5, "INSERT.CHECK")), "OK");
}

TEST_F(ChannelTableTest, DeleteShiftsDownAndEmptiesChannelTwenty) {
    UseAll();
    std::vector<std::string> before(21);
    for (int n = 1; n <= 20; ++n)
        before[static_cast<std::size_t>(n)] = All(n);

    EXPECT_EQ(Cmd(Ch(5, "DELETE.CHECK")), "WARNING");
    EXPECT_EQ(All(5), before[5]);
    EXPECT_EQ(Cmd(Ch(5, "DELETE")), "OK");
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(All(n), before[static_cast<std::size_t>(n)]) << n;
    for (int n = 5; n <= 19; ++n)
        EXPECT_EQ(All(n), before[static_cast<std::size_t>(n + 1)]) << n;
    EXPECT_EQ(All(20), Empty());
    EXPECT_EQ(Cmd(Ch(20, "DELETE.CHECK")), "OK");
    EXPECT_EQ(Cmd(Ch(20, "DELETE")), "OK");
    EXPECT_EQ(All(19), before[20]);
}

TEST_F(ChannelTableTest, Clear) {
    Use(3);
    const std::string three = All(3);
    EXPECT_EQ(Cmd(Ch(3, "CLEAR.CHECK")), "OK");
    EXPECT_EQ(All(3), three);
    EXPECT_EQ(Cmd(Ch(3, "Clear")), "OK");
    EXPECT_EQ(All(3), Empty());
    EXPECT_EQ(Cmd(Ch(3, "CLEAR")), "OK"); // already empty
}

TEST_F(ChannelTableTest, PasteNeedsACopy) {
    Use(5);
    EXPECT_EQ(Cmd(Ch(5, "PASTE")), "NG");
    EXPECT_EQ(Cmd(Ch(5, "PASTE.CHECK")), "NG");
    EXPECT_EQ(Cmd(Ch(3, "COPY.CHECK")), "OK"); // copies nothing
    EXPECT_EQ(Cmd(Ch(5, "PASTE")), "NG");
    EXPECT_TRUE(clipboard.IsEmpty());
}

TEST_F(ChannelTableTest, PastingAnEmptyChannel) {
    Use(5);
    EXPECT_EQ(Cmd(Ch(7, "COPY")), "OK"); // channel 7 is empty
    EXPECT_EQ(Cmd("CH.MCH.1.PASTE"), "NG");
    EXPECT_EQ(Cmd("CH.MCH.1.PASTE.CHECK"), "NG");
    EXPECT_EQ(Cmd("CH.VFO.1.PASTE"), "NG");
    EXPECT_EQ(Cmd(Ch(5, "PASTE.CHECK")), "WARNING");
    EXPECT_EQ(Cmd(Ch(6, "PASTE.CHECK")), "OK");
    EXPECT_EQ(Cmd(Ch(5, "PASTE")), "OK");
    EXPECT_EQ(All(5), Empty());
}

TEST_F(ChannelTableTest, PasteGivesWhatWasCopied) {
    Use(3);
    Cmd(Ch(3, "TXINHIBIT=ON"));
    Cmd(Ch(3, "CHLOCKOUT=ON"));
    const std::string three = All(3);
    EXPECT_EQ(Cmd(Ch(3, "copy")), "OK");
    Cmd(Ch(3, "NAME=CHANGED")); // the clipboard keeps its own copy
    EXPECT_EQ(Cmd(Ch(8, "PASTE")), "OK");
    EXPECT_EQ(All(8), three);
    EXPECT_EQ(Cmd("CH.VFO.1.PASTE"), "OK");
    EXPECT_EQ(Cmd("CH.VFO.1.ALL"), three);
    ASSERT_NE(clipboard.Entry(), nullptr);
    EXPECT_EQ(clipboard.Entry()->Position().ToText(), "CH.MCH.3");
}

TEST_F(ChannelTableTest, CopyHealsWhatItHolds) {
    Use(3);
    Cmd(Ch(3, "FREQUENCY=150"));
    Cmd(Ch(3, "COPY"));
    Cmd(Ch(9, "PASTE"));
    EXPECT_EQ(Cmd(Ch(9, "FREQUENCY")), "136.975");
}

TEST_F(ChannelTableTest, PositionsWithoutASlotGiveADetachedEntry) {
    const CMemoryImage before = image;
    for (CChannelEntry* entry : {&table.EntryAt(21), &table.EntryAt(-1),
                                 &table.EntryAt(CChannelPosition(CChannelPosition::kKindVfo, 3)),
                                 &table.EntryAt(CChannelPosition())}) {
        EXPECT_EQ(entry->Position().Kind(), CChannelPosition::kKindNone);
        entry->Handle("FREQUENCY=121.5");
        entry->Sync(SyncDirection::Encode, image);
    }
    EXPECT_TRUE(image.Equals(before));
    EXPECT_EQ(&table.EntryAt(CChannelPosition(CChannelPosition::kKindMemory, 19)),
              &table.EntryAt(20));
}

TEST(CClipboardSlot, KindsAndBinding) {
    CCommonSettings settings;
    CBandPlan plan;
    plan.SetSettings(&settings);
    plan.ResetRanges();
    CClipboardSlot clipboard;
    EXPECT_FALSE(clipboard.SetKind("MEMORY_CH")); // not bound yet
    {
        CChannelTable table(plan, clipboard);
        EXPECT_FALSE(clipboard.SetKind("bogus"));
        EXPECT_TRUE(clipboard.SetKind("memory_ch"));
        EXPECT_EQ(clipboard.Kind(), CClipboardSlot::kKindMemoryChannel);
        EXPECT_EQ(clipboard.Entry()->AppearText(), "OFF");
        EXPECT_TRUE(clipboard.SetKind("Empty"));
        EXPECT_TRUE(clipboard.IsEmpty());
        CCommandText copy("CH.MCH.4.COPY");
        EXPECT_EQ(table.Handle(copy), "OK");
        EXPECT_FALSE(clipboard.IsEmpty());
    }
    // The held entry referred to the table's lists: it goes with the table.
    EXPECT_TRUE(clipboard.IsEmpty());
    EXPECT_FALSE(clipboard.SetKind("MEMORY_CH"));
}

// Commands pieced together from command words, numbers, stray bytes and
// separators must never crash nor leave an entry outside its invariants.
TEST_F(ChannelTableTest, ArbitraryCommandsKeepTheEntriesSound) {
    const std::vector<std::string> pieces = {"CH",
                                             "ch",
                                             "MCH",
                                             "VFO",
                                             "NONE",
                                             "1",
                                             "20",
                                             "21",
                                             "0",
                                             "-1",
                                             "99999999999999999999",
                                             "ALL",
                                             "APPEAR",
                                             "FREQUENCY",
                                             "NAME",
                                             "TXINHIBIT",
                                             "CHLOCKOUT",
                                             "ByNumber",
                                             "HEAL",
                                             "COPY",
                                             "PASTE",
                                             "INSERT",
                                             "DELETE",
                                             "CLEAR",
                                             "CHECK",
                                             "ISLEGAL",
                                             "ON",
                                             "OFF",
                                             "1e300",
                                             "-1e300",
                                             "nan",
                                             "118.0125",
                                             "\xff",
                                             "\x80\xc3",
                                             ".",
                                             "=",
                                             "\t",
                                             " ",
                                             "",
                                             "COMMON",
                                             "BEEP"};
    std::uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int round = 0; round < 20000; ++round) {
        std::string command;
        const int count = static_cast<int>(next() % 12);
        for (int i = 0; i < count; ++i)
            command += pieces[next() % pieces.size()];
        Cmd(command);
        if (round % 1000 == 0)
            Cmd("CH.MCH." + std::to_string(1 + next() % 20) + ".ALL=" + command);
    }
    EncodeAll();
    for (int linear = 0; linear < CChannelTable::kEntryCount; ++linear) {
        const CChannelEntry& entry = table.EntryAt(linear);
        EXPECT_GE(entry.Hz(), 0);
        EXPECT_LE(entry.Hz(), 2000000000);
        EXPECT_EQ(entry.Name().size(), 7u);
        EXPECT_EQ(entry.Name().find_first_not_of(
                      " $%'()*+,-/0123456789<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`"),
                  std::string::npos);
    }
}

} // namespace kt
