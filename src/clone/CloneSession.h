#pragma once

#include "CCloneComm.h"
#include "CCloneCommands.h"
#include "CTempFile.h"
#include "DefaultImage.h"

#include <string>

namespace kt {

class CM220Radio;
class ICloneUi;

// Everything one front end needs to clone: the radio data object whose memory
// contents travel, the clone file they travel through, the clone engine with
// its port and expected record count, the backups of every read and write, and
// the outcome of the last command. The desktop document and the command line
// both run Read, Write and Information through it, so that both clone exactly
// alike.
class CloneSession {
public:
    // A read brings the region 0x010-0x1FF in 16-byte records.
    static constexpr unsigned kReadRecords = (kSavedRegionLast + 1 - kSavedRegionFirst) / 16;

    // radio must outlive the session. The clone file is made at once.
    explicit CloneSession(CM220Radio& radio, ICloneUi* ui = nullptr);
    ~CloneSession();
    CloneSession(const CloneSession&) = delete;
    CloneSession& operator=(const CloneSession&) = delete;

    // Whether the temporary clone file could be made; no command runs without.
    bool Ready() const { return cloneFile_.IsValid(); }
    const std::string& CloneFilePath() const { return cloneFile_.Path(); }

    // The user interface of the commands; null while there is none.
    void SetUi(ICloneUi* ui);
    ICloneUi* Ui() const { return ui_; }
    // The clone engine: its port number and devices.
    CCloneComm& Comm() { return comm_; }
    const CCloneComm& Comm() const { return comm_; }

    // Where Read and Write keep their backups; CBackupStore's default folder
    // when none is set.
    void SetBackupFolder(std::string folder) { backupFolder_ = std::move(folder); }

    // The Clone menu's commands (CCloneCommands), with the document's part in
    // them. Each returns the outcome code, CCloneCommands::kDeclined when the
    // user declined, and kNoUi when there is no user interface to run them.
    int Read(CCloneCommands::Document document = {});
    int Write(CCloneCommands::Document document = {});
    int Information();
    static constexpr int kNoUi = CCloneCommands::kDeclined;

    // Reads the transceiver back after a write, to verify it: the identity
    // exchange and its check, then a read into the clone file, loaded into
    // target. No question, outcome message or beep: the write has told its
    // own outcome, and the verification's follows. A read-back that loads is
    // kept as a read backup (ReadBackPath). Gives the outcome code and, when
    // it is not 0, what went wrong in problem.
    int ReadBack(CM220Radio& target, std::string& problem);
    const std::string& ReadBackPath() const { return readBackPath_; }

    // The backup the last Read or Write kept, and why it kept none.
    const std::string& LastBackupPath() const { return lastBackupPath_; }
    const std::string& LastBackupNote() const { return lastBackupNote_; }

private:
    CCloneCommands Commands(CCloneCommands::Document document);
    // Runs Read or Write and keeps where its backup went.
    int Run(int (CCloneCommands::*command)(), CCloneCommands::Document document);

    CM220Radio& radio_;
    ICloneUi* ui_ = nullptr;
    CTempFile cloneFile_;
    CCloneComm comm_;
    std::string backupFolder_;
    std::string lastBackupPath_;
    std::string lastBackupNote_;
    std::string readBackPath_;
};

} // namespace kt
