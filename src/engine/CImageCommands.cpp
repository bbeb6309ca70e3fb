#include "CImageCommands.h"

#include "CChannelPosition.h"
#include "CChannelTable.h"
#include "CCommandText.h"
#include "CCommonSettings.h"
#include "CDataFileReader.h"
#include "CHexRecord.h"
#include "CMemoryImage.h"
#include "DataFileHeader.h"
#include "DataFileWriter.h"
#include "DefaultImage.h"
#include "SyncDirection.h"
#include "TextFields.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

namespace kt {

std::string DataFileHeaderLine() {
    char text[16];
    std::snprintf(text, sizeof text, "%04d%04d", kDataFileModel, kDataFileRevision);
    return text;
}

namespace {
constexpr std::string_view kOk = "OK";
constexpr std::string_view kOn = "ON";
constexpr std::string_view kOff = "OFF";
constexpr std::string_view kCannotOpenFile = "CANNOT_OPEN_FILE";
constexpr std::string_view kFormatError = "FORMAT_ERROR";
constexpr std::string_view kMismatchModel = "MISMATCH_MODEL";
constexpr std::string_view kMismatchRevision = "MISMATCH_REVISION";
constexpr std::string_view kNotEnoughData = "NOT_ENOUGH_DATA";

constexpr std::string_view kLineEnd = "\r\n";
constexpr char kCommentMark = '#';
constexpr char kPathQuote = '"';
// Records never cross a 16-byte boundary of the image.
constexpr std::uint32_t kRecordAlignment = 16;
// Header digits 1-4 name the model, 5-8 the revision.
constexpr std::size_t kModelDigits = 4;

struct AddressRange {
    std::uint32_t first;
    std::uint32_t last;
};
// What a save writes: every byte but the first 16.
constexpr std::array<AddressRange, 1> kSavedRanges = {{{kSavedRegionFirst, kSavedRegionLast}}};

// Checks line 1 of a data file: "OK" or the word that rejects it. The first
// position that is not a digit or differs from the header decides.
std::string_view CheckHeader(std::string_view line) {
    const std::string expected = DataFileHeaderLine();
    if (line.size() != expected.size())
        return kFormatError;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (line[i] < '0' || line[i] > '9')
            return kFormatError;
        if (line[i] != expected[i])
            return i < kModelDigits ? kMismatchModel : kMismatchRevision;
    }
    return kOk;
}

// Puts an image back as it was unless the change is committed, however the
// scope is left.
class CImageRestorer {
public:
    explicit CImageRestorer(CMemoryImage& image) : image_(image) { backup_.CopyFrom(image); }
    ~CImageRestorer() {
        if (!committed_)
            image_.CopyFrom(backup_);
    }
    CImageRestorer(const CImageRestorer&) = delete;
    CImageRestorer& operator=(const CImageRestorer&) = delete;

    void Commit() { committed_ = true; }

private:
    CMemoryImage& image_;
    CMemoryImage backup_;
    bool committed_ = false;
};
} // namespace

CImageCommands::CImageCommands(CMemoryImage& working, CMemoryImage& snapshot, bool& editFlag,
                               CCommonSettings& settings, CChannelTable& table, Dispatcher dispatch)
    : working_(working), snapshot_(snapshot), editFlag_(editFlag), settings_(settings),
      table_(table), dispatch_(std::move(dispatch)) {}

std::string CImageCommands::Handle(CCommandText& command) {
    const std::string_view text = command.Text();
    const std::string_view key = text.substr(0, text.find('='));
    const std::string_view word = key.substr(0, key.find('.'));

    std::string answer;
    if (EqualsNoCase(word, "HEAL")) {
        Heal(false);
        answer = kOk;
    } else if (EqualsNoCase(word, "INITIALIZE")) {
        table_.UnsyncAll();
        settings_.Unsync();
        working_.CopyFrom(DefaultImage());
        Heal(false);
        answer = kOk;
    } else if (EqualsNoCase(word, "EDIT_FLAG")) {
        answer = EditFlag(Field(text, '=', 1));
    } else if (EqualsNoCase(word, "File")) {
        const std::string operation = Field(key, '.', 1);
        if (EqualsNoCase(operation, "Save")) {
            const bool safety = EqualsNoCase(Field(key, '.', 2), "WithSafety");
            const std::string path = Field(Remainder(key, '.', safety ? 3 : 2), kPathQuote, 1);
            answer = Save(path, safety);
        } else if (EqualsNoCase(operation, "Load")) {
            answer = Load(Field(Remainder(key, '.', 2), kPathQuote, 1));
        }
    }
    if (!answer.empty())
        command.Clear();
    return answer;
}

