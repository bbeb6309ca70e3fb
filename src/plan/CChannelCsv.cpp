#include "CChannelCsv.h"

#include "CAirbandChannel.h"
#include "CBandPlan.h"
#include "CCsvReader.h"
#include "CM220Radio.h"
#include "MegahertzText.h"
#include "TextFields.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <optional>

namespace kt {

namespace {
constexpr char kLineEnd[] = "\r\n";
constexpr char kTxInhibitWord[] = "TXINHIBIT";
constexpr char kLockoutMark[] = "S";
static_assert(CBandPlan::kLowestHz == 118000000 && CBandPlan::kHighestHz == 136980000);
constexpr char kAirband[] = "118.000 to 136.980 MHz";

// The columns after Location, Name and Frequency, as an export fills them: the
// neutral values of what this AM-only, simplex transceiver does not have.
constexpr char kNeutralDuplexToCrossMode[] = ",0.000000,,88.5,88.5,023,NN,023,Tone->Tone";

// The channel's frequency in Hz, as the engine answers it by number.
long FrequencyHz(CM220Radio& radio, int n) {
    long hz = 0;
    if (!ScanLong(radio.Command(CM220Radio::ChannelPrefix(n) + "FREQUENCY.ByNumber"), hz))
        return 0;
    return hz;
}

void SetFrequencyHz(CM220Radio& radio, int n, long hz) {
    radio.Command(CM220Radio::ChannelPrefix(n) + "FREQUENCY.ByNumber=" + std::to_string(hz));
}

// A stored frequency as the messages name it: the channel with its carrier,
// or the bare point.
std::string DescribeStored(long hz) {
    if (const auto channel = CAirbandChannel::FromDesignator(hz))
        return channel->Describe();
    return FormatMegahertz(hz) + " MHz";
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
    int location = 0; // 0 when the list is renumbered
    long hz = 0;
    // The channel the frequency stands for; nothing for a point between channels.
    std::optional<CAirbandChannel> channel;
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
    int step = -1;
    std::size_t count = 0;
};

using Spacing = CAirbandChannel::Spacing;

class Importer {
public:
    Importer(CChannelCsv::ImportResult& result, const CChannelCsv::ImportOptions& options)
        : result_(result), problems_(result.problems), options_(options) {}

    // Checks the records and fills the channel lines in the list's order.
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

    // Gives each line its memory channel; decides the spacing and whether it
    // holds every channel.
    void Place(CM220Radio& radio) {
        int next = std::clamp(options_.firstChannel, 1, CM220Radio::kChannelCount);
        for (ChannelLine& channel : lines_) {
            int n = channel.location;
            if (options_.renumber) {
                if (next > CM220Radio::kChannelCount) {
                    Skip(channel.line, "no memory channel is left for it (the list fills "
                                       "channels " +
                                           std::to_string(options_.firstChannel) + " to " +
                                           std::to_string(CM220Radio::kChannelCount) + ")");
                    continue;
                }
                n = next++;
            } else if (const auto it = byChannel_.find(n); it != byChannel_.end()) {
                Error(channel.line, "Location " + std::to_string(n) + " is already on line " +
                                        std::to_string(it->second->line));
                continue;
            }
            byChannel_.emplace(n, &channel);
        }

        result_.spacingBefore = radio.GetChannelSpacing();
        spacing_ = CAirbandChannel::SpacingFromWord(result_.spacingBefore);
        result_.spacingAfter = result_.spacingBefore;
        if (options_.chooseSpacing) {
            spacing_ = ChooseSpacing(radio);
            result_.spacingAfter = CAirbandChannel::SpacingWord(spacing_);
        }

        bool otherErrors = HasErrors(problems_);
        bool spacingErrors = false;
        for (const auto& [n, channel] : byChannel_) {
            if (!channel->channel || channel->channel->HeldIn(spacing_))
                continue;
            Error(channel->line, channel->channel->Describe() + " needs " +
                                     channel->channel->SpacingsThatHold() +
                                     "; the plan is in the " + result_.spacingBefore + " spacing");
            spacingErrors = true;
        }
        result_.needsOtherSpacing = spacingErrors && !otherErrors;
    }

