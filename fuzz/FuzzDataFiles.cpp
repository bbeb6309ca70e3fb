#include "FuzzDataFiles.h"

#include "CRigEngine.h"
#include "FuzzSandbox.h"

#include <cstdio>
#include <cstdlib>

namespace kt {

namespace {
[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "kt-fuzz: %s\n", what.c_str());
    std::abort();
}

// The record lines of the VFO and of memory channel 1 begin with these; their
// next six characters are the frequency.
constexpr const char* kNeverEmptyRecords[] = {"\r\n005010", "\r\n006010"};
constexpr std::size_t kFrequencyDigits = 6;

std::string WithoutNeverEmptyFrequencies(std::string file) {
    for (const char* head : kNeverEmptyRecords) {
        const std::size_t at = file.find(head);
        if (at != std::string::npos)
            file.replace(at + 8, kFrequencyDigits, kFrequencyDigits, '-');
    }
    return file;
}

std::string LoadAndSave(CRigEngine& reader, const std::string& path) {
    const std::string loaded = reader.Command("FILE.LOAD.\"" + path + "\"");
    if (loaded != "OK")
        Fail("a saved file loads with " + loaded);
    return FuzzDataFiles::Save(reader, path);
}
} // namespace

namespace FuzzDataFiles {
std::string Save(CRigEngine& engine, const std::string& path) {
    if (engine.Command("FILE.SAVE.\"" + path + "\"") != "OK")
        Fail("the engine cannot save its image");
    std::string bytes;
    if (!FuzzSandbox::ReadBytes(path, bytes))
        Fail("cannot read a saved file back");
    return bytes;
}

void CheckRoundTrip(CRigEngine& reader, const std::string& saved, const std::string& path) {
    if (!FuzzSandbox::WriteBytes(path, saved))
        Fail("cannot write a file");
    const std::string again = LoadAndSave(reader, path);
    if (WithoutNeverEmptyFrequencies(again) != WithoutNeverEmptyFrequencies(saved))
        Fail("a saved file, loaded and saved again, changed");
    if (again != saved && LoadAndSave(reader, path) != again)
        Fail("a saved file changes every time it is loaded and saved");
}
} // namespace FuzzDataFiles

} // namespace kt
