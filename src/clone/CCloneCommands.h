#pragma once

#include "CBackupStore.h"
#include "CloneMessages.h"

#include <functional>
#include <string>

namespace kt {

class CCloneComm;
class CM220Radio;
class ICloneUi;

// The three commands of the Clone menu: Read, Write and Information. Each
// drives the clone engine, checks that the transceiver is the model and
// revision the radio data object describes, moves the memory contents between
// the radio data object and the clone file, and tells the user the outcome
// with a status text, a message box and a beep pattern. The desktop document
// and the command line both run them.
class CCloneCommands {
public:
    struct Document {
        // Whether the document counts as modified (Read asks first then).
        std::function<bool()> isModified;
        // After a successful Read: mark the document modified, update views.
        std::function<void()> onImageRead;
        // What the write is about to change on the transceiver, one line
        // after another, shown with Write's question; not asked when unset
        // (the command line tells it before the question).
        std::function<std::string()> writeDetail;
    };

    CCloneCommands(CM220Radio& radio, CCloneComm& comm, ICloneUi& ui, std::string cloneFile,
                   Document document);

    // Each returns the outcome code: 0 completed, 1 cancelled, 77 failed,
    // 80 no identity line, 85 wrong transceiver, 91 port not available, and
    // -1 when the user declined the question and nothing was done.
    int Read();
    int Write();
    int Information();

    static constexpr int kDeclined = -1;

    // Every successful Read keeps the image it read, and every Write the image
    // it is about to send, in the backup folder (CBackupStore). The folder is
    // CBackupStore::DefaultFolder() unless one is set here.
    void SetBackupFolder(std::string folder) { backupFolder_ = std::move(folder); }
    // The backup the last Read or Write stored; empty when it stored none.
    const std::string& LastBackupPath() const { return lastBackupPath_; }
    // Why the last Read or Write could not store its backup; empty when it did
    // or had nothing to store. A backup that fails never fails the command.
    const std::string& LastBackupNote() const { return lastBackupNote_; }

private:
    bool IdentityMatches() const;
    void SetCodesFromRadio();
    int RunInformationUnderWaitCursor();
    // The information exchange, then, for the radio this program serves, its
    // codes taken and exchange run under the wait cursor; the outcome of the
    // first step that did not complete.
    int IdentifyThen(const std::function<int()>& exchange);
    void Report(CloneCommand command, int outcome);
    void KeepBackup(CBackupStore::Kind kind);

    CM220Radio& radio_;
    CCloneComm& comm_;
    ICloneUi& ui_;
    std::string cloneFile_;
    Document document_;
    std::string backupFolder_;
    std::string lastBackupPath_;
    std::string lastBackupNote_;
};

} // namespace kt
