#include "CChannelCsv.h"

#include "CBandPlan.h"
#include "CCsvReader.h"
#include "CM220Radio.h"
#include "TextFields.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <optional>

namespace {
constexpr char kLineEnd[] = "\r\n";
constexpr char kTxInhibitWord[] = "TXINHIBIT";
constexpr char kLockoutMark[] = "S";
constexpr char kSpacing25k[] = "25kHz";
constexpr char kSpacing833[] = "8.33kHz";
constexpr long kHzPerMHz = 1000000;
static_assert(CBandPlan::kLowestHz == 118000000 && CBandPlan::kHighestHz == 136980000);
constexpr char kAirband[] = "118.000 to 136.980 MHz";
// On the combined raster, the points at these offsets within a 25 kHz block
// are 8.33 kHz channels; the others are 25 kHz channels.
constexpr long kBlock25k = 25000;
constexpr std::array<long, 3> kOffsets833 = {5000, 10000, 15000};

// The columns after Location, Name and Frequency, as an export fills them: the
// neutral values of what this AM-only, simplex transceiver does not have.
constexpr char kNeutralDuplexToCrossMode[] = ",0.000000,,88.5,88.5,023,NN,023,Tone->Tone";

std::string FormatMegahertz(long hz) {
    char text[32];
    std::snprintf(text, sizeof text, "%ld.%06ld", hz / kHzPerMHz, hz % kHzPerMHz);
    return text;
}

// The channel's frequency in Hz, as the engine answers it by number.
long FrequencyHz(CM220Radio& radio, int n) {
    long hz = 0;
    if (!ScanLong(radio.Command(CM220Radio::ChannelPrefix(n) + "FREQUENCY.ByNumber"), hz))
        return 0;
    return hz;
}

const char* ChannelStep(const std::string& spacing, long hz) {
    if (spacing == kSpacing25k)
        return "25.00";
    if (spacing == kSpacing833)
        return "8.33";
    for (const long offset : kOffsets833)
        if (hz % kBlock25k == offset)
            return "8.33";
    return "25.00";
}

// A frequency in MHz written as digits with an optional fraction; more than
// six decimals are rounded to the hertz. Nothing else is a frequency: no sign,
// no exponent, no unit.
std::optional<long> ParseMegahertz(std::string_view text) {
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    const auto allDigits = [](std::string_view s) {
        return s.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if ((whole.empty() && fraction.empty()) || !allDigits(whole) || !allDigits(fraction))
        return std::nullopt;
    long mhz = 0;
    for (const char c : whole) {
        mhz = mhz * 10 + (c - '0');
        if (mhz > 100000)
            return std::nullopt; // far beyond any band; stops overflow
    }
    long hz = 0;
    for (std::size_t i = 0; i < 6; ++i)
        hz = hz * 10 + (i < fraction.size() ? fraction[i] - '0' : 0);
    if (fraction.size() > 6 && fraction[6] >= '5')
        ++hz;
    return mhz * kHzPerMHz + hz;
}

// Whether the comment holds the word, not as part of a longer word.
bool HasWord(std::string_view text, std::string_view word) {
    const std::string upper = ToUpperAscii(text);
    const auto isWordChar = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    };
    for (std::size_t at = upper.find(word); at != std::string::npos;
         at = upper.find(word, at + 1)) {
        const std::size_t end = at + word.size();
        if ((at == 0 || !isWordChar(upper[at - 1])) &&
            (end == upper.size() || !isWordChar(upper[end])))
            return true;
    }
    return false;
}

// One channel line of the file, checked.
struct ChannelLine {
    int line = 0;
    long hz = 0;
    std::string name;
    bool txInhibit = false;
    bool lockout = false;
};

// Where each column the import uses stands in a record; -1 when missing.
struct Columns {
    int location = -1;
    int name = -1;
    int frequency = -1;
    int duplex = -1;
    int skip = -1;
    int comment = -1;
    std::size_t count = 0;
};

class Importer {
public:
    explicit Importer(std::vector<CCsvProblem>& problems) : problems_(problems) {}

