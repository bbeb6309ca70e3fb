
#include "ChildProcess.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace kt {

// Broken data files: every file in tests/data/broken is named after the
// answer word the engine's FILE.LOAD gives for it. Each must be refused by
// "show" and "set" with that word, leaving the file byte for byte as it was
// and no temporary file behind; and a file of 100 MB must be refused (or
// read) without the program taking it into memory whole.

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A 100 MB file costs at most this much more memory than a small one.
constexpr long kMemoryBoundKb = 32 * 1024;
constexpr std::uintmax_t kHugeFileBytes = 100u * 1024 * 1024;

std::string Cli() {
    return ProgramPath("kt-m220-cli");
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::vector<fs::path> BrokenFiles() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(fs::path(KT_TEST_DATA_DIR) / "broken"))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// "FORMAT_ERROR-empty-line-inside.vkf" must be answered "FORMAT_ERROR".
std::string ExpectedAnswer(const fs::path& file) {
    const std::string name = file.filename().string();
    return name.substr(0, name.find('-'));
}

// What the engine's FILE.LOAD answers for path.
std::string EngineLoadAnswer(const std::string& path) {
    const ProcessResult r = RunProcess({Cli(), "engine"}, "FILE.LOAD.\"" + path + "\"\n");
    return r.out.substr(0, r.out.find('\n'));
}

// A private folder for one command's temporary files, which must be empty
// again when it ends.
struct Scratch {
    TempDir dir;
    ChildSetup setup = Setup(dir);
    bool Empty() const { return fs::is_empty(dir.Path()); }

    static ChildSetup Setup(const TempDir& dir) {
        ChildSetup setup;
        setup.environment = {"TMPDIR=" + dir.Path().string()};
        return setup;
    }
};

} // namespace

TEST(BrokenFiles, EachIsRefusedWithItsAnswerAndLeftAsItWas) {
    const std::vector<fs::path> files = BrokenFiles();
    ASSERT_GE(files.size(), 20u);
    for (const fs::path& original : files) {
        SCOPED_TRACE(original.filename().string());
        const std::string answer = ExpectedAnswer(original);
        TempDir dir;
        const std::string file = dir.File(original.filename().string());
        fs::copy_file(original, file);
        const std::string before = ReadFileBytes(file);

        EXPECT_EQ(EngineLoadAnswer(file), answer);
        for (const char* command : {"show", "set"}) {
            SCOPED_TRACE(command);
            Scratch scratch;
            std::vector<std::string> argv{Cli(), command, file};
            if (std::string(command) == "set")
                argv.push_back("CH.MCH.2.NAME=CHANGED");
            const ChildResult r = RunChild(argv, scratch.setup);
            EXPECT_EQ(r.status, 3) << r.out << r.err;
            EXPECT_TRUE(Contains(r.err, "(" + answer + ")")) << r.err;
            EXPECT_TRUE(r.out.empty()) << r.out;
            EXPECT_EQ(ReadFileBytes(file), before);
            EXPECT_TRUE(scratch.Empty());
            // Nothing was written beside the file either.
            EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()),
                      1);
        }
    }
}

