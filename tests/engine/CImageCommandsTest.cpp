#include "CRigEngine.h"
#include "DefaultImage.h"
#include "EngineProbe.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

namespace kt {

namespace {
const std::string kGoldenDefault = KT_TEST_DATA_DIR "/default.vkf";

TEST(DefaultImage, HoldsWhatNoFileCarriesAsWell) {
    const CMemoryImage& image = DefaultImage();
    ASSERT_EQ(image.Size(), 512u);
    std::vector<std::uint8_t> bytes(image.Data(), image.Data() + image.Size());
    EXPECT_EQ(HexBytes(bytes, 0x000, 0x00F), "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
    // The VFO's name bytes are zero; a heal writes its blank name over them.
    EXPECT_EQ(HexBytes(bytes, 0x050, 0x05F), "11 80 00 80 00 00 00 00 00 00 00 00 00 00 00 00");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.Data()) + kMakerTextAddress, 8),
              "Velk Inc");
}

TEST(CImageCommandsSave, DefaultImageSavesAsTheGoldenFile) {
    CRigEngine engine;
    ASSERT_EQ(engine.Command("INITIALIZE"), "OK");
    const std::string saved = SavedFile(engine);
    EXPECT_EQ(saved, ReadFileBytes(kGoldenDefault));

    // 33 lines, each ending in CR LF, and no bare LF or empty line anywhere.
    std::size_t lines = 0;
    for (std::size_t i = 0; i < saved.size(); ++i)
        if (saved[i] == '\n') {
            ++lines;
            EXPECT_EQ(saved[i - 1], '\r');
        }
    EXPECT_EQ(lines, 33u);
    EXPECT_EQ(saved.find("\r\n\r\n"), std::string::npos);
    EXPECT_EQ(saved.substr(saved.size() - 2), "\r\n");
}

TEST(CImageCommandsSave, SavedFileLoadsBackToTheSameImage) {
    TempDir dir;
    const std::string path = dir.File("round.trip.vkf");
    CRigEngine first;
    first.Command("INITIALIZE");
    for (const char* command :
         {"CH.MCH.4.FREQUENCY=127.35", "CH.MCH.4.APPEAR=ON", "CH.MCH.4.NAME=abc-1",
          "CH.MCH.4.TXINHIBIT=ON", "CH.MCH.1.CHLOCKOUT=ON", "COMMON.BEEP=OFF",
          "COMMON.CH_SPACING=8.33kHz", "COMMON.PRIOCH=4", "COMMON.OPENING_TEXT=hello",
          "COMMON.CLONE_COMMENT=Tower set"})
        first.Command(command);
    ASSERT_EQ(first.Command(SaveCommand(path)), "OK");
    const std::string saved = ReadFileBytes(path);
    EXPECT_EQ(saved.substr(0, 29), "22700100\r\n#Tower set       \r\n");

    CRigEngine second;
    second.Command("INITIALIZE");
    ASSERT_EQ(second.Command(LoadCommand(path)), "OK");
    EXPECT_EQ(SavedFile(second), saved);
    EXPECT_EQ(second.Command("CH.MCH.4.ALL"), first.Command("CH.MCH.4.ALL"));
    EXPECT_EQ(second.Command("COMMON.PRIOCH"), "4");

    // The golden file loads into any engine and saves as itself.
    ASSERT_EQ(second.Command(LoadCommand(kGoldenDefault)), "OK");
    EXPECT_EQ(SavedFile(second), ReadFileBytes(kGoldenDefault));
}

TEST(CImageCommandsSave, CommentWithLineBreaksStillGivesALoadableFile) {
    TempDir dir;
    const std::string path = dir.File("comment.vkf");
    CRigEngine engine;
    engine.Command("INITIALIZE");
    engine.Command("COMMON.CLONE_COMMENT=one\ntwo\rthree");
    ASSERT_EQ(engine.Command(SaveCommand(path)), "OK");
    const std::string saved = ReadFileBytes(path);
    EXPECT_EQ(saved.substr(0, 29), "22700100\r\n#one two three   \r\n");
    CRigEngine other;
    EXPECT_EQ(other.Command(LoadCommand(path)), "OK");
    EXPECT_EQ(other.Command("COMMON.CLONE_COMMENT"), "one\ntwo\rthree   "); // the image keeps them
}

