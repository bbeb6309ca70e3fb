#include "AirportCommands.h"

#include "AirportUpdateReport.h"
#include "CAirportChannels.h"
#include "CAirportData.h"
#include "CAirportUpdate.h"
#include "CM220Radio.h"
#include "CliStatus.h"
#include "CsvCommands.h"
#include "DocumentFile.h"
#include "MegahertzText.h"
#include "TerminalText.h"
#include "TextFields.h"

#include <cstdio>
#include <ostream>
#include <set>
#include <unistd.h>

namespace kt {

namespace {
constexpr int kNoMatch = 1;

bool LoadTable(CAirportData& data, std::ostream& err) {
    std::string error;
    if (data.Load(error))
        return true;
    err << "kt-m220-cli: " << error << "\n";
    return false;
}

std::vector<CAirportFrequency> Rows(const CAirportTable& table, const std::string& query) {
    std::vector<CAirportFrequency> rows;
    for (const std::size_t i : table.Search(query))
        rows.push_back(table.Row(i));
    return rows;
}

// What the frequency is as a channel, for the listing.
std::string ChannelText(const CAirportChannels::Candidate& c) {
    if (c.status == CAirportChannels::Status::OutsideBand)
        return "outside the radio's band";
    if (!c.channel)
        return "no channel";
    const std::string kind = c.channel->Is833() ? "8.33 kHz" : "25 kHz";
    if (c.status == CAirportChannels::Status::NoChannel)
        return "no channel; nearest " + c.channel->DesignatorText() + " (" + kind + ", carrier " +
               c.channel->CarrierText() + ")";
    return c.channel->DesignatorText() + " (" + kind + ", carrier " + c.channel->CarrierText() +
           ")";
}

std::set<std::string> SplitTypes(const std::string& list) {
    std::set<std::string> types;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = list.find(',', start);
        const std::string type = ToUpperAscii(Trim(list.substr(start, comma - start)));
        if (!type.empty())
            types.insert(type);
        if (comma == std::string::npos)
            return types;
        start = comma + 1;
    }
}

// The idents among the rows, in order.
std::vector<std::string> Idents(const std::vector<CAirportFrequency>& rows) {
    std::vector<std::string> idents;
    for (const CAirportFrequency& row : rows)
        if (idents.empty() || idents.back() != row.ident)
            idents.push_back(row.ident);
    return idents;
}
} // namespace

std::string AirportDataVersion() {
    CAirportData data;
    std::string error;
    if (!data.Load(error))
        return "airport data missing (" + error + ")";
    return "airport data " + data.Date();
}

int RunAirport(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err) {
    std::string query;
    for (const std::string& a : args.operands)
        query += (query.empty() ? "" : " ") + a;
    if (Trim(query).empty())
        return Usage(err, "airport IDENT_OR_WORDS...");
    CAirportData data;
    if (!LoadTable(data, err))
        return kFileError;
    const auto rows = Rows(data.Table(), query);
    if (rows.empty()) {
        err << "kt-m220-cli: no airport matches '" << TerminalSafe(query) << "'\n";
        return kNoMatch;
    }
    const auto candidates = CAirportChannels::Build(rows);
    char line[512];
    std::snprintf(line, sizeof line, "%-8s %-7s %-9s %-8s %-5s %-42s %s", "Ident", "Type", "MHz",
                  "Name", "TxInh", "Channel", "Description");
    out << line << "\n";
    for (const auto& c : candidates) {
        std::snprintf(line, sizeof line, "%-8s %-7s %-9s %-8s %-5s %-42s %s",
                      TerminalSafe(c.row.ident).c_str(), TerminalSafe(c.row.type).c_str(),
                      TerminalSafe(c.row.frequency).c_str(), TerminalSafe(c.name).c_str(),
                      c.txInhibit ? "yes" : "", ChannelText(c).c_str(),
                      TerminalSafe(c.row.description).c_str());
        out << TrimRight(line) << "\n";
    }
    return 0;
}

