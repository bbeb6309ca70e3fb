#include "CRadioData.h"

#include "CFileDescriptor.h"
#include "CFileFormatError.h"
#include "IArchive.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kt {

namespace {

[[noreturn]] void ThrowTempError(const char* what) {
    throw CFileFormatError(std::string(what) + ": " + std::strerror(errno));
}

constexpr std::size_t kChunk = 64 * 1024;
} // namespace

CRadioData::CRadioData() : temp_("cw") {}

CRadioData::~CRadioData() = default; // the temporary file removes itself

void CRadioData::ResetIdentity() {
    identity_.model = 0;
    identity_.revision = 0;
    identity_.length = 19;
    for (int i = 0; i < 19; ++i)
        identity_.data[i] = 0x20;
}

void CRadioData::NewData() {
    ResetIdentity();
    AcceptIdentity(identity_);
    InitializeData();
    SaveFile(temp_.Path());
    SetModified(false);
}

void CRadioData::Serialize(IArchive& archive) {
    if (!temp_.IsValid())
        throw CFileFormatError("Cannot make a temporary file");
    if (archive.IsStoring()) {
        SaveTemp();
        WriteArchiveFromTemp(archive);
    } else {
        ReadArchiveIntoTemp(archive);
        LoadTemp();
        OnTempLoaded();
    }
    SetModified(false);
}

// Copies the temporary file to the archive line by line, each line ended by
// CR LF. The temporary file was just written by the engine with CR LF ends, so
// this gives the same bytes; a bare LF is widened the same way.
void CRadioData::WriteArchiveFromTemp(IArchive& archive) {
    const CFileDescriptor file = CFileDescriptor::Open(temp_.Path(), O_RDONLY);
    if (!file.IsValid())
        ThrowTempError("Cannot read the temporary file");
    std::string out;
    std::string chunk(kChunk, '\0');
    bool pendingCr = false; // a CR whose line end is not known yet
    ssize_t got;
    while ((got = file.ReadSome(chunk.data(), chunk.size())) > 0) {
        const auto n = static_cast<std::size_t>(got);
        out.clear();
        for (std::size_t i = 0; i < n; ++i) {
            const char c = chunk[i];
            if (pendingCr && c != '\n')
                out += '\r';
            pendingCr = false;
            if (c == '\r')
                pendingCr = true;
            else if (c == '\n')
                out += "\r\n";
            else
                out += c;
        }
        archive.Write(out.data(), out.size());
    }
    if (got < 0)
        ThrowTempError("Cannot read the temporary file");
    if (pendingCr)
        archive.Write("\r", 1);
}

// Copies the archive into the temporary file: each line (ended by LF or
// CR LF, the end removed) followed by CR LF. Lines are copied as they stream
// by, so that a huge line costs no more memory than a short one.
void CRadioData::ReadArchiveIntoTemp(IArchive& archive) {
    CFileDescriptor file = CFileDescriptor::Open(temp_.Path(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (!file.IsValid())
        ThrowTempError("Cannot write the temporary file");
    std::string out;
    std::string chunk(kChunk, '\0');
    bool pendingCr = false;
    bool lineOpen = false; // bytes of a line without its end have been copied
    std::size_t n;
    while ((n = archive.Read(chunk.data(), chunk.size())) > 0) {
        out.clear();
        for (std::size_t i = 0; i < n; ++i) {
            const char c = chunk[i];
            if (c == '\n') {
                out += "\r\n"; // a CR before the LF belongs to the line end
                pendingCr = false;
                lineOpen = false;
                continue;
            }
            if (pendingCr)
                out += '\r';
            pendingCr = (c == '\r');
            if (!pendingCr)
                out += c;
            lineOpen = true;
        }
        if (!file.WriteAll(out))
            ThrowTempError("Cannot write the temporary file");
    }
    if (lineOpen) {
        // The last line had no line end of its own; it gets CR LF like the rest.
        const std::string tail = pendingCr ? "\r\r\n" : "\r\n";
        if (!file.WriteAll(tail))
            ThrowTempError("Cannot write the temporary file");
    }
    if (::close(file.Release()) != 0)
        ThrowTempError("Cannot write the temporary file");
}

bool CRadioData::LoadDataFile(const std::string& path) {
    {
        const CFileDescriptor probe = CFileDescriptor::Open(path, O_RDONLY);
        if (!probe.IsValid())
            return false;
    }
    if (!LoadFile(path))
        return false; // the contents and their edit state stay as they were
    OnFileLoaded();
    SetModified(false);
    return true;
}

void CRadioData::SaveDataFile(const std::string& path) {
    {
        const CFileDescriptor probe = CFileDescriptor::Open(path, O_RDWR | O_CREAT | O_TRUNC, 0666);
        if (!probe.IsValid())
            return;
    }
    SaveFile(path);
}

} // namespace kt
