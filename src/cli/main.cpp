#include "AirportCommands.h"
#include "CloneCommandsCli.h"
#include "CsvCommands.h"
#include "DataFileCommands.h"
#include "EngineConsole.h"
#include "PortsCommand.h"
#include "SignalCleanup.h"

#include "TerminalText.h"

#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {
const char kUsage[] =
    "Usage: kt-m220-cli COMMAND [ARGS]\n"
    "\n"
    "Data files (.vkf) and the engine:\n"
    "  new -o FILE              a new data file holding the default image\n"
    "  show FILE                the channels and settings of a data file\n"
    "  set FILE [--heal] COMMAND...\n"
    "                           apply engine commands, heal, save FILE again;\n"
    "                           a value the radio would store differently is\n"
    "                           refused unless --heal accepts what it stores\n"
    "  export-csv FILE [-o CSV] the memory channels as a CSV channel list\n"
    "                           (to standard output without -o)\n"
    "  import-csv FILE CSV [--spacing auto] [--renumber [--from N]]\n"
    "                           make FILE's memory channels the CSV channel list;\n"
    "                           FILE stays unchanged when the list has errors;\n"
    "                           rows for other radios are skipped; --renumber fills\n"
    "                           channels in the list's order from 1 (or N);\n"
    "                           --spacing auto switches to the spacing it needs\n"
    "  airport IDENT_OR_WORDS   an airport's published frequencies as channels\n"
    "  add-airport FILE IDENT [--types TWR,GND,...] [--from N] [--spacing auto]\n"
    "              [--nearest]  fill the first empty channels with them\n"
    "  airports [--update [--from URL]]\n"
    "                           the airport table; --update downloads the current one\n"
    "  engine                   engine console: one command per input line,\n"
    "                           one answer per output line\n"
    "\n"
    "The transceiver (through the cloning cable):\n"
    "  info  [--port P]         ask the transceiver for its model and comment\n"
    "  read  [--port P] -o FILE read the transceiver's memory into FILE\n"
    "  write [--port P] [--yes] FILE\n"
    "                           write FILE into the transceiver\n"
    "  read and write first keep a copy of the image in\n"
    "  $XDG_DATA_HOME/Velk/KT-M220/backups (~/.local/share/... by default).\n"
    "  ports                    the serial devices found and the COM1..COM4 mapping\n"
    "  P is COM1 to COM4 or a device path; without --port the port chosen in\n"
    "  the desktop program is used. --yes answers OK to the question before a\n"
    "  write; --no-beep keeps the beeps quiet. Ctrl-C cancels a read or write.\n"
    "\n"
    "Options:\n"
    "  --help                   show this help\n"
    "  --version                show the version\n"
    "\n"
    "Exit status: 0 done, 2 wrong use, 3 a file that cannot be read or written\n"
    "(missing, read-only, not a regular file, or a CSV channel list with errors),\n"
    "4 a value set would store differently (nothing saved; see --heal), or a\n"
    "channel the spacing cannot hold (see --spacing auto),\n"
    "5 the write was not confirmed (nothing sent), 6 too few empty channels;\n"
    "for the transceiver commands the clone outcome: 1 cancelled, 77 failed,\n"
    "80 no identity line, 85 not a transceiver this program serves,\n"
    "91 the serial port cannot be opened.\n"
    "A signal that ends the program (Ctrl-C outside a read or write exchange,\n"
    "SIGTERM, SIGHUP, SIGQUIT, SIGPIPE) first removes its temporary files.\n";

int Usage(std::ostream& out, int status) {
    out << kUsage;
    return status;
}
} // namespace

int main(int argc, char** argv) {
    // A signal that ends the program first removes its temporary files and
    // closes the port.
    SignalCleanup::Install();
    if (argc < 2)
        return Usage(std::cerr, 2);
    const std::string_view command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "--help" || command == "-h" || command == "help")
        return Usage(std::cout, 0);
    if (command == "--version") {
        std::cout << "kt-m220-cli " << KTM220_VERSION << "\n" << AirportDataVersion() << "\n";
        return 0;
    }
    if (command == "engine") {
        std::ios::sync_with_stdio(false);
        return RunEngineConsole(std::cin, std::cout);
    }
    if (command == "new")
        return RunNew(args, std::cout, std::cerr);
    if (command == "show")
        return RunShow(args, std::cout, std::cerr);
    if (command == "set")
        return RunSet(args, std::cout, std::cerr);
    if (command == "export-csv")
        return RunExportCsv(args, std::cout, std::cerr);
    if (command == "import-csv")
        return RunImportCsv(args, std::cout, std::cerr);
    if (command == "airport")
        return RunAirport(args, std::cout, std::cerr);
    if (command == "add-airport")
        return RunAddAirport(args, std::cout, std::cerr);
    if (command == "airports")
        return RunAirports(args, std::cout, std::cerr);
    if (command == "info")
        return RunInfo(args, std::cout, std::cerr);
    if (command == "read")
        return RunRead(args, std::cout, std::cerr);
    if (command == "write")
        return RunWrite(args, std::cout, std::cerr);
    if (command == "ports")
        return RunPorts(args, std::cout, std::cerr);
    std::cerr << "kt-m220-cli: unknown command '" << TerminalSafe(command) << "'\n";
    return Usage(std::cerr, 2);
}
