#include "CCloneCommands.h"

#include "CCloneComm.h"
#include "CM220Radio.h"
#include "CPortAccess.h"
#include "CloneMessages.h"
#include "ICloneUi.h"

#include <algorithm>
#include <functional>

namespace kt {

namespace {
// Holds the wait cursor for as long as it lives.
class WaitCursor {
public:
    explicit WaitCursor(ICloneUi& ui) : ui_(ui) { ui_.BeginWaitCursor(); }
    ~WaitCursor() { ui_.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    ICloneUi& ui_;
};

// The device and the system's reason when the port could not be opened, with
// who owns the device and what to do about it.
std::string PortDetail(const CPortError& error) {
    return CPortAccess::Describe(error);
}
} // namespace

CCloneCommands::CCloneCommands(CM220Radio& radio, CCloneComm& comm, ICloneUi& ui,
                               std::string cloneFile, Document document)
    : radio_(radio), comm_(comm), ui_(ui), cloneFile_(std::move(cloneFile)),
      document_(std::move(document)) {}

bool CCloneCommands::IdentityMatches() const {
    const CIdentityRecord& reported = comm_.GetIdentity();
    const CIdentityRecord& own = radio_.GetIdentity();
    return reported.model == own.model && reported.revision == own.revision;
}

void CCloneCommands::SetCodesFromRadio() {
    comm_.SetModelCode(radio_.GetIdentity().model);
    comm_.SetRevisionCode(radio_.GetIdentity().revision);
}

int CCloneCommands::RunInformationUnderWaitCursor() {
    comm_.SetFile(cloneFile_);
    WaitCursor wait(ui_);
    return comm_.RunInformation();
}

void CCloneCommands::KeepBackup(CBackupStore::Kind kind) {
    CBackupStore store(backupFolder_.empty() ? CBackupStore::DefaultFolder() : backupFolder_);
    const CBackupStore::Result kept = store.StoreFile(cloneFile_, kind);
    lastBackupPath_ = kept.path;
    lastBackupNote_ = kept.error;
}

int CCloneCommands::Read() {
    lastBackupPath_.clear();
    lastBackupNote_.clear();
    if (document_.isModified && document_.isModified() &&
        !ui_.AskOkCancel(std::string(CloneText::kAskRead) + "," + CloneText::kDataEdited))
        return kDeclined;
    const int outcome = IdentifyThen([this] {
        const int read = comm_.RunRead();
        if (read != CloneOutcome::kCompleted)
            return read;
        // A clone file the engine does not take is a failed read: the
        // document stays as it was.
        if (!radio_.LoadDataFile(cloneFile_))
            return CloneOutcome::kFailed;
        // The clone file holds the records exactly as they came.
        KeepBackup(CBackupStore::Kind::Read);
        if (document_.onImageRead)
            document_.onImageRead();
        return read;
    });
    comm_.SignalResult(outcome == CloneOutcome::kCompleted);
    Report(CloneCommand::Read, outcome);
    return outcome;
}

int CCloneCommands::Write() {
    lastBackupPath_.clear();
    lastBackupNote_.clear();
    const std::string detail = document_.writeDetail ? document_.writeDetail() : std::string();
    if (!ui_.AskOkCancel(CloneText::kAskWrite, detail))
        return kDeclined;
    const int outcome = IdentifyThen([this] {
        radio_.SaveDataFile(cloneFile_);
        KeepBackup(CBackupStore::Kind::Write);
        comm_.SetFile(cloneFile_);
        return comm_.RunWrite();
    });
    comm_.SignalResult(outcome == CloneOutcome::kCompleted);
    Report(CloneCommand::Write, outcome);
    return outcome;
}

int CCloneCommands::IdentifyThen(const std::function<int()>& exchange) {
    const int outcome = RunInformationUnderWaitCursor();
    if (outcome != CloneOutcome::kCompleted)
        return outcome;
    if (!IdentityMatches())
        return CloneOutcome::kIllegalIdentity;
    SetCodesFromRadio();
    WaitCursor wait(ui_);
    return exchange();
}

int CCloneCommands::Information() {
    int outcome = RunInformationUnderWaitCursor();
    if (outcome == CloneOutcome::kCompleted && IdentityMatches()) {
        SetCodesFromRadio();
        comm_.SignalResult(true);
        const CIdentityRecord& id = comm_.GetIdentity();
        const std::size_t n = std::min<std::size_t>(id.length, 16);
        const std::string comment(reinterpret_cast<const char*>(id.data.data()), n);
        ui_.ShowInformation(radio_.GetModelName(), comment);
    } else {
        if (outcome == CloneOutcome::kCompleted)
            outcome = CloneOutcome::kIllegalIdentity;
        comm_.SignalResult(false);
        Report(CloneCommand::Information, outcome);
    }
    SetCodesFromRadio();
    return outcome;
}

void CCloneCommands::Report(CloneCommand command, int outcome) {
    const CloneMessage message = MessageForOutcome(command, outcome);
    if (!message.status.empty())
        ui_.SetStatusText(message.status);
    if (message.box.empty())
        return;
    std::string detail;
    if (outcome == CloneOutcome::kPortFailed)
        detail = PortDetail(comm_.LastOpenError());
    else if (outcome == CloneOutcome::kFailed && comm_.LastFileError().code != 0)
        detail = "Clone file " + comm_.LastFileError().path + ": " + comm_.LastFileError().reason;
    else if (outcome == CloneOutcome::kFailed)
        detail = DiagnosisText(comm_.LastDiagnosis(), comm_.LastOpenError().device);
    ui_.MessageBox(message.box, detail);
}

} // namespace kt
