#include "DocumentFile.h"

#include "AtomicReplace.h"
#include "CFileFormatError.h"
#include "CMemoryArchive.h"
#include "CRadioData.h"
#include "ReadWholeFile.h"

namespace kt {

namespace {
// A data file is about 1.2 kB; anything beyond this is not one.
constexpr std::size_t kMaxDocumentSize = 16 * 1024 * 1024;

// Reads a whole file for the command line, with its messages; tooLarge is the
// message for a file beyond maxBytes.
DocumentFileResult ReadFileFor(const std::string& path, std::size_t maxBytes,
                               DocumentFileResult tooLarge, std::string& bytes) {
    const CReadResult read = ReadWholeFile(path, maxBytes, bytes);
    switch (read.step) {
    case CReadResult::Step::Done:
        return {};
    case CReadResult::Step::Open:
        return {false, "cannot open " + path + ": " + read.Reason(), {}};
    case CReadResult::Step::NotRegular:
        return {false, path + " is not a regular file", {}};
    case CReadResult::Step::TooLarge:
        return tooLarge;
    case CReadResult::Step::Read:
        break;
    }
    return {false, "cannot read " + path + ": " + read.Reason(), {}};
}
} // namespace

DocumentFileResult LoadDocument(CRadioData& radio, const std::string& path) {
    std::string bytes;
    const DocumentFileResult read =
        ReadFileFor(path, kMaxDocumentSize,
                    {false, path + ": " + CFileFormatError::kMessage, "FORMAT_ERROR"}, bytes);
    if (!read.ok)
        return read;
    try {
        CMemoryArchive archive(std::move(bytes));
        radio.Serialize(archive);
    } catch (const CFileFormatError& e) {
        return {false, path + ": " + e.what(), e.AnswerWord()};
    }
    return {};
}

DocumentFileResult SaveDocument(CRadioData& radio, const std::string& path) {
    CMemoryArchive archive;
    try {
        radio.Serialize(archive);
    } catch (const CFileFormatError& e) {
        return {false, path + ": " + e.what(), e.AnswerWord()};
    }

    return ReplaceFile(path, archive.Bytes());
}

namespace {
DocumentFileResult ReplaceMessage(const std::string& path, const CReplaceResult& replaced) {
    switch (replaced.step) {
    case CReplaceResult::Step::Done:
        return {};
    case CReplaceResult::Step::NotRegular:
        return {false, path + " is not a regular file; nothing was replaced", {}};
    case CReplaceResult::Step::ReadOnly:
        return {false, path + " is read-only", {}};
    case CReplaceResult::Step::ReadOnlyFolder:
        return {false, path + " is read-only: its folder cannot be written", {}};
    case CReplaceResult::Step::MakeTemporary:
        return {
            false, "cannot write a temporary file beside " + path + ": " + replaced.Reason(), {}};
    case CReplaceResult::Step::Write:
        return {false, "cannot write " + path + ": " + replaced.Reason(), {}};
    case CReplaceResult::Step::Replace:
        break;
    }
    return {false, "cannot replace " + path + ": " + replaced.Reason(), {}};
}
} // namespace

DocumentFileResult ReplaceFile(const std::string& path, std::string_view bytes) {
    return ReplaceMessage(path, AtomicReplace(path, bytes));
}

DocumentFileResult CheckWritable(const std::string& path) {
    return ReplaceMessage(path, CheckReplaceable(path));
}

DocumentFileResult ReadTextFile(const std::string& path, std::size_t maxBytes, std::string& bytes) {
    return ReadFileFor(path, maxBytes, {false, path + " is too large for a channel list", {}},
                       bytes);
}

} // namespace kt