void CImageCommands::Heal(bool safety) {
    const auto forEachPosition = [](auto&& action) {
        CChannelPosition position;
        for (position.Next(); position.Kind() != CChannelPosition::kKindNone; position.Next())
            action(position);
    };

    forEachPosition([&](const CChannelPosition& p) { table_.SyncEntry(p, working_); });
    settings_.Sync(working_);
    working_.CopyFrom(DefaultImage());

    // The VFO always starts again from its default.
    const CChannelPosition vfo(CChannelPosition::kKindVfo, 0);
    table_.EntryAt(vfo).SetSynced(false);
    table_.SyncEntry(vfo, working_);

    forEachPosition([&](const CChannelPosition& p) {
        table_.EntryAt(p).Heal(safety);
        table_.SyncEntry(p, working_);
    });
    settings_.Sync(SyncDirection::Encode, working_);
}

std::string CImageCommands::EditFlag(std::string_view value) {
    if (EqualsNoCase(value, kOff)) {
        dispatch_("HEAL");
        snapshot_.CopyFrom(working_);
        editFlag_ = false;
    } else if (EqualsNoCase(value, kOn)) {
        editFlag_ = true;
    }
    if (!editFlag_) {
        dispatch_("HEAL");
        editFlag_ = working_.Differs(snapshot_);
    }
    return std::string(editFlag_ ? kOn : kOff);
}

std::string CImageCommands::FormatDataFile() {
    std::string comment = dispatch_("COMMON.CLONE_COMMENT");
    // The comment line is for people only; a line break inside the comment
    // would end the line early and make the file unreadable.
    std::replace(comment.begin(), comment.end(), '\n', ' ');
    std::replace(comment.begin(), comment.end(), '\r', ' ');

    std::string file;
    file.reserve(1400);
    file += DataFileHeaderLine();
    file += kLineEnd;
    file += kCommentMark;
    file += comment;
    file += kLineEnd;

    CHexRecord record;
    for (const AddressRange& range : kSavedRanges) {
        for (std::uint32_t address = range.first; address <= range.last;) {
            const std::uint32_t length =
                std::min(kRecordAlignment - address % kRecordAlignment, range.last - address + 1);
            record.Prepare(working_, address, length);
            record.ReadFromImage();
            file += record.Format();
            file += kLineEnd;
            address += length;
        }
    }
    return file;
}

std::string CImageCommands::Save(const std::string& path, bool safety) {
    std::string answer;
    if (safety) {
        // The safety heal is for the file only: the image is put back afterwards.
        CImageRestorer restorer(working_);
        Heal(true);
        answer = WriteDataFile(path, FormatDataFile()) ? kOk : kCannotOpenFile;
    } else {
        Heal(false);
        answer = WriteDataFile(path, FormatDataFile()) ? kOk : kCannotOpenFile;
    }
    return answer;
}

std::string CImageCommands::Load(const std::string& path) {
    CDataFileReader reader(CHexRecord::kMaxLineLength);
    if (!reader.Open(path))
        return std::string(kCannotOpenFile);

    std::string answer;
    {
        // Whatever stops the load undoes every record read so far.
        CImageRestorer restorer(working_);
        answer = ReadRecords(reader);
        if (answer != kOk)
            return answer;
        restorer.Commit();
    }
    table_.UnsyncAll();
    settings_.Unsync();
    Heal(false);
    return answer;
}

std::string CImageCommands::ReadRecords(CDataFileReader& reader) {
    std::string line;
    switch (reader.ReadLine(line)) {
    case CDataFileReader::Status::Error:
        return std::string(kCannotOpenFile);
    case CDataFileReader::Status::Line: {
        const std::string_view header = CheckHeader(line);
        if (header != kOk)
            return std::string(header);
        break;
    }
    default: // no line at all, or far too long for a header
        return std::string(kFormatError);
    }

    CHexRecord record;
    record.Bind(working_);
    for (;;) {
        switch (reader.ReadLine(line)) {
        case CDataFileReader::Status::End:
            return std::string(record.IsComplete() ? kOk : kNotEnoughData);
        case CDataFileReader::Status::Error:
            return std::string(kCannotOpenFile);
        case CDataFileReader::Status::TooLong:
            // Comments may be of any length; anything else that long is no record.
            if (line.front() != kCommentMark)
                return std::string(kFormatError);
            if (reader.SkipRestOfLine() == CDataFileReader::Status::Error)
                return std::string(kCannotOpenFile);
            break;
        case CDataFileReader::Status::Line: {
            if (line.empty())
                return std::string(kFormatError);
            if (line.front() == kCommentMark)
                break;
            std::string parsed = record.Parse(line);
            if (parsed != kOk)
                return parsed;
            record.WriteToImage();
            break;
        }
        }
    }
}

} // namespace kt
