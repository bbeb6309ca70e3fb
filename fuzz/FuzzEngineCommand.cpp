
#include "CRigEngine.h"
#include "FuzzDataFiles.h"
#include "FuzzSandbox.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unordered_set>

using namespace kt;

// The engine's command entry with any text. The input is cut at LF into up
// to 64 commands sent one after another to one engine, so that a value set
// by one command is seen by the next. Afterwards the image must save, and the
// saved file must load into another engine and save the same data again
// (FuzzDataFiles::CheckRoundTrip): whatever the commands did, the data file
// stays sound.
//
// File commands may name paths: every path is kept inside a private folder
// ('/' becomes '_', and the folder is put after every double quote).

namespace {
constexpr std::size_t kMaxCommands = 64;
constexpr std::size_t kCheckedImages = 4096;

std::string Confined(std::string_view command) {
    std::string text;
    text.reserve(command.size() + 32);
    for (char c : command) {
        if (c == '/') {
            text += '_';
        } else {
            text += c;
            if (c == '"')
                text += FuzzSandbox::Folder() + "/";
        }
    }
    return text;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const bool namesFiles = input.find('"') != std::string_view::npos;

    CRigEngine engine;
    std::size_t start = 0;
    for (std::size_t n = 0; n < kMaxCommands && start <= input.size(); ++n) {
        std::size_t end = input.find('\n', start);
        if (end == std::string_view::npos)
            end = input.size();
        engine.Command(Confined(input.substr(start, end - start)));
        start = end + 1;
    }

    const std::string saved = FuzzDataFiles::Save(engine, FuzzSandbox::File("first"));
    // Most inputs leave one of a few images; each is checked once. A load
    // decides everything the reader saves, so one reader serves every input.
    static std::unordered_set<std::string> checked;
    if (checked.count(saved) == 0) {
        static CRigEngine reader;
        FuzzDataFiles::CheckRoundTrip(reader, saved, FuzzSandbox::File("second"));
        if (checked.size() >= kCheckedImages)
            checked.clear();
        checked.insert(saved);
    }
    if (namesFiles)
        FuzzSandbox::Clear();
    return 0;
}
