#include "CliCommand.h"

#include "AirportCommands.h"
#include "CheckCommand.h"
#include "CliStatus.h"
#include "CloneCommandsCli.h"
#include "CommandReference.h"
#include "CompareCommands.h"
#include "CsvCommands.h"
#include "DataFileCommands.h"
#include "EngineConsole.h"
#include "PortsCommand.h"
#include "TerminalText.h"

#include <algorithm>
#include <iostream>

namespace kt {

#ifndef KTM220_VERSION
#define KTM220_VERSION "0"
#endif

namespace {

using CommandLine::Takes;

constexpr std::size_t kHelpColumn = 27;
constexpr std::size_t kAny = static_cast<std::size_t>(-1);

int RunEngine(const CommandLine::Parsed&, std::ostream&, std::ostream&);

const char kTrailer[] = "Exit status: 0 done (diff: the same; 1 they differ; check: 1 findings),\n"
                        "2 wrong use,\n"
                        "3 a file that cannot be read or written (missing, read-only, not a\n"
                        "regular file, or a CSV channel list with errors),\n"
                        "4 a value set would store differently (nothing saved; see --heal), or a\n"
                        "channel the spacing cannot hold (nothing saved; see --spacing auto),\n"
                        "5 the write was not confirmed (nothing sent), 6 too few empty channels,\n"
                        "7 written, but not verified (write --verify: the read-back failed);\n"
                        "for the transceiver commands the clone outcome: 1 cancelled, 77 failed\n"
                        "(also a write --verify found what the radio holds differs),\n"
                        "80 no identity line, 85 not a transceiver this program serves,\n"
                        "91 the serial port cannot be opened.\n"
                        "A signal that ends the program (Ctrl-C outside a read or write exchange,\n"
                        "SIGTERM, SIGHUP, SIGQUIT, SIGPIPE) first removes its temporary files.\n";

const char kCloneNote[] =
    "  Ctrl-C cancels a read or write. Both first keep a copy of the image in\n"
    "  $XDG_DATA_HOME/Velk/KT-M220/backups (~/.local/share/... by default).\n";

// The engine console reads its own standard input.
std::istream* gEngineInput = &std::cin;

int RunEngine(const CommandLine::Parsed&, std::ostream& out, std::ostream&) {
    // One answer per line at the engine's own speed: the console's streams
    // need not keep step with C's.
    if (gEngineInput == &std::cin)
        std::ios::sync_with_stdio(false);
    return RunEngineConsole(*gEngineInput, out);
}

const CliCommand* Find(std::string_view name) {
    for (const CliCommand& command : CliCommands())
        if (name == command.name)
            return &command;
    return nullptr;
}

int UsageOf(const CliCommand& command, std::ostream& err, const std::string& problem) {
    if (!problem.empty())
        err << "kt-m220-cli " << command.name << ": " << TerminalSafe(problem) << "\n";
    err << "usage: kt-m220-cli " << command.name << " " << command.synopsis << "\n";
    return kUsageError;
}

} // namespace

const std::vector<CommandLine::OptionEntry>& CliOptions() {
    static const std::vector<CommandLine::OptionEntry> table = {
        {"output", 'o', Takes::Value, "FILE", "the file to write (new, read, export-csv)"},
        {"heal", 0, Takes::Nothing, nullptr, "set: store values as the radio would hold them"},
        {"port", 0, Takes::Value, "P",
         "COM1 to COM4 or a device path; without it, the\nport chosen in the desktop program"},
        {"yes", 'y', Takes::Nothing, nullptr, "answer OK to the question before a write"},
        {"spacing", 0, Takes::Value, "auto",
         "import-csv, add-airport: switch to the spacing the\nchannels need first"},
        {"renumber", 0, Takes::Nothing, nullptr,
         "import-csv: fill channels in the list's order\ninstead of by Location"},
        {"from", 0, Takes::Value, "N|URL",
         "import-csv --renumber, add-airport: the first channel\nto fill; airports --update: "
         "the address to\ndownload from"},
        {"types", 0, Takes::Value, "LIST", "add-airport: only these services (TWR,GND,ATIS)"},
        {"nearest", 0, Takes::Nothing, nullptr,
         "add-airport: add a frequency between channels at\nthe nearest channel"},
        {"update", 0, Takes::Nothing, nullptr, "airports: download the current airport table"},
        {"progress", 0, Takes::Nothing, nullptr,
         "airports --update: report the download as lines\n\"N %\" on standard error, for a "
         "program that\nruns this one"},
        {"no-beep", 0, Takes::Nothing, nullptr, "keep the beeps quiet"},
        {"verify", 0, Takes::Nothing, nullptr,
         "write: read the transceiver back and compare; exit\n77 when it holds something else, "
         "7 when the\nread-back fails (written, but not verified)"},
        {"help", 'h', Takes::Nothing, nullptr, "show this help"},
        {"version", 0, Takes::Nothing, nullptr, "show the version"},
    };
    return table;
}

const std::vector<CliCommand>& CliCommands() {
    static const char kFiles[] = "Data files (.vkf) and the engine";
    static const char kRadio[] = "The transceiver (through the cloning cable)";
    static const std::vector<CliCommand> table = {
        {"new",
         kFiles,
         "-o FILE",
         "a new data file holding the default image",
         {"output"},
         {"output"},
         0,
         0,
         RunNew},
        {"show", kFiles, "FILE", "the channels and settings of a data file", {}, {}, 1, 1, RunShow},
        {"diff",
         kFiles,
         "A B",
         "what differs between data files A and B, one line\nper channel property or setting "
         "(exit 0 the\nsame, 1 they differ, 3 a file does not load)",
         {},
         {},
         2,
         2,
         RunDiff},
        {"check",
         kFiles,
         "FILE",
         "look over the channel plan: the emergency frequency,\nreceive-only services, "
         "frequencies held twice,\nnames, the priority channel (exit 0 nothing to\nreport, "
         "1 findings, 3 the file does not load)",
         {},
         {},
         1,
         1,
         RunCheck},
        {"set",
         kFiles,
         "FILE [--heal] COMMAND...",
         "apply engine commands, heal, save FILE again;\na value the radio would store "
         "differently is\nrefused unless --heal accepts what it stores",
         {"heal"},
         {},
         2,
         kAny,
         RunSet},
        {"export-csv",
         kFiles,
         "FILE [-o CSV]",
         "the memory channels as a CSV channel list\n(to standard output without -o)",
         {"output"},
         {},
         1,
         1,
         RunExportCsv},
        {"import-csv",
         kFiles,
         "FILE CSV [--spacing auto] [--renumber [--from N]]",
         "make FILE's memory channels the CSV channel list;\nFILE stays unchanged when the "
         "list has errors;\nrows for other radios are skipped; --renumber fills\nchannels in "
         "the list's order from 1 (or N);\n--spacing auto switches to the spacing it needs",
         {"spacing", "renumber", "from"},
         {},
         2,
         2,
         RunImportCsv},
        {"airport",
         kFiles,
         "IDENT_OR_WORDS",
         "an airport's published frequencies as channels",
         {},
         {},
         1,
         kAny,
         RunAirport},
        {"add-airport",
         kFiles,
         "FILE IDENT [--types TWR,GND,...] [--from N] [--spacing auto] [--nearest]",
         "fill the first empty channels with them",
         {"types", "from", "spacing", "nearest"},
         {},
         2,
         2,
         RunAddAirport},
        {"airports",
         kFiles,
         "[--update [--from URL] [--progress]]",
         "the airport table; --update downloads the current one",
         {"update", "from", "progress"},
         {},
         0,
         0,
         RunAirports},
        {"engine",
         kFiles,
         "",
         "engine console: one command per input line,\none answer per output line",
         {},
         {},
         0,
         0,
         RunEngine},
        {"help",
         kFiles,
         "[commands]",
         "this text; help commands lists every engine\ncommand set and engine take, each "
         "COMMON.*\nsetting with its values",
         {},
         {},
         0,
         1,
         RunHelp},
        {"info",
         kRadio,
         "[--port P] [--no-beep]",
         "ask the transceiver for its model and comment",
         {"port", "no-beep"},
         {},
         0,
         0,
         RunInfo},
        {"read",
         kRadio,
         "[--port P] [--no-beep] -o FILE",
         "read the transceiver's memory into FILE",
         {"port", "no-beep", "output"},
         {"output"},
         0,
         0,
         RunRead},
        {"write",
         kRadio,
         "[--port P] [--yes] [--no-beep] [--verify] FILE",
         "write FILE into the transceiver; first lists what\nit changes against the last read "
         "backup",
         {"port", "yes", "no-beep", "verify"},
         {},
         1,
         1,
         RunWrite},
        {"ports",
         kRadio,
         "",
         "the serial devices found and the COM1..COM4 mapping",
         {},
         {},
         0,
         0,
         RunPorts},
    };
    return table;
}

std::string CliUsage() {
    std::string text = "Usage: kt-m220-cli COMMAND [ARGS]\n";
    const char* group = nullptr;
    for (const CliCommand& command : CliCommands()) {
        if (!group || std::string_view(group) != command.group) {
            group = command.group;
            text += "\n";
            text += group;
            text += ":\n";
        }
        std::string left = std::string("  ") + command.name;
        if (*command.synopsis)
            left += std::string(" ") + command.synopsis;
        CommandLine::AppendColumns(text, left, command.help, kHelpColumn);
    }
    text += kCloneNote;
    text += "\nOptions:\n";
    text += CommandLine::Help(CliOptions(), kHelpColumn);
    text += "\n";
    text += kTrailer;
    return text;
}

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err) {
    if (args.empty()) {
        err << CliUsage();
        return kUsageError;
    }
    const std::string& name = args.front();
    if (name == "--help" || name == "-h") {
        out << CliUsage();
        return 0;
    }
    if (name == "--version") {
        out << "kt-m220-cli " << KTM220_VERSION << "\n" << AirportDataVersion() << "\n";
        return 0;
    }
    const CliCommand* command = Find(name);
    if (!command) {
        err << "kt-m220-cli: unknown command '" << TerminalSafe(name) << "'\n";
        err << CliUsage();
        return kUsageError;
    }

    // Only the options this command takes are known to its parser.
    std::vector<CommandLine::OptionEntry> entries;
    for (const CommandLine::OptionEntry& entry : CliOptions())
        if (std::find(command->options.begin(), command->options.end(), entry.name) !=
            command->options.end())
            entries.push_back(entry);
    const CommandLine::Parsed parsed =
        CommandLine::Parse(entries, std::vector<std::string>(args.begin() + 1, args.end()));
    if (!parsed.Ok())
        return UsageOf(*command, err, parsed.error);
    for (const CommandLine::OptionEntry& entry : entries)
        if (!parsed.Has(entry.name) && std::find(command->required.begin(), command->required.end(),
                                                 entry.name) != command->required.end())
            return UsageOf(*command, err,
                           (entry.shortName ? std::string("-") + entry.shortName
                                            : CommandLine::Spelling(entry)) +
                               " " + entry.valueName + " is needed");
    const std::size_t count = parsed.operands.size();
    if (count < command->minOperands || count > command->maxOperands)
        return UsageOf(*command, err,
                       count < command->minOperands ? "too few arguments" : "too many arguments");
    gEngineInput = &in;
    return command->run(parsed, out, err);
}

} // namespace kt