TEST(BrokenFiles, WhatCannotBeOpenedIsRefused) {
    TempDir dir;
    const std::string missing = dir.File("missing.vkf");
    const std::string folder = dir.File("folder.vkf");
    fs::create_directory(folder);
    const std::string fifo = dir.File("fifo.vkf");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);

    EXPECT_EQ(EngineLoadAnswer(missing), "CANNOT_OPEN_FILE");
    EXPECT_EQ(EngineLoadAnswer(folder), "CANNOT_OPEN_FILE");
    for (const std::string& path : {missing, folder, fifo}) {
        SCOPED_TRACE(path);
        for (const char* command : {"show", "set"}) {
            Scratch scratch;
            std::vector<std::string> argv{Cli(), command, path};
            if (std::string(command) == "set")
                argv.push_back("CH.MCH.2.NAME=CHANGED");
            const ChildResult r = RunChild(argv, scratch.setup);
            EXPECT_EQ(r.status, 3) << r.err;
            EXPECT_TRUE(scratch.Empty());
        }
    }
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST(BrokenFiles, AHundredMegabyteFileIsNeverTakenIntoMemoryWhole) {
    TempDir dir;
    const std::string good = dir.File("good.vkf");
    ASSERT_EQ(RunChild({Cli(), "new", "-o", good}).status, 0);
    const std::string goodBytes = ReadFileBytes(good);
    const std::string records = goodBytes.substr(goodBytes.find("\r\n0010"));

    // A data file whose comment line is 100 MB long: the engine reads past
    // it line by line and takes the records after it.
    const std::string longComment = dir.File("long-comment.vkf");
    {
        std::ofstream out(longComment, std::ios::binary);
        out << "22700100\r\n#";
        const std::string block(1 << 20, 'x');
        for (std::uintmax_t written = 0; written < kHugeFileBytes; written += block.size())
            out << block;
        out << records;
    }
    // 100 MB of zero bytes (a sparse file).
    const std::string zeros = dir.File("zeros.vkf");
    { std::ofstream out(zeros, std::ios::binary); }
    fs::resize_file(zeros, kHugeFileBytes);

    const ChildResult small = RunChild({Cli(), "show", good});
    ASSERT_EQ(small.status, 0);
    for (const std::string& path : {longComment, zeros}) {
        SCOPED_TRACE(path);
        const std::uintmax_t size = fs::file_size(path);
        const fs::file_time_type time = fs::last_write_time(path);
        for (const char* command : {"show", "set"}) {
            SCOPED_TRACE(command);
            Scratch scratch;
            std::vector<std::string> argv{Cli(), command, path};
            if (std::string(command) == "set")
                argv.push_back("CH.MCH.2.NAME=CHANGED");
            const Clock::time_point start = Clock::now();
            const ChildResult r = RunChild(argv, scratch.setup);
            EXPECT_LT(std::chrono::duration<double>(Clock::now() - start).count(), 10.0);
            // The command line takes no document of more than 16 MB.
            EXPECT_EQ(r.status, 3);
            EXPECT_TRUE(Contains(r.err, "(FORMAT_ERROR)")) << r.err;
            EXPECT_LT(r.maxResidentKb, small.maxResidentKb + kMemoryBoundKb);
            EXPECT_TRUE(scratch.Empty());
            EXPECT_EQ(fs::file_size(path), size);
            EXPECT_EQ(fs::last_write_time(path), time);
        }
    }

    // The engine itself reads a file of any size with memory for one line.
    const auto engineLoad = [&](const std::string& path) {
        const std::string commands = dir.File("commands.txt");
        WriteFileBytes(commands, "FILE.LOAD.\"" + path + "\"\nCH.MCH.1.FREQUENCY\n");
        ChildSetup setup;
        setup.standardInput = commands;
        return RunChild({Cli(), "engine"}, setup);
    };
    const ChildResult baseline = engineLoad(good);
    ASSERT_EQ(baseline.out, "OK\n118.000\n");
    const Clock::time_point start = Clock::now();
    const ChildResult comment = engineLoad(longComment);
    EXPECT_LT(std::chrono::duration<double>(Clock::now() - start).count(), 10.0);
    EXPECT_EQ(comment.out, "OK\n118.000\n");
    EXPECT_LT(comment.maxResidentKb, baseline.maxResidentKb + kMemoryBoundKb);
    const ChildResult zeroBytes = engineLoad(zeros);
    EXPECT_EQ(zeroBytes.out, "FORMAT_ERROR\n0.000\n");
    EXPECT_LT(zeroBytes.maxResidentKb, baseline.maxResidentKb + kMemoryBoundKb);
}

} // namespace kt
