#include "CloneCommandsCli.h"

#include "AtomicReplace.h"
#include "CCliSettings.h"
#include "CCloneComm.h"
#include "CM220Radio.h"
#include "CPortNames.h"
#include "CTerminalCloneUi.h"
#include "CWritePreview.h"
#include "CWriteVerification.h"
#include "CliStatus.h"
#include "CloneMessages.h"
#include "CloneSession.h"
#include "DocumentFile.h"
#include "TerminalText.h"

#include <optional>
#include <ostream>

namespace kt {

namespace {
struct CloneArgs {
    std::string port;
    std::string file; // -o FILE for read, FILE for write
    bool yes = false;
    bool beep = true;
    bool verify = false;
};

// The clone options; nothing when the port is given empty, which is a
// mistake (an unset variable, say), not a request for the stored port.
std::optional<CloneArgs> Options(const CommandLine::Parsed& args, std::string file) {
    if (args.Has("port") && args.Value("port").empty())
        return std::nullopt;
    return CloneArgs{args.Value("port"), std::move(file), args.Has("yes"), !args.Has("no-beep"),
                     args.Has("verify")};
}

// One clone command from the terminal: the radio data object, its clone
// session on the port the arguments or the settings name, and the terminal's
// user interface.
class TerminalClone {
public:
    TerminalClone(const CloneArgs& args, std::ostream& out, std::ostream& err)
        : ui_(out, err, {args.yes, args.beep}), session_(radio_, &ui_) {
        radio_.NewData();
        const CCliSettings settings = CCliSettings::Load();
        CPortNames names;
        settings.ApplyTo(names);
        CCloneComm& comm = session_.Comm();
        comm.SetPortNames(names);
        const unsigned number = CPortNames::PortNumberOf(args.port);
        if (args.port.empty())
            comm.SetPortNumber(settings.PortNumber());
        else if (number != 0)
            comm.SetPortNumber(number);
        else
            comm.SetPortDevice(args.port);
    }

    bool Ready(std::ostream& err) const {
        if (session_.Ready())
            return true;
        err << "kt-m220-cli: cannot make a temporary clone file\n";
        return false;
    }

    CloneSession& Session() { return session_; }
    CM220Radio& Radio() { return radio_; }

private:
    CTerminalCloneUi ui_;
    CM220Radio radio_;
    CloneSession session_;
};

// A declined question sent nothing; scripts tell it from a cancelled exchange.
int ExitStatus(int outcome) {
    return outcome == CCloneCommands::kDeclined ? kDeclinedWrite : outcome;
}

// Where the backup of a read or write went, or why none was kept.
void ReportBackup(const CloneSession& session, std::ostream& out, std::ostream& err) {
    if (!session.LastBackupPath().empty())
        out << "Backup: " << session.LastBackupPath() << "\n";
    if (!session.LastBackupNote().empty())
        err << "kt-m220-cli: note: no backup was kept: " << session.LastBackupNote() << "\n";
}

// What the write will change against the transceiver's last read, told
// before the question.
void PrintWritePreview(CM220Radio& radio, std::ostream& out) {
    const CBackupStore store(CBackupStore::DefaultFolder());
    const std::string lastRead = store.Newest(CBackupStore::Kind::Read);
    for (const std::string& line :
         CWritePreview::Lines(radio, lastRead, CBackupStore::DateOf(lastRead)))
        out << TerminalSafe(line) << "\n";
    out.flush();
}

// Reads the transceiver back after a write and tells whether it holds what
// was sent: 0 it does, 77 it holds something else, kNotVerified when the
// read-back failed.
int Verify(TerminalClone& clone, std::ostream& out) {
    CM220Radio readBack;
    readBack.NewData();
    std::string problem;
    CloneSession& session = clone.Session();
    const int outcome = session.ReadBack(readBack, problem);
    const CWriteVerification verification =
        outcome == CloneOutcome::kCompleted
            ? CWriteVerification::Compare(clone.Radio(), readBack, session.LastBackupPath())
            : CWriteVerification::NotVerified(problem);
    for (const std::string& line : verification.lines)
        out << TerminalSafe(line) << "\n";
    if (!session.ReadBackPath().empty())
        out << "Backup of the read-back: " << session.ReadBackPath() << "\n";
    switch (verification.verdict) {
    case CWriteVerification::Verdict::Verified:
        return 0;
    case CWriteVerification::Verdict::Differs:
        return CloneOutcome::kFailed;
    case CWriteVerification::Verdict::NotVerified:
        break;
    }
    return kNotVerified;
}

} // namespace

int RunInfo(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err) {
    const auto parsed = Options(args, {});
    if (!parsed)
        return Usage(err, "info [--port P] [--no-beep]");
    TerminalClone clone(*parsed, out, err);
    if (!clone.Ready(err))
        return kFileError;
    return ExitStatus(clone.Session().Information());
}

int RunRead(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err) {
    const auto parsed = Options(args, args.Value("output"));
    if (!parsed)
        return Usage(err, "read [--port P] [--no-beep] -o FILE");
    // Nothing is sent to the transceiver unless the image can be kept.
    if (const DocumentFileResult writable = CheckWritable(parsed->file); !writable.ok)
        return FileError(err, writable);
    TerminalClone clone(*parsed, out, err);
    if (!clone.Ready(err))
        return kFileError;
    const int outcome = clone.Session().Read();
    ReportBackup(clone.Session(), out, err);
    if (outcome != 0)
        return ExitStatus(outcome);
    const DocumentFileResult saved = SaveDocument(clone.Radio(), parsed->file);
    if (!saved.ok) {
        // The read itself went well: say plainly that its image is not in
        // FILE, and where it is.
        out << "Not saved: " << parsed->file << " was not written.\n";
        if (!clone.Session().LastBackupPath().empty())
            out << "The image read is kept in the backup " << clone.Session().LastBackupPath()
                << "\n";
        else
            out << "No backup holds the image read.\n";
        return FileError(err, saved);
    }
    out << "Saved " << parsed->file << "\n";
    return 0;
}

int RunWrite(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err) {
    const auto parsed = Options(args, args.operands.at(0));
    if (!parsed)
        return Usage(err, "write [--port P] [--yes] [--no-beep] [--verify] FILE");
    TerminalClone clone(*parsed, out, err);
    if (!clone.Ready(err))
        return kFileError;
    const DocumentFileResult loaded = LoadDocument(clone.Radio(), parsed->file);
    if (!loaded.ok)
        return FileError(err, loaded);
    PrintWritePreview(clone.Radio(), out);
    const int outcome = clone.Session().Write();
    ReportBackup(clone.Session(), out, err);
    if (outcome != CloneOutcome::kCompleted || !parsed->verify)
        return ExitStatus(outcome);
    return Verify(clone, out);
}

} // namespace kt
