#include "CFileFormatError.h"
#include "CM220Radio.h"
#include "CMemoryArchive.h"
#include "RecordingRadio.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace kt {

namespace {
std::string Save(CRadioData& radio) {
    CMemoryArchive out;
    radio.Serialize(out);
    return out.Bytes();
}

void Load(CRadioData& radio, const std::string& bytes) {
    CMemoryArchive in(bytes);
    radio.Serialize(in);
}

std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0, end;
    while ((end = bytes.find("\r\n", start)) != std::string::npos) {
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}
} // namespace

TEST(CRadioDataRig, NewDataSendsItsCommandsInOrder) {
    RecordingRadio radio;
    radio.commands.clear();
    radio.NewData();
    const std::string save = "FILE.SAVE.\"" + radio.TempPath() + "\"";
    EXPECT_EQ(radio.commands,
              (std::vector<std::string>{"INITIALIZE", save, save, "EDIT_FLAG=OFF"}));
    EXPECT_FALSE(radio.IsModified());
    EXPECT_EQ(radio.GetFrequency(1), "118.000");
}

TEST(CRadioDataRig, SaveThenOpenGivesTheSameBytesAndAnUnmodifiedDocument) {
    CM220Radio radio;
    radio.NewData();
    radio.SetFrequency(2, "121.5");
    radio.SetAppear(2, "ON");
    radio.SetName(2, "tower");
    radio.SetCloneComment("Club hangar");
    const std::string saved = Save(radio);
    EXPECT_FALSE(radio.IsModified());

    const auto lines = Lines(saved);
    ASSERT_EQ(lines.size(), 33u);
    EXPECT_EQ(lines[0], "22700100");
    EXPECT_EQ(lines[1], "#Club hangar     ");
    EXPECT_EQ(saved.substr(saved.size() - 2), "\r\n");

    CM220Radio other;
    other.NewData();
    Load(other, saved);
    EXPECT_FALSE(other.IsModified());
    EXPECT_EQ(other.GetName(2), "TOWER");
    EXPECT_EQ(Save(other), saved);
}

TEST(CRadioDataRig, OpenAcceptsLfLineEndsAndALastLineWithoutEnd) {
    CM220Radio radio;
    radio.NewData();
    radio.SetName(1, "HOME");
    std::string saved = Save(radio);
    std::string lf;
    for (char c : saved)
        if (c != '\r')
            lf += c;
    lf.pop_back(); // no line end after the last record

    CM220Radio other;
    other.NewData();
    Load(other, lf);
    EXPECT_EQ(other.GetName(1), "HOME");
    EXPECT_EQ(Save(other), saved);
}

TEST(CRadioDataRig, ModifiedFollowsTheEditFlag) {
    RecordingRadio radio;
    radio.NewData();
    radio.SetModified(false);
    EXPECT_FALSE(radio.IsModified());
    radio.SetName(1, "X");
    EXPECT_TRUE(radio.IsModified());
    radio.SetName(1, "");
    EXPECT_TRUE(radio.IsModified()); // stays set until cleared
    radio.commands.clear();
    radio.SetModified(2); // only 1 means true
    EXPECT_EQ(radio.commands, std::vector<std::string>{"EDIT_FLAG=OFF"});
    EXPECT_FALSE(radio.IsModified());
    radio.SetModified(1);
    EXPECT_TRUE(radio.IsModified());
}

TEST(CRadioDataRig, RejectedDocumentsLeaveTheContentsAsTheyWere) {
    CM220Radio radio;
    radio.NewData();
    radio.SetFrequency(3, "125.0");
    radio.SetAppear(3, "ON");
    const std::string before = Save(radio);
    std::string truncated = before.substr(0, before.size() - 20);
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"empty", ""},
        {"binary", std::string("\x00\xFF\xFE\x01garbage\x80", 12)},
        {"CR-only line ends", "22700100\r#\r0010102020202020202020202020202020202020\r"},
        {"1 MB line", "22700100\r\n" + std::string(1 << 20, 'A') + "\r\n"},
        {"stops in a record", truncated},
        {"wrong model", "12700100\r\n" + before.substr(10)},
        {"only a header", "22700100\r\n"},
    };
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        EXPECT_THROW(Load(radio, bytes), CFileFormatError);
        EXPECT_EQ(Save(radio), before);
    }
    try {
        Load(radio, "");
    } catch (const CFileFormatError& e) {
        EXPECT_STREQ(e.what(), "Unexpected file format.");
    }
}

