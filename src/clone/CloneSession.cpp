#include "CloneSession.h"

#include "CBackupStore.h"
#include "CM220Radio.h"
#include "CloneMessages.h"
#include "ICloneUi.h"

namespace kt {

CloneSession::CloneSession(CM220Radio& radio, ICloneUi* ui) : radio_(radio), cloneFile_("cl") {
    comm_.SetExpectedReadRecords(kReadRecords);
    comm_.SetFile(cloneFile_.Path());
    SetUi(ui);
}

CloneSession::~CloneSession() {
    comm_.SetUi(nullptr);
}

void CloneSession::SetUi(ICloneUi* ui) {
    ui_ = ui;
    comm_.SetUi(ui);
}

CCloneCommands CloneSession::Commands(CCloneCommands::Document document) {
    CCloneCommands commands(radio_, comm_, *ui_, cloneFile_.Path(), std::move(document));
    commands.SetBackupFolder(backupFolder_);
    return commands;
}

int CloneSession::Run(int (CCloneCommands::*command)(), CCloneCommands::Document document) {
    lastBackupPath_.clear();
    lastBackupNote_.clear();
    if (!ui_)
        return kNoUi;
    CCloneCommands commands = Commands(std::move(document));
    const int outcome = (commands.*command)();
    lastBackupPath_ = commands.LastBackupPath();
    lastBackupNote_ = commands.LastBackupNote();
    return outcome;
}

int CloneSession::Read(CCloneCommands::Document document) {
    return Run(&CCloneCommands::Read, std::move(document));
}

int CloneSession::Write(CCloneCommands::Document document) {
    return Run(&CCloneCommands::Write, std::move(document));
}

int CloneSession::Information() {
    if (!ui_)
        return kNoUi;
    return Commands({}).Information();
}

int CloneSession::ReadBack(CM220Radio& target, std::string& problem) {
    readBackPath_.clear();
    problem.clear();
    if (!ui_) {
        problem = "there is no user interface to read with";
        return kNoUi;
    }
    comm_.SetFile(cloneFile_.Path());
    int outcome = comm_.RunInformation();
    if (outcome == CloneOutcome::kCompleted) {
        const CIdentityRecord& reported = comm_.GetIdentity();
        const CIdentityRecord& own = radio_.GetIdentity();
        if (reported.model != own.model || reported.revision != own.revision) {
            outcome = CloneOutcome::kIllegalIdentity;
        } else {
            comm_.SetModelCode(own.model);
            comm_.SetRevisionCode(own.revision);
            outcome = comm_.RunRead();
            if (outcome == CloneOutcome::kCompleted && !target.LoadDataFile(cloneFile_.Path()))
                outcome = CloneOutcome::kFailed;
        }
    }
    if (outcome == CloneOutcome::kCompleted) {
        CBackupStore store(backupFolder_.empty() ? CBackupStore::DefaultFolder() : backupFolder_);
        readBackPath_ = store.StoreFile(cloneFile_.Path(), CBackupStore::Kind::Read).path;
        return outcome;
    }
    if (outcome == CloneOutcome::kCancelled)
        problem = "the read-back was cancelled";
    else if (outcome == CloneOutcome::kIllegalIdentity)
        problem = "the transceiver answered as another model or revision";
    else if (outcome == CloneOutcome::kPortFailed)
        problem = "the port could not be opened again";
    else {
        problem = DiagnosisText(comm_.LastDiagnosis(), comm_.LastOpenError().device);
        if (problem.empty())
            problem = "the read-back did not come through";
    }
    return outcome;
}

} // namespace kt
