#include "CImageStore.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kt {

namespace {
bool Row(const SimImage& image, std::size_t address, std::initializer_list<int> bytes) {
    std::size_t a = address;
    for (int b : bytes)
        if (image[a++] != b)
            return false;
    return true;
}
} // namespace

TEST(CImageStoreTest, StartsFromTheDefaultImageOfTheEngine) {
    CImageStore store;
    SimImage image{};
    image.fill(0x55);
    std::string error;
    ASSERT_TRUE(store.Initialize(image, error)) << error;

    EXPECT_TRUE(Row(image, 0x000, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(Row(image, 0x010,
                    {0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20,
                     0x20, 0x20, 0x20}));
    EXPECT_TRUE(Row(image, 0x060, {0x11, 0x80, 0, 0, 0, 0x20, 0x20, 0x20}));
    EXPECT_TRUE(
        Row(image, 0x1F0, {0, 0, 0, 0, 0, 0, 0, 0, 'V', 'e', 'l', 'k', ' ', 'I', 'n', 'c'}));
}

TEST(CImageStoreTest, SavedFilesLoadAgainAndReplaceTheOldFileWholly) {
    TempDir dir;
    const std::string path = dir.File("radio.vkf");
    CImageStore store;
    SimImage image{};
    std::string error;
    ASSERT_TRUE(store.Initialize(image, error)) << error;

    const std::string comment = "SAVED BY THE SIM";
    std::copy(comment.begin(), comment.end(), image.begin() + kSimCommentAddress);
    WriteFileBytes(path, "an old file that is much longer than nothing at all\n");
    ASSERT_TRUE(store.Save(path, image, error)) << error;

    const std::string text = ReadFileBytes(path);
    EXPECT_TRUE(text.starts_with("22700100\r\n#" + comment + "\r\n")) << text.substr(0, 40);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1)
        << "no temporary file is left beside it";

    SimImage loaded{};
    CImageStore other;
    ASSERT_TRUE(other.Load(path, loaded, error)) << error;
    EXPECT_EQ(loaded, image);
}

TEST(CImageStoreTest, FilesTheEngineRefusesAreReportedWithItsAnswer) {
    TempDir dir;
    CImageStore store;
    SimImage image{};
    std::string error;
    struct Case {
        const char* name;
        std::string path;
        const char* word;
    };
    const std::string broken = dir.File("broken.vkf");
    WriteFileBytes(broken, "22700101\r\n");
    const Case cases[] = {
        {"missing", dir.File("none.vkf"), "CANNOT_OPEN_FILE"},
        {"another revision", broken, "MISMATCH_REVISION"},
        {"a quote in the path", dir.File("a\"b.vkf"), "\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(store.Load(c.path, image, error));
        EXPECT_NE(error.find(c.word), std::string::npos) << error;
    }
    EXPECT_FALSE(store.Save(dir.File("no/such/folder.vkf"), image, error));
    // Saving goes through the atomic replace, not an engine command, so any
    // path the system takes will do.
    EXPECT_TRUE(store.Save(dir.File("x=y.vkf"), image, error)) << error;
}

} // namespace kt
