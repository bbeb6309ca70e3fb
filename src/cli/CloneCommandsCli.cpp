#include "CloneCommandsCli.h"

#include "CCliSettings.h"
#include "CCloneComm.h"
#include "CCloneCommands.h"
#include "CM220Radio.h"
#include "CPortNames.h"
#include "CTempFile.h"
#include "CTerminalCloneUi.h"
#include "CliStatus.h"
#include "DocumentFile.h"

#include <optional>
#include <ostream>

namespace {
// The records of a read: 0x010 to 0x1FF in 16-byte records.
constexpr unsigned kReadRecords = 31;

struct CloneArgs {
    std::string port;
    std::string file; // -o FILE for read, FILE for write
    bool yes = false;
    bool beep = true;
};

// Parses the options; fileFlag is "-o" when the file comes after it, "" when
// it stands alone, nullptr when there is none.
std::optional<CloneArgs> Parse(const std::vector<std::string>& args, const char* fileFlag) {
    CloneArgs parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--port" && i + 1 < args.size())
            parsed.port = args[++i];
        else if (a.rfind("--port=", 0) == 0)
            parsed.port = a.substr(7);
        else if (a == "--yes" || a == "-y")
            parsed.yes = true;
        else if (a == "--no-beep")
            parsed.beep = false;
        else if (fileFlag && *fileFlag && a == fileFlag && i + 1 < args.size() &&
                 parsed.file.empty())
            parsed.file = args[++i];
        else if (fileFlag && !*fileFlag && !a.empty() && a[0] != '-' && parsed.file.empty())
            parsed.file = a;
        else
            return std::nullopt;
    }
    if (fileFlag && parsed.file.empty())
        return std::nullopt;
    return parsed;
}

// Everything one clone command needs, set up as the desktop document sets it
// up: the radio data object, the clone file, the clone engine and its port.
class CloneSession {
public:
    CloneSession(const CloneArgs& args, std::ostream& out, std::ostream& err)
        : ui_(out, err, {args.yes, args.beep}), cloneFile_("cl") {
        radio_.NewData();
        const CCliSettings settings = CCliSettings::Load();
        CPortNames names;
        settings.ApplyTo(names);
        comm_.SetPortNames(names);
        comm_.SetUi(&ui_);
        comm_.SetExpectedReadRecords(kReadRecords);
        comm_.SetModelCode(static_cast<std::uint16_t>(radio_.GetIdentity().model));
        comm_.SetRevisionCode(static_cast<std::uint16_t>(radio_.GetIdentity().revision));
        const unsigned number = CPortNames::PortNumberOf(args.port);
        if (args.port.empty())
            comm_.SetPortNumber(settings.PortNumber());
        else if (number != 0)
            comm_.SetPortNumber(number);
        else
            comm_.SetPortDevice(args.port);
    }

    bool Ready(std::ostream& err) const {
        if (cloneFile_.IsValid())
            return true;
        err << "kt-m220-cli: cannot make a temporary clone file\n";
        return false;
    }

    CCloneCommands Commands() {
        return CCloneCommands(radio_, comm_, ui_, cloneFile_.Path(), {[] { return false; }, [] {}});
    }
    CM220Radio& Radio() { return radio_; }

private:
    CTerminalCloneUi ui_;
    CM220Radio radio_;
    CTempFile cloneFile_;
    CCloneComm comm_;
};

int ExitStatus(int outcome) {
    return outcome == CCloneCommands::kDeclined ? 1 : outcome;
}

// Where the backup of a read or write went, or why none was kept.
void ReportBackup(const CCloneCommands& commands, std::ostream& out, std::ostream& err) {
    if (!commands.LastBackupPath().empty())
        out << "Backup: " << commands.LastBackupPath() << "\n";
    if (!commands.LastBackupNote().empty())
        err << "kt-m220-cli: note: no backup was kept: " << commands.LastBackupNote() << "\n";
}

} // namespace

int RunInfo(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto parsed = Parse(args, nullptr);
    if (!parsed)
        return Usage(err, "info [--port P] [--no-beep]");
    CloneSession session(*parsed, out, err);
    if (!session.Ready(err))
        return kFileError;
    return ExitStatus(session.Commands().Information());
}

int RunRead(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto parsed = Parse(args, "-o");
    if (!parsed)
        return Usage(err, "read [--port P] [--no-beep] -o FILE");
    CloneSession session(*parsed, out, err);
    if (!session.Ready(err))
        return kFileError;
    CCloneCommands commands = session.Commands();
    const int outcome = commands.Read();
    ReportBackup(commands, out, err);
    if (outcome != 0)
        return ExitStatus(outcome);
    const DocumentFileResult saved = SaveDocument(session.Radio(), parsed->file);
    if (!saved.ok)
        return FileError(err, saved);
    out << "Saved " << parsed->file << "\n";
    return 0;
}

int RunWrite(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto parsed = Parse(args, "");
    if (!parsed)
        return Usage(err, "write [--port P] [--yes] [--no-beep] FILE");
    CloneSession session(*parsed, out, err);
    if (!session.Ready(err))
        return kFileError;
    const DocumentFileResult loaded = LoadDocument(session.Radio(), parsed->file);
    if (!loaded.ok)
        return FileError(err, loaded);
    CCloneCommands commands = session.Commands();
    const int outcome = commands.Write();
    ReportBackup(commands, out, err);
    return ExitStatus(outcome);
}