TEST(CImageCommandsSave, PathsMayHoldDotsAndTheWordsAnyCase) {
    TempDir dir;
    std::filesystem::create_directories(dir.Path() / "a.b" / "c.d.e");
    const std::string path = (dir.Path() / "a.b" / "c.d.e" / "my.file.v1.vkf").string();
    CRigEngine engine;
    engine.Command("initialize");
    EXPECT_EQ(engine.Command("file.save.\"" + path + "\""), "OK");
    EXPECT_EQ(ReadFileBytes(path), ReadFileBytes(kGoldenDefault));
    EXPECT_EQ(engine.Command("File.Load.\"" + path + "\""), "OK");
    EXPECT_EQ(engine.Command("fIlE.sAvE.wITHsafety.\"" + path + "\""), "OK");
    EXPECT_EQ(ReadFileBytes(path), ReadFileBytes(kGoldenDefault));
    // Text after the closing quote is no part of the path.
    EXPECT_EQ(engine.Command(SaveCommand(path) + "ignored.txt"), "OK");
    EXPECT_FALSE(std::filesystem::exists(path + "ignored.txt"));
    EXPECT_EQ(engine.Command("FILE.SAVE.\"" + path + "=x\""), "OK"); // the key ends at "="
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(engine.Command("FILE.COPY.\"" + path + "\""), "");
}

TEST(CImageCommandsSave, FailureToWriteIsNeverOk) {
    TempDir dir;
    CRigEngine engine;
    engine.Command("INITIALIZE");
    engine.Command("CH.MCH.1.NAME=KEEP");
    const std::string before = SavedFile(engine);

    const std::string fifo = dir.File("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::vector<std::string> paths = {
        dir.File("no/such/folder/x.vkf"),          dir.Path().string(), "", fifo, "/dev/full",
        dir.File("x") + std::string(1, '\0') + "y"};
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        if (path == "/dev/full" && access("/dev/full", W_OK) != 0)
            continue;
        EXPECT_EQ(engine.Command(SaveCommand(path)), "CANNOT_OPEN_FILE");
        EXPECT_EQ(engine.Command(SafetySaveCommand(path)), "CANNOT_OPEN_FILE");
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("x")));
    EXPECT_EQ(engine.Command("FILE.SAVE."), "CANNOT_OPEN_FILE");
    EXPECT_EQ(SavedFile(engine), before);
}

TEST(CImageCommandsSave, SafetySaveResetsIllegalChannelsInTheFileOnly) {
    TempDir dir;
    const std::string plain = dir.File("plain.vkf");
    const std::string safe = dir.File("safe.vkf");
    CRigEngine engine;
    engine.Command("INITIALIZE");
    engine.Command("CH.MCH.1.NAME=FIRST");
    engine.Command("CH.MCH.1.APPEAR=OFF"); // channel 1 keeps appearing without a frequency
    engine.Command("CH.MCH.3.FREQUENCY=120");
    engine.Command("CH.MCH.3.APPEAR=ON");
    EXPECT_EQ(engine.Command("HEAL"), "OK");
    EXPECT_EQ(engine.Command("CH.MCH.1.ISLEGAL"), "NG");

    ASSERT_EQ(engine.Command(SaveCommand(plain)), "OK");
    ASSERT_EQ(engine.Command(SafetySaveCommand(safe)), "OK");
    const std::vector<std::uint8_t> plainImage = ImageOfDataFile(ReadFileBytes(plain));
    const std::vector<std::uint8_t> safeImage = ImageOfDataFile(ReadFileBytes(safe));
    EXPECT_EQ(HexBytes(plainImage, 0x060, 0x06B), "11 80 00 20 00 46 49 52 53 54 20 20");
    EXPECT_EQ(HexBytes(safeImage, 0x060, 0x06B), "11 80 00 00 00 20 20 20 20 20 20 20");
    EXPECT_EQ(HexBytes(safeImage, 0x080, 0x082), "12 00 00");
    EXPECT_EQ(HexBytes(safeImage, 0x070, 0x1FF), HexBytes(plainImage, 0x070, 0x1FF));

    // The working image itself is put back after the safety save: a load of
    // 0x080 - 0x1FF alone decodes channel 1 from it.
    std::vector<std::string> tail = DefaultFileLines();
    tail.erase(tail.begin() + 2, tail.begin() + 2 + (0x080 - 0x010) / 16);
    const std::string tailPath = dir.File("tail.vkf");
    WriteFileBytes(tailPath, JoinCrLf(tail));
    ASSERT_EQ(engine.Command(LoadCommand(tailPath)), "OK");
    EXPECT_EQ(engine.Command("CH.MCH.1.NAME"), "FIRST  ");
}