    // Checks the records; fills the channel lines by channel number.
    void Check(const std::vector<CCsvRecord>& records) {
        if (records.empty()) {
            Error(0, "the file holds no header line");
            return;
        }
        if (!ReadHeader(records.front()))
            return;
        if (records.size() == 1) {
            // Unless a quoting fault has already taken the lines after it.
            if (problems_.empty())
                Error(records.front().line, "the file holds no channels after the header line");
            return;
        }
        for (std::size_t i = 1; i < records.size(); ++i)
            CheckChannel(records[i]);
    }

    void Apply(CM220Radio& radio) {
        const std::string spacing = radio.GetChannelSpacing();
        for (int n = 1; n <= CM220Radio::kChannelCount; ++n) {
            const auto it = channels_.find(n);
            if (it != channels_.end()) {
                ApplyChannel(radio, n, it->second, spacing);
            } else if (n == 1) {
                Warning(0, "the file has no Location 1; memory channel 1 cannot be empty and "
                           "keeps " +
                               FormatMegahertz(FrequencyHz(radio, 1)) + " MHz");
            } else {
                radio.SetAppear(n, "OFF");
                radio.SetTxInhibit(n, "OFF");
                radio.SetLockout(n, "OFF");
                radio.HealChannel(n);
            }
        }
        radio.Heal();
    }

private:
    void Error(int line, std::string text) {
        problems_.push_back({line, CCsvProblem::Kind::Error, std::move(text)});
    }
    void Warning(int line, std::string text) {
        problems_.push_back({line, CCsvProblem::Kind::Warning, std::move(text)});
    }

    bool ReadHeader(const CCsvRecord& header) {
        const std::map<std::string, int Columns::*> known = {
            {"LOCATION", &Columns::location},   {"NAME", &Columns::name},
            {"FREQUENCY", &Columns::frequency}, {"DUPLEX", &Columns::duplex},
            {"SKIP", &Columns::skip},           {"COMMENT", &Columns::comment},
        };
        bool ok = true;
        columns_.count = header.fields.size();
        for (std::size_t i = 0; i < header.fields.size(); ++i) {
            const std::string title = Trim(header.fields[i]);
            const auto it = known.find(ToUpperAscii(title));
            if (it == known.end())
                continue; // a column this transceiver has no use for
            int& column = columns_.*(it->second);
            if (column >= 0) {
                Error(header.line, "the header names the column " + title + " twice");
                ok = false;
            }
            column = static_cast<int>(i);
        }
        for (const auto& [member, title] : {std::pair{&Columns::location, "Location"},
                                            std::pair{&Columns::frequency, "Frequency"}}) {
            if (columns_.*member < 0) {
                Error(header.line, std::string("the header line has no ") + title + " column");
                ok = false;
            }
        }
        return ok;
    }

    static std::string Cell(const CCsvRecord& record, int column) {
        if (column < 0 || static_cast<std::size_t>(column) >= record.fields.size())
            return {};
        return record.fields[static_cast<std::size_t>(column)];
    }

    void CheckChannel(const CCsvRecord& record) {
        // Spreadsheets write rows of bare commas below a table: no channel.
        if (std::all_of(record.fields.begin(), record.fields.end(),
                        [](const std::string& f) { return f.empty(); }))
            return;
        const int line = record.line;
        if (record.fields.size() > columns_.count) {
            Error(line, "the line has " + std::to_string(record.fields.size()) +
                            " fields but the header only " + std::to_string(columns_.count) +
                            " (a comma in a name needs quotes)");
            return;
        }
        ChannelLine channel;
        channel.line = line;
        bool ok = true;

        const std::string location = Trim(Cell(record, columns_.location));
        const int n = static_cast<int>(location.size() <= 3 ? LeadingDigits(location) : 0);
        if (location.empty()) {
            Error(line, "no Location");
            ok = false;
        } else if (location.find_first_not_of("0123456789") != std::string::npos || n < 1 ||
                   n > CM220Radio::kChannelCount) {
            Error(line, "Location " + location + " is not a memory channel (1 to 20)");
            ok = false;
        } else if (const auto it = channels_.find(n); it != channels_.end()) {
            Error(line, "Location " + std::to_string(n) + " is already on line " +
                            std::to_string(it->second.line));
            ok = false;
        }

        const std::string frequency = Trim(Cell(record, columns_.frequency));
        const std::optional<long> hz = ParseMegahertz(frequency);
        if (frequency.empty()) {
            Error(line, "no Frequency");
            ok = false;
        } else if (!hz) {
            Error(line, "Frequency " + frequency + " is not a number of MHz");
            ok = false;
        } else if (*hz < CBandPlan::kLowestHz || *hz > CBandPlan::kHighestHz) {
            Error(line,
                  "Frequency " + frequency + " MHz is outside the airband (" + kAirband + ")");
            ok = false;
        } else {
            channel.hz = *hz;
        }

        const std::string skip = Trim(Cell(record, columns_.skip));
        if (EqualsNoCase(skip, kLockoutMark)) {
            channel.lockout = true;
        } else if (!skip.empty() && !EqualsNoCase(skip, "P")) {
            Error(line, "Skip " + skip + " is neither empty nor S");
            ok = false;
        }

        // Other lists mark a channel that must not transmit with the duplex
        // "off"; this program writes the word into the comment.
        channel.txInhibit = HasWord(Cell(record, columns_.comment), kTxInhibitWord) ||
                            EqualsNoCase(Trim(Cell(record, columns_.duplex)), "off");
        channel.name = Cell(record, columns_.name);

        if (ok)
            channels_.emplace(n, std::move(channel));
    }

