#pragma once

#include "CCloneComm.h"
#include "CCloneCommands.h"
#include "CEditHistory.h"
#include "CM220Radio.h"
#include "CPortNames.h"
#include "CTempFile.h"
#include "CWriteVerification.h"
#include "CloneSession.h"

#include <QObject>
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kt {

class ICloneUi;

// The one document of the program: the transceiver's memory contents (the
// radio data object), the clone engine with its serial port choice, and the
// clone file through which the two exchange memory contents. It reads and
// writes data files, knows whether it is modified, carries the commands of the
// COM Port and Clone menus and keeps the history of edits. Its questions and
// messages are the main window's (CDocumentCommands); its port choice is
// loaded and kept by the main window through the settings store.
class CKTM220Doc : public QObject {
    Q_OBJECT

public:
    // A data file is about 1.2 kB; anything larger than this is not one.
    static constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

    // The outcome of reading or writing a file; message and detail are for
    // the user (detail names the file and the system's reason).
    struct FileResult {
        bool ok = true;
        QString message;
        QString detail;
    };

    // Takes radio as its radio data object (a test may give its own); a
    // new CM220Radio otherwise. The port is COM1, every device found.
    explicit CKTM220Doc(std::unique_ptr<CM220Radio> radio = nullptr, QObject* parent = nullptr);
    // The clone file is deleted.
    ~CKTM220Doc() override;

    CM220Radio& GetRadio() { return *radio_; }
    CCloneComm& GetCloneComm() { return clone_.Comm(); }
    const std::string& CloneFilePath() const { return clone_.CloneFilePath(); }

    // The user interface of the clone commands.
    void SetCloneUi(ICloneUi* ui);

    // Modified: the document's own flag, or else the radio data object's
    // edit state.
    bool IsModified();
    void SetModifiedFlag(bool modified = true);
    // The file of the document; empty while it is untitled.
    const QString& GetPathName() const { return pathName_; }
    // "Untitled", or the file's name.
    QString GetTitle() const;

    // The document operations themselves, without questions or messages.
    bool OnNewDocument();
    // Reads a data file. A file the engine refuses gives "Unexpected file
    // format." and leaves the document as it was; FileFailed tells of it.
    FileResult OnOpenDocument(const QString& path);
    // Reads a data file into radio (a radio data object of its own, made new)
    // as the document reads its own: a file the engine refuses gives
    // "Unexpected file format." and radio is left as it was.
    static FileResult LoadDataFile(CM220Radio& radio, const QString& path);
    // Reads a data file kept when the program was ended with unsaved changes:
    // the document is untitled and modified, as it was then.
    FileResult OnOpenRecovered(const QString& path);
    // Writes a data file through the atomic replace: on failure the old file stays
    // as it was, and so does the document's modified state.
    FileResult OnSaveDocument(const QString& path);

    // The contents as the bytes of a data file, written by the engine without
    // touching the edit state (as a clone write takes them); empty when the
    // file could not be written or read.
    std::string ContentBytes();

    // COM1 to COM4: the number the clone engine opens ("COM<n>").
    unsigned PortNumber() const { return clone_.Comm().GetPortNumber(); }
    void SetPortNumber(unsigned number);
    // The device chosen for port number (1 to 4); empty for "find it".
    // PortDeviceChanged tells of a new choice.
    QString PortDevice(unsigned number) const;
    void SetPortDevice(unsigned number, const QString& path);
    // For this run only, port number stands for the device path (the
    // virtual transceiver of the demonstration); not stored.
    void SetDemoDevice(unsigned number, const QString& path);
    // The port that stands for the virtual transceiver (0 for none) and its
    // device.
    unsigned DemoPort() const { return demoDevice_.isEmpty() ? 0 : demoPort_; }
    const QString& DemoDevice() const { return demoDevice_; }
    // The devices the clone engine uses for COM1 to COM4 now.
    CPortNames EffectivePortNames() const;

    // The commands of the Clone menu. Each returns the outcome code of the
    // clone commands (CCloneCommands), or -1 when the user declined the
    // question or there is no user interface to ask it.
    int OnCloneRead();
    int OnCloneWrite();
    int OnCloneInformation();

    // What a write of the contents would change on the transceiver, against
    // the newest read of it kept in the backup folder (CWritePreview); Write
    // asks its question with these lines.
    std::vector<std::string> WritePreview();

    // Whether a write that completed is read back and compared with what was
    // sent (on unless switched off). The verdict follows the write's own
    // outcome: a status text when the transceiver holds what was written, a
    // message listing what differs, or one saying that it was written but
    // not verified.
    bool VerifyAfterWrite() const { return verifyAfterWrite_; }
    void SetVerifyAfterWrite(bool on) { verifyAfterWrite_ = on; }
    // The verdict of the last write's verification; nothing when the last
    // write was not read back.
    const std::optional<CWriteVerification>& LastVerification() const { return lastVerification_; }

    // Where Read and Write keep their backups: the folder set here, or else
    // CBackupStore's default folder (empty when no home folder is known).
    void SetBackupFolder(const QString& folder) { backupFolder_ = folder; }
    QString BackupFolder() const;
    // The backup the last Read or Write kept, and why it kept none (empty
    // when it kept one or had nothing to keep).
    QString LastBackupPath() const { return QString::fromStdString(clone_.LastBackupPath()); }
    QString LastBackupNote() const { return QString::fromStdString(clone_.LastBackupNote()); }

    // Undo and redo of the edits of the memory contents: the channel edits,
    // the Setting sheet and a channel list import. After every such command
    // RecordEdit takes the contents as they are now; a command that changed
    // them becomes one step. New, Open and a successful Read start a new
    // history. A step back or forward loads the whole image as a data file is
    // loaded, the views show it again, and the modified state is the one the
    // document had in that state (saving makes the saved state unmodified).
    void RecordEdit();
    bool CanUndo() const { return history_.CanUndo(); }
    bool CanRedo() const { return history_.CanRedo(); }
    // A step back (Undo) or forward (Redo). False when there is no step, or
    // the step could not be loaded (the contents are then as they were).
    bool StepHistory(bool back);
    const CEditHistory& History() const { return history_; }

public slots:
    // Asks every view to show the contents again.
    void UpdateAllViews();

signals:
    // A new document was made or a file opened: the views select channel 1
    // and show everything.
    void InitialUpdate();
    // The contents changed (a clone read, the settings sheet).
    void ViewsUpdateRequested();
    // The file name, the title or the modified state may have changed.
    void StateChanged();
    void PortNumberChanged(unsigned number);
    void PortDeviceChanged(unsigned number, const QString& path);
    // A file was opened or saved (for the recent-file list), or could not be
    // opened.
    void FileUsed(const QString& path);
    void FileFailed(const QString& path);
    // Undo or redo may have become possible or impossible.
    void HistoryChanged();

private:
    FileResult LoadImage(const QString& path);
    void VerifyWrite();
    void ShowVerification(const CWriteVerification& verification);
    void SetPathName(const QString& path);
    void ApplyPortNames();
    CCloneCommands::Document CloneDocument();
    void ReportBackupNote(bool read);
    CEditHistory::State CurrentState();
    bool RestoreState(const CEditHistory::State& state);
    void ResetHistory();

    std::unique_ptr<CM220Radio> radio_;
    CloneSession clone_;
    // Where the contents are written to be taken into the edit history.
    CTempFile historyFile_;
    CEditHistory history_;
    bool modified_ = false;
    QString pathName_;
    std::array<QString, CPortNames::kPortCount> portDevices_;
    unsigned demoPort_ = 0;
    QString demoDevice_;
    QString backupFolder_;
    bool verifyAfterWrite_ = true;
    std::optional<CWriteVerification> lastVerification_;
};

} // namespace kt