TEST(CImageCommands, EditFlagLifeCycle) {
    CRigEngine engine;
    EXPECT_EQ(engine.Command("EDIT_FLAG"), "OFF"); // the constructor took a snapshot
    EXPECT_EQ(engine.Command("INITIALIZE"), "OK");
    EXPECT_EQ(engine.Command("EDIT_FLAG"), "ON"); // the snapshot was of the zero-filled image
    EXPECT_EQ(engine.Command("EDIT_FLAG=OFF"), "OFF");
    EXPECT_EQ(engine.Command("EDIT_FLAG"), "OFF");
    EXPECT_EQ(engine.Command("EDIT_FLAG=maybe"), "OFF");

    // A command that changes nothing in the image leaves the flag clear.
    engine.Command("CH.MCH.1.FREQUENCY=118.000");
    EXPECT_EQ(engine.Command("EDIT_FLAG"), "OFF");

    engine.Command("CH.MCH.6.FREQUENCY=119.1");
    engine.Command("CH.MCH.6.APPEAR=ON");
    EXPECT_EQ(engine.Command("EDIT_FLAG"), "ON");
    engine.Command("CH.MCH.6.APPEAR=OFF"); // undone, but the flag stays
    EXPECT_EQ(engine.Command("EDIT_FLAG"), "ON");
    EXPECT_EQ(engine.Command("edit_flag=off"), "OFF");
    EXPECT_EQ(engine.Command("Edit_Flag=on"), "ON");
    EXPECT_EQ(engine.Command("EDIT_FLAG"), "ON");
    EXPECT_EQ(engine.Command("EDIT_FLAG=OFF=ON"), "OFF"); // the value ends at a second "="

    // A load that brings the same image changes nothing; another image does.
    TempDir dir;
    const std::string path = dir.File("same.vkf");
    ASSERT_EQ(engine.Command(SaveCommand(path)), "OK");
    ASSERT_EQ(engine.Command(LoadCommand(path)), "OK");
    EXPECT_EQ(engine.Command("EDIT_FLAG"), "OFF");
    engine.Command("COMMON.BEEP=OFF");
    ASSERT_EQ(engine.Command(SaveCommand(path)), "OK");
    engine.Command("COMMON.BEEP=ON");
    EXPECT_EQ(engine.Command("EDIT_FLAG=OFF"), "OFF");
    ASSERT_EQ(engine.Command(LoadCommand(path)), "OK");
    EXPECT_EQ(engine.Command("EDIT_FLAG"), "ON");
}

TEST(CImageCommands, HealAndInitializeAnswerOkWhateverFollows) {
    CRigEngine engine;
    for (const char* command : {"HEAL", "heal", "Heal", "HEAL=1", "HEAL.anything", "INITIALIZE",
                                "initialize", "Initialize.x=y"}) {
        SCOPED_TRACE(command);
        EXPECT_EQ(engine.Command(command), "OK");
    }
    EXPECT_EQ(engine.Command("HEALS"), "");
    EXPECT_EQ(engine.Command(".HEAL"), "");
}

TEST(CImageCommands, InitializeBringsBackTheDefaultImage) {
    CRigEngine engine;
    engine.Command("INITIALIZE");
    engine.Command("CH.MCH.2.FREQUENCY=121.5");
    engine.Command("CH.MCH.2.APPEAR=ON");
    engine.Command("COMMON.OPENING_TEXT=HELLO");
    engine.Command("HEAL");
    EXPECT_EQ(engine.Command("INITIALIZE"), "OK");
    EXPECT_EQ(engine.Command("CH.MCH.2.APPEAR"), "OFF");
    EXPECT_EQ(engine.Command("COMMON.OPENING_TEXT"), std::string(7, '\xFF'));
    EXPECT_EQ(SavedFile(engine), ReadFileBytes(kGoldenDefault));
}

TEST(CImageCommands, HealResetsBytesThatNothingEncodes) {
    // A file may carry anything in the bytes that no setting or channel uses.
    std::vector<std::string> lines = DefaultFileLines();
    lines[3] = "002010" + std::string(32, 'E');                        // 0x020 - 0x02F
    lines[2 + (0x1A0 - 0x010) / 16] = "01A010" + std::string(32, '7'); // 0x1A0 - 0x1AF
    TempDir dir;
    const std::string path = dir.File("odd.vkf");
    WriteFileBytes(path, JoinCrLf(lines));
    CRigEngine engine;
    ASSERT_EQ(engine.Command(LoadCommand(path)), "OK");
    EXPECT_EQ(SavedFile(engine), ReadFileBytes(kGoldenDefault));
}
} // namespace

} // namespace kt