TEST(CRadioDataRig, EachObjectHasItsOwnTemporaryFileAndRemovesIt) {
    std::string first, second;
    {
        CM220Radio a, b;
        first = a.TempPath();
        second = b.TempPath();
        EXPECT_NE(first, second);
        EXPECT_TRUE(std::filesystem::exists(first));
        EXPECT_EQ(std::filesystem::path(first).filename().string().rfind("cw", 0), 0u);
        EXPECT_EQ(std::filesystem::status(first).permissions() & std::filesystem::perms::all,
                  std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    }
    EXPECT_FALSE(std::filesystem::exists(first));
    EXPECT_FALSE(std::filesystem::exists(second));
}

TEST(CRadioDataRig, TemporaryFilesAvoidFoldersWhosePathBreaksAFileCommand) {
    TempDir dir;
    const auto unsafe = dir.Path() / "a\"b=c";
    std::filesystem::create_directory(unsafe);
    const char* old = std::getenv("TMPDIR");
    const std::string saved = old ? old : "";
    setenv("TMPDIR", unsafe.c_str(), 1);
    auto radio = std::make_unique<CM220Radio>();
    if (old)
        setenv("TMPDIR", saved.c_str(), 1);
    else
        unsetenv("TMPDIR");
    EXPECT_TRUE(CTempFile::IsSafeInCommand(radio->TempPath()));
    radio->NewData();
    radio->SetName(1, "SAFE");
    const std::string bytes = Save(*radio);
    EXPECT_NE(bytes.find("534146452020"), std::string::npos); // "SAFE  " in channel 1
}

TEST(CRadioDataRig, DataFilesWithDotsInTheirPath) {
    TempDir dir;
    const std::string path = dir.File("my.radio.v2.vkf");
    CM220Radio radio;
    radio.NewData();
    radio.SetName(5, "DOTS");
    radio.SetFrequency(5, "130.0");
    radio.SetAppear(5, "ON");
    radio.SaveDataFile(path);
    ASSERT_TRUE(std::filesystem::exists(path));

    CM220Radio other;
    other.NewData();
    other.LoadDataFile(path);
    EXPECT_EQ(other.GetName(5), "DOTS");
    EXPECT_FALSE(other.IsModified());
}

TEST(CRadioDataRig, PathsThatCannotBeQuotedAreNeverSent) {
    TempDir dir;
    RecordingRadio radio;
    radio.NewData();
    radio.commands.clear();
    const std::string evil = dir.File("x\".vkf");
    EXPECT_FALSE(radio.SaveFile(evil));
    EXPECT_FALSE(radio.LoadFile(evil));
    EXPECT_TRUE(radio.commands.empty());
}

TEST(CRadioDataRig, UnknownCommandsAnswerEmpty) {
    CM220Radio radio;
    EXPECT_EQ(radio.Command("NO.SUCH.THING"), "");
    EXPECT_EQ(radio.GetFrequency(21), ""); // the bare "FREQUENCY" is no command
}

TEST(CRadioDataRig, ALoadedDataFileThatIsRefusedChangesNothing) {
    TempDir dir;
    const std::string path = dir.File("clone.vkf");
    WriteFileBytes(path, "22700100\r\n#\r\n00101020202020202020202020202020202020\r\n");
    RecordingRadio radio;
    radio.NewData();
    radio.SetName(1, "KEEP");
    radio.commands.clear();
    EXPECT_FALSE(radio.LoadDataFile(path)); // records for 0x080-0x1FF are missing
    EXPECT_EQ(radio.commands, std::vector<std::string>{"FILE.LOAD.\"" + path + "\""});
    EXPECT_TRUE(radio.IsModified());
    EXPECT_EQ(radio.GetName(1), "KEEP");
    EXPECT_FALSE(radio.LoadDataFile(dir.File("missing.vkf")));
}

} // namespace kt
