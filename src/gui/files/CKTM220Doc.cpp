#include "CKTM220Doc.h"

#include "CFileFormatError.h"
#include "CM220Radio.h"
#include "CMemoryArchive.h"
#include "CStringTable.h"
#include "CWaitCursor.h"
#include "CommandIds.h"
#include "FileReplace.h"
#include "ICloneUi.h"

#include <QFile>
#include <QFileInfo>
#include <fstream>
#include <iterator>

namespace kt {

namespace {
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
    const int outcome = clone_.Write(CloneDocument());
    ReportBackupNote(false);
    return outcome;
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