    void Apply(CM220Radio& radio) {
        if (result_.spacingAfter != result_.spacingBefore) {
            radio.SetChannelSpacing(result_.spacingAfter);
            Warning(0, "the channel spacing changes from " + result_.spacingBefore + " to " +
                           result_.spacingAfter);
        }
        for (int n = 1; n <= CM220Radio::kChannelCount; ++n) {
            const auto it = byChannel_.find(n);
            if (it != byChannel_.end()) {
                ApplyChannel(radio, n, *it->second);
            } else if (IsKept(n)) {
                KeepChannel(radio, n);
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
    void Skip(int line, const std::string& why) {
        Warning(line, "skipped: " + why);
        result_.skippedLines.push_back(line);
    }

    // Memory channel 1 is never emptied; below the first channel of a
    // renumbered list the channels stay as they are.
    bool IsKept(int n) const { return n == 1 || (options_.renumber && n < options_.firstChannel); }

    Spacing ChooseSpacing(CM220Radio& radio) {
        bool all25k = true;
        for (const auto& [n, channel] : byChannel_) {
            const auto c =
                channel->channel ? channel->channel : CAirbandChannel::Nearest(channel->hz);
            all25k = all25k && c && !c->Is833();
        }
        for (int n = 1; n <= CM220Radio::kChannelCount; ++n) {
            if (byChannel_.count(n) || !IsKept(n) || radio.IsChannelEmpty(n))
                continue;
            const auto c = CAirbandChannel::FromDesignator(FrequencyHz(radio, n));
            all25k = all25k && c && !c->Is833();
        }
        return all25k ? Spacing::k25kHz : Spacing::kCombined;
    }

    bool ReadHeader(const CCsvRecord& header) {
        const std::map<std::string, int Columns::*> known = {
            {"LOCATION", &Columns::location},   {"NAME", &Columns::name},
            {"FREQUENCY", &Columns::frequency}, {"DUPLEX", &Columns::duplex},
            {"SKIP", &Columns::skip},           {"COMMENT", &Columns::comment},
            {"TSTEP", &Columns::step},
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
        if (columns_.location < 0 && !options_.renumber) {
            Error(header.line, "the header line has no Location column");
            ok = false;
        }
        if (columns_.frequency < 0) {
            Error(header.line, "the header line has no Frequency column");
            ok = false;
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
        std::string skipped; // why another radio's row is skipped
        bool locationSkipped = false;

        if (!options_.renumber) {
            const std::string location = Trim(Cell(record, columns_.location));
            if (location.empty()) {
                Error(line, "no Location");
                ok = false;
            } else if (location.find_first_not_of("0123456789") != std::string::npos) {
                Error(line, "Location " + location + " is not a memory channel (1 to 20)");
                ok = false;
            } else {
                const long n = LeadingDigits(location);
                if (n < 1 || n > CM220Radio::kChannelCount)
                    skipped = "Location " + location + " is not a memory channel (1 to 20)";
                locationSkipped = !skipped.empty();
                channel.location = static_cast<int>(skipped.empty() ? n : 0);
            }
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
            if (skipped.empty())
                skipped =
                    "Frequency " + frequency + " MHz is outside the airband (" + kAirband + ")";
        } else {
            channel.hz = *hz;
            channel.channel = CAirbandChannel::FromListValue(
                *hz, CAirbandChannel::StepFromText(Trim(Cell(record, columns_.step))));
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

        if (!ok)
            return;
        if (skipped.empty()) {
            lines_.push_back(std::move(channel));
            return;
        }
        Skip(line, skipped);
        // An airband row that only its Location keeps out.
        if (locationSkipped && channel.hz != 0)
            ++result_.skippedForLocation;
    }

    // A channel the list does not name keeps what it holds, on the designator
    // that holds it when the spacing changed.
    void KeepChannel(CM220Radio& radio, int n) {
        const long hz = FrequencyHz(radio, n);
        if (n == 1 && !options_.renumber)
            Warning(0, "the file has no Location 1; memory channel 1 cannot be empty and "
                       "keeps " +
                           FormatMegahertz(hz) + " MHz");
        if (radio.IsChannelEmpty(n) || result_.spacingAfter == result_.spacingBefore)
            return;
        const auto channel = CAirbandChannel::FromDesignator(hz);
        if (const auto held = channel ? channel->HeldIn(spacing_) : std::nullopt) {
            SetFrequencyHz(radio, n, *held);
            radio.HealChannel(n);
            if (*held != hz)
                Warning(0, "memory channel " + std::to_string(n) + " holds " + channel->Describe() +
                               " by " + DescribeStored(*held) + " in the " + result_.spacingAfter +
                               " spacing");
        }
    }

    void ApplyChannel(CM220Radio& radio, int n, const ChannelLine& channel) {
        const std::optional<long> held =
            channel.channel ? channel.channel->HeldIn(spacing_) : std::nullopt;
        // The frequency goes first: the appear command empties a channel
        // that has none.
        SetFrequencyHz(radio, n, held ? *held : channel.hz);
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
        const long now = FrequencyHz(radio, n);
        const std::string where = "memory channel " + std::to_string(n) + " holds ";
        if (!channel.channel)
            Warning(channel.line, FormatMegahertz(channel.hz) +
                                      " MHz is no channel (neither a 25 kHz channel nor an "
                                      "8.33 kHz one); " +
                                      where + DescribeStored(now));
        else if (now != channel.channel->DesignatorHz())
            Warning(channel.line, where + channel.channel->Describe() + " by " +
                                      DescribeStored(now) + " in the " + result_.spacingAfter +
                                      " spacing");
    }

    CChannelCsv::ImportResult& result_;
    std::vector<CCsvProblem>& problems_;
    const CChannelCsv::ImportOptions& options_;
    Columns columns_;
    std::vector<ChannelLine> lines_;
    std::map<int, const ChannelLine*> byChannel_;
    Spacing spacing_ = Spacing::kCombined;
};

void SortByLine(std::vector<CCsvProblem>& problems) {
    std::stable_sort(problems.begin(), problems.end(),
                     [](const CCsvProblem& a, const CCsvProblem& b) { return a.line < b.line; });
}
} // namespace

std::string CChannelCsv::Export(CM220Radio& radio) {
    std::vector<CCsvProblem> warnings;
    return Export(radio, warnings);
}

std::string CChannelCsv::Export(CM220Radio& radio, std::vector<CCsvProblem>& warnings) {
    std::string text = std::string(kHeader) + kLineEnd;
    for (int n = 1; n <= CM220Radio::kChannelCount; ++n) {
        if (radio.IsChannelEmpty(n))
            continue;
        const long hz = FrequencyHz(radio, n);
        const auto channel = CAirbandChannel::FromDesignator(hz);
        if (!channel)
            warnings.push_back(
                {0, CCsvProblem::Kind::Warning,
                 "memory channel " + std::to_string(n) + " holds " + FormatMegahertz(hz, 3) +
                     " MHz, a point of the " + radio.GetChannelSpacing() +
                     " raster that is neither a 25 kHz nor an 8.33 kHz channel; it is written "
                     "as it stands"});
        const std::string frequency = channel ? channel->CarrierText() : FormatMegahertz(hz);
        const char* step = channel && channel->Is833() ? "8.33" : "25.00";
        text += std::to_string(n) + ',' + CCsvReader::Quote(radio.GetName(n)) + ',' + frequency +
                ',' + kNeutralDuplexToCrossMode + ",AM," + step + ',' +
                (radio.GetLockout(n) == "ON" ? kLockoutMark : "") + ",," +
                (radio.GetTxInhibit(n) == "ON" ? kTxInhibitWord : "") + ",,,," + kLineEnd;
    }
    return text;
}

CChannelCsv::ImportResult CChannelCsv::Import(CM220Radio& radio, std::string_view text,
                                              const ImportOptions& options) {
    CCsvReader::Result read = CCsvReader::Read(text);
    ImportResult result;
    result.problems = std::move(read.problems);
    Importer importer(result, options);
    // A quoting fault before the first record may have cost the header line;
    // the records after it would only give misleading errors then.
    const bool headerLost =
        !result.problems.empty() &&
        (read.records.empty() || result.problems.front().line < read.records.front().line);
    if (!headerLost) {
        importer.Check(read.records);
        importer.Place(radio);
    }
    SortByLine(result.problems);
    if (HasErrors(result.problems))
        return result;
    importer.Apply(radio);
    SortByLine(result.problems);
    return result;
}

std::vector<CCsvProblem> CChannelCsv::Import(CM220Radio& radio, std::string_view text) {
    return Import(radio, text, ImportOptions{}).problems;
}

} // namespace kt
