#include "DataFileCommands.h"

#include "CChannelRow.h"
#include "CM220Radio.h"
#include "CSettingLabels.h"
#include "CSpacingChange.h"
#include "CliStatus.h"
#include "DocumentFile.h"
#include "StoredValues.h"
#include "TerminalText.h"
#include "TextFields.h"

#include <array>
#include <cstdio>
#include <ostream>

namespace kt {

namespace {
void PrintChannels(CM220Radio& radio, std::ostream& out) {
    // The columns of the channel list, left to right, without the empty last one.
    static const char* const kTitles[] = {"CH",   "Prio",       "Frequency",
                                          "Name", "Tx Inhibit", "Memory Lockout"};
    static const int kWidths[] = {4, 6, 12, 9, 12, 14};
    char line[128];
    std::snprintf(line, sizeof line, "%-*s%-*s%-*s%-*s%-*s%s", kWidths[0], kTitles[0], kWidths[1],
                  kTitles[1], kWidths[2], kTitles[2], kWidths[3], kTitles[3], kWidths[4],
                  kTitles[4], kTitles[5]);
    out << line << "\n";
    for (int n = 1; n <= CM220Radio::kChannelCount; ++n) {
        // Names come from the file: nothing in them may act on the terminal.
        std::array<std::string, 6> c;
        const auto& cells = CChannelRow::Build(radio, n).cells;
        for (std::size_t i = 0; i < c.size() && i < cells.size(); ++i)
            c[i] = TerminalSafe(cells[i]);
        std::snprintf(line, sizeof line, "%-*s%-*s%-*s%-*s%-*s%s", kWidths[0], c[0].c_str(),
                      kWidths[1], c[1].c_str(), kWidths[2], c[2].c_str(), kWidths[3], c[3].c_str(),
                      kWidths[4], c[4].c_str(), c[5].c_str());
        out << TrimRight(line) << "\n";
    }
}

void PrintSettings(CM220Radio& radio, std::ostream& out) {
    for (const CSettingLabels::Setting& s : CSettingLabels::All()) {
        char line[64];
        std::snprintf(line, sizeof line, "%-22s", s.label);
        out << TrimRight(line + TerminalSafe(s.shown(radio))) << "\n";
    }
}
} // namespace

int RunNew(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err) {
    const std::string path = args.Value("output");
    CM220Radio radio;
    radio.NewData();
    return Written(SaveDocument(radio, path), out, err, "New data file " + path);
}

int RunShow(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err) {
    CM220Radio radio;
    radio.NewData();
    const DocumentFileResult loaded = LoadDocument(radio, args.operands.at(0));
    if (!loaded.ok)
        return FileError(err, loaded);
    PrintChannels(radio, out);
    out << "\n";
    PrintSettings(radio, out);
    return 0;
}

int RunSet(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err) {
    const std::string& path = args.operands.at(0);
    const std::vector<std::string> commands(args.operands.begin() + 1, args.operands.end());
    const bool acceptHealed = args.Has("heal");
    CM220Radio radio;
    radio.NewData();
    const DocumentFileResult loaded = LoadDocument(radio, path);
    if (!loaded.ok)
        return FileError(err, loaded);
    // A change of the channel spacing may move channels no command names.
    const std::string spacingBefore = radio.GetChannelSpacing();
    const CSpacingChange spacingChange(radio);
    std::vector<std::string> answers;
    for (const std::string& command : commands) {
        answers.push_back(radio.Command(command));
        if (answers.back().empty()) {
            err << "kt-m220-cli: the engine does not know the command '" << TerminalSafe(command)
                << "'; " << path << " is unchanged\n";
            return kUsageError;
        }
    }
    const std::string spacingAfter = radio.GetChannelSpacing();
    if (spacingAfter != spacingBefore)
        spacingChange.HoldChannels(radio);
    radio.Heal();

    // What the radio would hold is said before anything is stored.
    const auto shown = [](const std::string& value) {
        return value.empty() ? std::string("nothing") : TerminalSafe(value);
    };
    const std::vector<ValueChange> changes = FindChangedValues(radio, commands);
    for (const ValueChange& c : changes) {
        err << "kt-m220-cli: " << (acceptHealed ? "warning: " : "") << c.what << ": typed "
            << shown(c.typed) << (acceptHealed ? ", stored " : ", the radio would store ")
            << shown(c.stored) << " (" << c.reason << ")\n";
    }
    std::vector<CSpacingChange::Move> moves;
    if (spacingAfter != spacingBefore)
        moves = spacingChange.Moves(radio, ChannelsNamed(commands));
    for (const CSpacingChange::Move& m : moves)
        err << "kt-m220-cli: " << (acceptHealed ? "warning: " : "") << m.Describe()
            << " (the channel spacing changes from " << spacingBefore << " to " << spacingAfter
            << ")\n";
    if ((!changes.empty() || !moves.empty()) && !acceptHealed) {
        err << "kt-m220-cli: " << path
            << " is unchanged; give --heal to store the values as the radio would\n";
        return kValueChanged;
    }

    const DocumentFileResult saved = SaveDocument(radio, path);
    if (!saved.ok)
        return FileError(err, saved);
    for (std::size_t i = 0; i < commands.size(); ++i)
        out << TrimRight(TerminalSafe(commands[i]) + " -> " +
                         TerminalSafe(StoredAnswer(radio, commands[i], answers[i])))
            << "\n";
    return 0;
}

} // namespace kt
