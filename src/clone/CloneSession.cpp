#include "CloneSession.h"

#include "CM220Radio.h"
#include "ICloneUi.h"

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
