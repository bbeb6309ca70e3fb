#include "CImageStore.h"

#include "AtomicReplace.h"
#include "CTempFile.h"
#include "ReadWholeFile.h"

#include <CHexRecord.h>
#include <CRigEngine.h>
#include <DataFileHeader.h>
#include <DefaultImage.h>

#include <cerrno>
#include <cstring>
#include <string_view>
#include <utility>

namespace kt {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
// The engine's data files are about 1.2 kB.
constexpr std::size_t kMaxFileBytes = 64 * 1024;

// A data file holding image: the header, an empty comment line, then the
// records of the saved region in the engine's own record format.
std::string Compose(const SimImage& image) {
    CMemoryImage memory(kImageSize);
    memory.Write(0, image.data(), image.size());
    std::string text = DataFileHeaderLine();
    text += kLineEnd;
    text += "#";
    text += kLineEnd;
    CHexRecord record;
    for (std::uint32_t address = kSimFirstRecord; address < kImageSize;
         address += kSimRecordLength) {
        record.Prepare(memory, address, kSimRecordLength);
        record.ReadFromImage();
        text += record.Format();
        text += kLineEnd;
    }
    return text;
}

// The image a data file the engine wrote holds: its records through the
// engine's record parser, over the bytes the image had.
bool Parse(std::string_view text, SimImage& image, std::string& error) {
    CMemoryImage memory(kImageSize);
    memory.Write(0, image.data(), image.size());
    CHexRecord record;
    record.Bind(memory);
    bool header = true;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (std::exchange(header, false) || (!line.empty() && line.front() == '#'))
            continue;
        const std::string answer = record.Parse(line);
        if (answer != "OK") {
            error = "a record line answers " + answer;
            return false;
        }
        record.WriteToImage();
    }
    if (!record.IsComplete()) {
        error = "the records leave part of the image out";
        return false;
    }
    std::memcpy(image.data(), memory.Data(), image.size());
    return true;
}

} // namespace

CImageStore::CImageStore() : engine_(std::make_unique<CRigEngine>()) {}
CImageStore::~CImageStore() = default;

bool CImageStore::FileCommand(const std::string& verb, const std::string& path,
                              std::string& error) {
    // The engine takes the path between double quotes, and its command key
    // ends at the first "=".
    if (path.find_first_of("\"=") != std::string::npos) {
        error = "a path with \" or = in it cannot be given to the engine: " + path;
        return false;
    }
    const std::string answer = engine_->Command("FILE." + verb + ".\"" + path + "\"");
    if (answer == "OK")
        return true;
    error = "FILE." + verb + " of " + path + " answers " +
            (answer.empty() ? std::string("nothing") : answer);
    return false;
}

bool CImageStore::SavedText(std::string& text, std::string& error) {
    CTempFile file("kt-sim-");
    if (!file.IsValid()) {
        error = "cannot make a temporary file: " + std::string(std::strerror(errno));
        return false;
    }
    if (!FileCommand("SAVE", file.Path(), error))
        return false;
    const CReadResult read = ReadWholeFile(file.Path(), kMaxFileBytes, text);
    if (!read.Ok()) {
        error = "cannot read the engine's file " + file.Path();
        return false;
    }
    return true;
}

bool CImageStore::Capture(SimImage& image, std::string& error) {
    std::string text;
    if (!SavedText(text, error))
        return false;
    // Bytes 0x000-0x00F never travel in a data file; they start as 0.
    SimImage captured{};
    if (!Parse(text, captured, error)) {
        error = "the engine's file: " + error;
        return false;
    }
    image = captured;
    return true;
}

bool CImageStore::Initialize(SimImage& image, std::string& error) {
    const std::string answer = engine_->Command("INITIALIZE");
    if (answer != "OK") {
        error = "INITIALIZE answers " + (answer.empty() ? std::string("nothing") : answer);
        return false;
    }
    return Capture(image, error);
}

bool CImageStore::Load(const std::string& path, SimImage& image, std::string& error) {
    return FileCommand("LOAD", path, error) && Capture(image, error);
}

bool CImageStore::Save(const std::string& path, const SimImage& image, std::string& error) {
    CTempFile input("kt-sim-");
    if (!input.IsValid()) {
        error = "cannot make a temporary file: " + std::string(std::strerror(errno));
        return false;
    }
    if (AtomicReplace(input.Path(), Compose(image)).step != CReplaceResult::Step::Done) {
        error = "cannot write the temporary file " + input.Path();
        return false;
    }
    std::string text;
    if (!FileCommand("LOAD", input.Path(), error) || !SavedText(text, error))
        return false;
    const CReplaceResult replaced = AtomicReplace(path, text);
    if (!replaced.Ok()) {
        error = "cannot replace " + path + ": " + replaced.Reason();
        return false;
    }
    return true;
}

} // namespace kt
