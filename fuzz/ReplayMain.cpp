// Runs a fuzz target's entry on given files, or on every file of given
// folders, without the fuzzer: the corpora become regression tests of the
// ordinary and the sanitizer builds. A failed check aborts and a sanitizer
// report ends the program with its own exit code; either way the input that
// did it is named on stderr.
//
// Each input is handed over in a heap block of exactly its size, as
// libFuzzer does, so that the address sanitizer sees a read past its end.
// A path that does not exist or cannot be read, and a folder without a file,
// fail the run: a corpus that went missing must not pass as an empty one.

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
// Optional, as with libFuzzer.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) __attribute__((weak));
// Present when a sanitizer runtime is linked in; it calls back before it ends
// the program on a report. GCC links the undefined-behaviour sanitizer as a
// runtime of its own, which does not call that back: it calls
// __ubsan_on_report, below, on each of its reports instead.
extern "C" void __sanitizer_set_death_callback(void (*callback)()) __attribute__((weak));

namespace {
// The path of the input running now, for the handlers below.
const char* current = nullptr;

void NameCurrentInput() {
    if (current == nullptr)
        return;
    static const char kPrefix[] = "replay: failed on ";
    [[maybe_unused]] ssize_t n = write(STDERR_FILENO, kPrefix, sizeof kPrefix - 1);
    n = write(STDERR_FILENO, current, std::strlen(current));
    n = write(STDERR_FILENO, "\n", 1);
    current = nullptr;
}

extern "C" void OnFatalSignal(int signal) {
    NameCurrentInput();
    // The handler was reset on entry: the signal now ends the program.
    raise(signal);
}

void NameInputsOnFailure() {
    struct sigaction action {};
    action.sa_handler = OnFatalSignal;
    action.sa_flags = SA_RESETHAND | SA_NODEFER;
    sigaction(SIGABRT, &action, nullptr);
    if (__sanitizer_set_death_callback != nullptr) {
        // The sanitizers handle the other signals themselves, with a report.
        __sanitizer_set_death_callback(NameCurrentInput);
        return;
    }
    for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL})
        sigaction(signal, &action, nullptr);
}

bool ReadFile(const std::filesystem::path& path, std::vector<char>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool RunOne(const std::filesystem::path& path) {
    std::vector<char> bytes;
    if (!ReadFile(path, bytes)) {
        std::fprintf(stderr, "replay: cannot read %s\n", path.c_str());
        return false;
    }
    const std::size_t size = bytes.size();
    const std::unique_ptr<std::uint8_t[]> copy(new std::uint8_t[size]);
    std::copy(bytes.begin(), bytes.end(), copy.get());
    current = path.c_str();
    LLVMFuzzerTestOneInput(copy.get(), size);
    current = nullptr;
    return true;
}

// The files to run for one argument, sorted; false when there are none.
bool Inputs(const std::filesystem::path& given, std::vector<std::filesystem::path>& files) {
    std::error_code error;
    if (!std::filesystem::is_directory(given, error)) {
        if (!std::filesystem::is_regular_file(given, error)) {
            std::fprintf(stderr, "replay: no file or folder %s\n", given.c_str());
            return false;
        }
        files.push_back(given);
        return true;
    }
    std::filesystem::directory_iterator entries(given, error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error))
        if (entries->is_regular_file())
            files.push_back(entries->path());
    if (error) {
        std::fprintf(stderr, "replay: cannot list %s: %s\n", given.c_str(),
                     error.message().c_str());
        return false;
    }
    if (files.empty()) {
        std::fprintf(stderr, "replay: no input in %s\n", given.c_str());
        return false;
    }
    std::sort(files.begin(), files.end());
    return true;
}
} // namespace

extern "C" void __ubsan_on_report() {
    NameCurrentInput();
}

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE_OR_FOLDER...\n", argv[0]);
        return 2;
    }
    NameInputsOnFailure();
    if (LLVMFuzzerInitialize != nullptr)
        LLVMFuzzerInitialize(&argc, &argv);
    std::size_t count = 0;
    for (int i = 1; i < argc; ++i) {
        std::vector<std::filesystem::path> files;
        if (!Inputs(argv[i], files))
            return 1;
        for (const auto& file : files) {
            if (!RunOne(file))
                return 1;
            ++count;
        }
    }
    std::printf("%zu inputs run\n", count);
    return 0;
}