    void ApplyChannel(CM220Radio& radio, int n, const ChannelLine& channel,
                      const std::string& spacing) {
        // The frequency goes first: the appear command empties a channel
        // that has none.
        radio.Command(CM220Radio::ChannelPrefix(n) +
                      "FREQUENCY.ByNumber=" + std::to_string(channel.hz));
        radio.SetAppear(n, "ON");
        radio.SetName(n, channel.name);
        radio.SetTxInhibit(n, channel.txInhibit ? "ON" : "OFF");
        radio.SetLockout(n, channel.lockout ? "ON" : "OFF");
        radio.HealChannel(n);

        const std::string wanted = ToUpperAscii(TrimRight(channel.name));
        const std::string stored = radio.GetName(n);
        if (stored != wanted)
            Warning(channel.line, "the name \"" + TrimRight(channel.name) + "\" is stored as \"" +
                                      stored + "\"" +
                                      (wanted.size() > 7 ? " (7 characters at most)" : ""));
        const long held = FrequencyHz(radio, n);
        if (held != channel.hz)
            Warning(channel.line, FormatMegahertz(channel.hz) + " MHz is not a channel of the " +
                                      spacing + " spacing; memory channel " + std::to_string(n) +
                                      " holds " + FormatMegahertz(held) + " MHz");
    }

    std::vector<CCsvProblem>& problems_;
    Columns columns_;
    std::map<int, ChannelLine> channels_;
};
} // namespace

std::string CChannelCsv::Export(CM220Radio& radio) {
    const std::string spacing = radio.GetChannelSpacing();
    std::string text = std::string(kHeader) + kLineEnd;
    for (int n = 1; n <= CM220Radio::kChannelCount; ++n) {
        if (radio.IsChannelEmpty(n))
            continue;
        const long hz = FrequencyHz(radio, n);
        text += std::to_string(n) + ',' + CCsvReader::Quote(radio.GetName(n)) + ',' +
                FormatMegahertz(hz) + ',' + kNeutralDuplexToCrossMode + ",AM," +
                ChannelStep(spacing, hz) + ',' + (radio.GetLockout(n) == "ON" ? kLockoutMark : "") +
                ",," + (radio.GetTxInhibit(n) == "ON" ? kTxInhibitWord : "") + ",,,," + kLineEnd;
    }
    return text;
}

std::vector<CCsvProblem> CChannelCsv::Import(CM220Radio& radio, std::string_view text) {
    CCsvReader::Result read = CCsvReader::Read(text);
    std::vector<CCsvProblem> problems = std::move(read.problems);
    Importer importer(problems);
    // A quoting fault before the first record may have cost the header line;
    // the records after it would only give misleading errors then.
    const bool headerLost =
        !problems.empty() &&
        (read.records.empty() || problems.front().line < read.records.front().line);
    if (!headerLost)
        importer.Check(read.records);
    const auto byLine = [](const CCsvProblem& a, const CCsvProblem& b) { return a.line < b.line; };
    std::stable_sort(problems.begin(), problems.end(), byLine);
    if (HasErrors(problems))
        return problems;
    importer.Apply(radio);
    std::stable_sort(problems.begin(), problems.end(), byLine);
    return problems;
}
