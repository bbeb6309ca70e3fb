#include "CKTM220Doc.h"

#include "CFileFormatError.h"
#include "CM220Radio.h"
#include "CMemoryArchive.h"
#include "CStringTable.h"
#include "CWaitCursor.h"
#include "CWritePreview.h"
#include "CommandIds.h"
#include "FileReplace.h"
#include "ICloneUi.h"

#include <QFile>
#include <QFileInfo>
#include <fstream>
#include <iterator>

namespace kt {

namespace {
// The lines from first on, one after another.
std::string JoinLines(const std::vector<std::string>& lines, std::size_t first = 0) {
    std::string text;
    for (std::size_t i = first; i < lines.size(); ++i)
        text += (i == first ? "" : "\n") + lines[i];
    return text;
}

CKTM220Doc::FileResult Failure(const QString& message, const QString& path, const QString& reason) {
    return {false, message, reason.isEmpty() ? path : path + QStringLiteral(": ") + reason};
}
} // namespace

CKTM220Doc::CKTM220Doc(std::unique_ptr<CM220Radio> radio, QObject* parent)
    : QObject(parent), radio_(radio ? std::move(radio) : std::make_unique<CM220Radio>()),
      clone_(*radio_), historyFile_("cu") {
    clone_.Comm().SetPortNumber(1);
    ApplyPortNames();
}

CKTM220Doc::~CKTM220Doc() = default;

void CKTM220Doc::SetCloneUi(ICloneUi* ui) {
    clone_.SetUi(ui);
}

bool CKTM220Doc::IsModified() {
    return modified_ || radio_->IsModified();
}

void CKTM220Doc::SetModifiedFlag(bool modified) {
    modified_ = modified;
    emit StateChanged();
}

QString CKTM220Doc::GetTitle() const {
    return pathName_.isEmpty() ? CStringTable::Text(StringId::kUntitled)
                               : QFileInfo(pathName_).fileName();
}

void CKTM220Doc::SetPathName(const QString& path) {
    pathName_ = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
}

bool CKTM220Doc::OnNewDocument() {
    radio_->NewData();
    modified_ = false;
    SetPathName({});
    ResetHistory();
    emit InitialUpdate();
    emit StateChanged();
    return true;
}

CKTM220Doc::FileResult CKTM220Doc::OnOpenDocument(const QString& path) {
    const FileResult result = LoadImage(path);
    if (!result.ok) {
        emit FileFailed(path);
        return result;
    }
    modified_ = false;
    SetPathName(path);
    ResetHistory();
    emit InitialUpdate();
    emit StateChanged();
    emit FileUsed(pathName_);
    return {};
}

CKTM220Doc::FileResult CKTM220Doc::OnOpenRecovered(const QString& path) {
    const FileResult result = LoadImage(path);
    if (!result.ok)
        return result;
    modified_ = true;
    SetPathName({});
    ResetHistory();
    emit InitialUpdate();
    emit StateChanged();
    return {};
}

CKTM220Doc::FileResult CKTM220Doc::LoadImage(const QString& path) {
    return LoadDataFile(*radio_, path);
}

CKTM220Doc::FileResult CKTM220Doc::LoadDataFile(CM220Radio& radio, const QString& path) {
    const QString unexpected = CStringTable::Text(StringId::kUnexpectedFormat);
    const QString cannotOpen = CStringTable::Text(StringId::kFailedToOpen);
    QFile file(path);
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return Failure(cannotOpen, path, QStringLiteral("not a file"));
    if (!file.open(QIODevice::ReadOnly))
        return Failure(cannotOpen, path, file.errorString());
    // The whole file is read before any of it reaches the engine, so that a
    // read error can never leave a half-read image behind.
    if (file.size() > kMaxFileSize)
        return Failure(unexpected, path, QStringLiteral("far too large for a data file"));
    const QByteArray bytes = file.read(kMaxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return Failure(cannotOpen, path, file.errorString());
    if (bytes.size() > kMaxFileSize)
        return Failure(unexpected, path, QStringLiteral("far too large for a data file"));

    try {
        CWaitCursor wait;
        CMemoryArchive archive(bytes.toStdString());
        radio.Serialize(archive);
    } catch (const CFileFormatError& e) {
        const QString answer = QString::fromStdString(e.AnswerWord());
        if (QString::fromUtf8(e.what()) == unexpected)
            return Failure(unexpected, path, answer);
        return Failure(cannotOpen, path, QString::fromUtf8(e.what()));
    }
    return {};
}

CKTM220Doc::FileResult CKTM220Doc::OnSaveDocument(const QString& path) {
    const QString cannotSave = CStringTable::Text(StringId::kFailedToSave);
    const QString unchanged = QStringLiteral("\nThe file on disk has not been changed.");
    // Writing the document clears the radio data object's edit state; it is
    // given back when the file cannot be completed, so that the changes are
    // still asked to be saved.
    const bool radioWasModified = radio_->IsModified();
    QString reason;
    try {
        CWaitCursor wait;
        CMemoryArchive archive;
        radio_->Serialize(archive);
        reason = ReplaceFile(path, archive.Bytes());
    } catch (const CFileFormatError& e) {
        reason = QString::fromUtf8(e.what());
    }
    if (!reason.isEmpty()) {
        radio_->SetModified(radioWasModified ? 1 : 0);
        return Failure(cannotSave, path, reason + unchanged);
    }
    modified_ = false;
    SetPathName(path);
    history_.MarkSaved();
    emit StateChanged();
    emit FileUsed(pathName_);
    return {};
}

void CKTM220Doc::SetPortNumber(unsigned number) {
    if (clone_.Comm().GetPortNumber() == number)
        return;
    clone_.Comm().SetPortNumber(number);
    emit PortNumberChanged(number);
}

QString CKTM220Doc::PortDevice(unsigned number) const {
    if (number < 1 || number > CPortNames::kPortCount)
        return {};
    return portDevices_[number - 1];
}

void CKTM220Doc::SetPortDevice(unsigned number, const QString& path) {
    if (number < 1 || number > CPortNames::kPortCount)
        return;
    portDevices_[number - 1] = path.trimmed();
    ApplyPortNames();
    emit PortDeviceChanged(number, portDevices_[number - 1]);
}

void CKTM220Doc::SetDemoDevice(unsigned number, const QString& path) {
    demoPort_ = number;
    demoDevice_ = path;
    ApplyPortNames();
}

CPortNames CKTM220Doc::EffectivePortNames() const {
    CPortNames names;
    for (unsigned n = 1; n <= CPortNames::kPortCount; ++n)
        names.SetDevice(n, portDevices_[n - 1].toStdString());
    if (demoPort_ != 0 && !demoDevice_.isEmpty())
        names.SetDevice(demoPort_, demoDevice_.toStdString());
    return names;
}

void CKTM220Doc::ApplyPortNames() {
    clone_.Comm().SetPortNames(EffectivePortNames());
}

CCloneCommands::Document CKTM220Doc::CloneDocument() {
    CCloneCommands::Document document;
    document.isModified = [this] { return IsModified(); };
    document.writeDetail = [this] { return JoinLines(WritePreview()); };
    document.onImageRead = [this] {
        SetModifiedFlag(true);
        // The contents are the transceiver's now; the edits before them are
        // no longer steps back from here.
        ResetHistory();
        UpdateAllViews();
    };
    return document;
}

QString CKTM220Doc::BackupFolder() const {
    if (!backupFolder_.isEmpty())
        return backupFolder_;
    return QString::fromStdString(CBackupStore::DefaultFolder());
}

// A backup that could not be kept does not fail the command, but the user
// relies on it being there, so it is said.
void CKTM220Doc::ReportBackupNote(bool read) {
    if (clone_.LastBackupNote().empty() || !clone_.Ui())
        return;
    const std::string text = read ? " No backup of the data read could be kept."
                                  : " No backup of the data written could be kept.";
    clone_.Ui()->MessageBox(text, clone_.LastBackupNote());
}

int CKTM220Doc::OnCloneRead() {
    if (!clone_.Ui())
        return -1;
    clone_.SetBackupFolder(BackupFolder().toStdString());
    const int outcome = clone_.Read(CloneDocument());
    ReportBackupNote(true);
    emit StateChanged();
    return outcome;
}

int CKTM220Doc::OnCloneWrite() {
    if (!clone_.Ui())
        return -1;
    clone_.SetBackupFolder(BackupFolder().toStdString());
    lastVerification_.reset();
    const int outcome = clone_.Write(CloneDocument());
    ReportBackupNote(false);
    if (outcome == CloneOutcome::kCompleted && verifyAfterWrite_)
        VerifyWrite();
    return outcome;
}

std::vector<std::string> CKTM220Doc::WritePreview() {
    const std::string folder = BackupFolder().toStdString();
    const std::string lastRead =
        folder.empty() ? std::string() : CBackupStore(folder).Newest(CBackupStore::Kind::Read);
    return CWritePreview::Lines(*radio_, lastRead, CBackupStore::DateOf(lastRead));
}

// Reads the transceiver back into a radio data object of its own and
// compares it with the contents just sent. The read-back is kept as a read
// backup, so that the next write is told against what the transceiver holds.
void CKTM220Doc::VerifyWrite() {
    const std::string sentBackup = clone_.LastBackupPath();
    // What went out is what the clone file holds now (the contents as the
    // engine saved them), before the read-back brings the transceiver's in.
    CM220Radio sent;
    sent.NewData();
    if (!sent.LoadDataFile(clone_.CloneFilePath())) {
        lastVerification_ = CWriteVerification::NotVerified(
            "what was sent could not be read again from the clone file " + clone_.CloneFilePath());
        ShowVerification(*lastVerification_);
        return;
    }
    CM220Radio readBack;
    readBack.NewData();
    std::string problem;
    int outcome = CloneOutcome::kFailed;
    {
        CWaitCursor wait;
        outcome = clone_.ReadBack(readBack, problem);
    }
    lastVerification_ = outcome == CloneOutcome::kCompleted
                            ? CWriteVerification::Compare(sent, readBack, sentBackup)
                            : CWriteVerification::NotVerified(problem);
    ShowVerification(*lastVerification_);
}

// After the write's own status, box and beeps: a verified write only says so
// in the status bar; a transceiver that holds something else is a failure,
// with its beeps and a message that lists what differs; a read-back without
// answer is told, but is no failure of the write.
void CKTM220Doc::ShowVerification(const CWriteVerification& verification) {
    ICloneUi* ui = clone_.Ui();
    if (!ui || verification.lines.empty())
        return;
    const std::string& heading = verification.lines.front();
    std::string detail = JoinLines(verification.lines, 1);
    switch (verification.verdict) {
    case CWriteVerification::Verdict::Verified:
        ui->SetStatusText(" " + heading);
        return;
    case CWriteVerification::Verdict::Differs:
        if (!clone_.ReadBackPath().empty())
            detail +=
                "\nWhat the transceiver holds now is kept in the backup " + clone_.ReadBackPath();
        clone_.Comm().SignalResult(false);
        ui->SetStatusText(" Verification failed: the transceiver does not hold what was written.");
        ui->MessageBox(heading, detail);
        return;
    case CWriteVerification::Verdict::NotVerified:
        ui->SetStatusText(" Written, but not verified.");
        ui->MessageBox(heading, "Read the transceiver to see what it holds now.");
        return;
    }
}

int CKTM220Doc::OnCloneInformation() {
    return clone_.Information();
}

void CKTM220Doc::UpdateAllViews() {
    emit ViewsUpdateRequested();
}

std::string CKTM220Doc::ContentBytes() {
    if (!historyFile_.IsValid())
        return {};
    radio_->SaveDataFile(historyFile_.Path());
    std::ifstream file(historyFile_.Path(), std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad())
        bytes.clear();
    return bytes;
}

CEditHistory::State CKTM220Doc::CurrentState() {
    CEditHistory::State state;
    state.modified = IsModified();
    state.bytes = ContentBytes();
    return state;
}

// Loads the state as a document file is opened, then takes its modified state.
bool CKTM220Doc::RestoreState(const CEditHistory::State& state) {
    try {
        CWaitCursor wait;
        CMemoryArchive archive(state.bytes);
        radio_->Serialize(archive);
    } catch (const CFileFormatError&) {
        return false;
    }
    modified_ = state.modified;
    return true;
}

void CKTM220Doc::ResetHistory() {
    history_.Reset(CurrentState());
    emit HistoryChanged();
}

void CKTM220Doc::RecordEdit() {
    const bool couldUndo = history_.CanUndo();
    const bool couldRedo = history_.CanRedo();
    history_.Record(CurrentState());
    if (history_.CanUndo() != couldUndo || history_.CanRedo() != couldRedo)
        emit HistoryChanged();
}

bool CKTM220Doc::StepHistory(bool back) {
    const auto restore = [this](const CEditHistory::State& state) { return RestoreState(state); };
    const bool done = back ? history_.Undo(restore) : history_.Redo(restore);
    if (done) {
        UpdateAllViews();
        emit StateChanged();
        emit HistoryChanged();
    }
    return done;
}

} // namespace kt