int RunAddAirport(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err) {
    static const char kAddUsage[] =
        "add-airport FILE IDENT [--types TWR,GND,...] [--from N] [--spacing auto] [--nearest]";
    const std::vector<std::string>& positional = args.operands;
    const std::string types = args.Value("types");
    int from = 1;
    const bool chooseSpacing = args.Has("spacing");
    const bool nearest = args.Has("nearest");
    if ((chooseSpacing && args.Value("spacing") != "auto") ||
        (args.Has("from") && !ParseChannel(args.Value("from"), from)))
        return Usage(err, kAddUsage);
    const std::string& file = positional[0];
    const std::string& ident = positional[1];

    CAirportData data;
    if (!LoadTable(data, err))
        return kFileError;
    std::vector<CAirportFrequency> rows = Rows(data.Table(), ident);
    const auto idents = Idents(rows);
    if (idents.empty()) {
        err << "kt-m220-cli: no airport matches '" << TerminalSafe(ident) << "'; " << file
            << " is unchanged\n";
        return kNoMatch;
    }
    if (idents.size() > 1) {
        err << "kt-m220-cli: '" << TerminalSafe(ident) << "' matches " << idents.size()
            << " airports (";
        for (std::size_t i = 0; i < idents.size() && i < 10; ++i)
            err << (i ? ", " : "") << TerminalSafe(idents[i]);
        err << (idents.size() > 10 ? ", ..." : "") << "); give one ident. " << file
            << " is unchanged\n";
        return kUsageError;
    }
    if (!types.empty()) {
        const std::set<std::string> wanted = SplitTypes(types);
        std::erase_if(rows, [&wanted](const CAirportFrequency& row) {
            return !wanted.count(ToUpperAscii(row.type));
        });
    }

    std::vector<CAirportChannels::Candidate> candidates = CAirportChannels::Build(rows);
    for (auto& c : candidates) {
        const std::string what = TerminalSafe(c.row.type + " " + c.row.frequency);
        if (c.status == CAirportChannels::Status::OutsideBand)
            err << "kt-m220-cli: warning: " << what
                << " MHz is outside the radio's band (118.000 to 136.980 MHz); not added\n";
        else if (c.status == CAirportChannels::Status::NoChannel) {
            c.acceptNearest = nearest;
            err << "kt-m220-cli: warning: " << what << " MHz is no channel; "
                << (nearest ? "added as " : "not added (--nearest adds ") << c.channel->Describe()
                << (nearest ? "\n" : ")\n");
        }
    }

    CM220Radio radio;
    radio.NewData();
    const DocumentFileResult loaded = LoadDocument(radio, file);
    if (!loaded.ok)
        return FileError(err, loaded);
    const auto result = CAirportChannels::Add(radio, candidates, from, chooseSpacing);
    using Outcome = CAirportChannels::AddResult::Outcome;
    if (result.outcome != Outcome::Added) {
        err << "kt-m220-cli: " << TerminalSafe(result.message) << "; " << file << " is unchanged"
            << (result.outcome == Outcome::NeedsSpacing
                    ? " (give --spacing auto to switch to the 25k/8.33kHz spacing)"
                    : "")
            << "\n";
        if (result.outcome == Outcome::NeedsSpacing)
            return kValueChanged;
        return result.outcome == Outcome::TooFewChannels ? kTooFewChannels : kUsageError;
    }
    const DocumentFileResult saved = SaveDocument(radio, file);
    if (!saved.ok)
        return FileError(err, saved);
    if (result.spacingAfter != result.spacingBefore)
        out << "Channel Spacing " << result.spacingBefore << " -> " << result.spacingAfter << "\n";
    for (const std::string& note : result.notes)
        out << note << "\n";
    for (const int n : result.channels) {
        long hz = 0;
        ScanLong(radio.Command(CM220Radio::ChannelPrefix(n) + "FREQUENCY.ByNumber"), hz);
        out << "CH " << (n < 10 ? "0" : "") << n << "  " << FormatMegahertz(hz, 3) << "  "
            << TerminalSafe(radio.GetName(n))
            << (radio.GetTxInhibit(n) == "ON" ? "  Tx inhibit" : "") << "\n";
    }
    out << "Added " << result.channels.size() << " channels of " << TerminalSafe(idents.front())
        << " to " << file << "\n";
    return 0;
}

int RunAirports(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err) {
    static const char kAirportsUsage[] = "airports [--update [--from URL] [--progress]]";
    const bool update = args.Has("update");
    std::string url = CAirportUpdate::kDefaultUrl;
    if ((args.Has("from") || args.Has("progress")) && !update)
        return Usage(err, kAirportsUsage);
    if (args.Has("from"))
        url = args.Value("from");
    if (!update) {
        CAirportData data;
        if (!LoadTable(data, err))
            return kFileError;
        out << data.Path() << "\n"
            << data.Date() << ", " << data.Table().Size() << " frequencies ("
            << data.Table().InBandCount() << " in the airband)\n";
        return 0;
    }

    // On a terminal the percentage is rewritten in place. For a program that
    // reads it (--progress) the standard error carries only report lines:
    // each new percentage, then the outcome.
    const bool report = args.Has("progress");
    const bool onTerminal = !report && isatty(STDERR_FILENO) == 1;
    if (!report)
        err << "Downloading " << TerminalSafe(url) << "\n";
    int shown = -1;
    const auto result = CAirportUpdate::Run(url, [&](long long received, long long total) {
        if ((onTerminal || report) && total > 0) {
            const int percent = static_cast<int>(received * 100 / total);
            if (percent != shown) {
                shown = percent;
                if (report)
                    err << AirportUpdateReport::Progress(percent) << "\n" << std::flush;
                else
                    err << "\r" << percent << " %" << std::flush;
            }
        }
        return true;
    });
    if (onTerminal && shown >= 0)
        err << "\n";
    if (!result.ok) {
        if (report)
            err << AirportUpdateReport::Failed(result.message) << "\n";
        else
            err << "kt-m220-cli: " << TerminalSafe(result.message)
                << "; the airport table is unchanged\n";
        return kFileError;
    }
    if (report)
        err << AirportUpdateReport::Updated(result.message) << "\n";
    out << "Updated " << result.path << ": " << result.message << "\n";
    return 0;
}

} // namespace kt
