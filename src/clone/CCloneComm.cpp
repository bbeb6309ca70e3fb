#include "CCloneComm.h"

#include "CCloneFrame.h"
#include "CloneMessages.h"
#include "ICloneUi.h"
#include "SignalCleanup.h"
#include "TextFields.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <system_error>
#include <thread>

namespace kt {

namespace {

constexpr unsigned kPercentStep = 10;
constexpr unsigned kFullPercent = 100;

constexpr int kSuccessToneHz = 1000;
constexpr int kSuccessToneMs = 50;
constexpr int kSuccessGapMs = 50;
constexpr int kFailureToneHz = 500;
constexpr int kFailureToneMs = 400;
constexpr int kFailureGapMs = 100;
constexpr int kFailureTones = 4;
constexpr int kPauseAfterSignalMs = 500;

// Frames an exchange receives besides its records: the echo of its request
// and, around the records, the end frame and its echo or the answer.
constexpr unsigned long kFramesBesideRecords = 3;
// A record frame on the line; most frames are no longer.
constexpr unsigned long kRecordFrameBytes = 46;
// The longest frame the line can bring: two start bytes, a body of 255
// bytes (the rest is dropped), the end byte.
constexpr unsigned long kLongestFrameBytes = 258;
constexpr unsigned long kBitsPerByte = 10;
constexpr unsigned long kMsPerSecond = 1000;

// The progress bar's position: the share of records done, rounded down to a
// step of 10 %, at most 100 %. Nothing is done while the base is unknown.
int ProgressPercent(unsigned done, unsigned base) {
    if (done == 0 || base == 0)
        return 0;
    const unsigned long long percent = static_cast<unsigned long long>(done) * kFullPercent / base;
    return static_cast<int>(
        std::min<unsigned long long>(percent / kPercentStep * kPercentStep, kFullPercent));
}

} // namespace

CCloneComm::CCloneComm() = default;

CCloneComm::~CCloneComm() {
    Close();
}

int CCloneComm::ReportError(const std::string&, int) {
    return 0;
}

void CCloneComm::SetModelCode(std::uint16_t code) {
    modelBytes_.Clear();
    modelBytes_ += static_cast<std::uint8_t>(code >> 8);
    modelBytes_ += static_cast<std::uint8_t>(code & 0xFF);
}

void CCloneComm::SetRevisionCode(std::uint16_t code) {
    revisionBytes_.Clear();
    revisionBytes_ += static_cast<std::uint8_t>(code >> 8);
    revisionBytes_ += static_cast<std::uint8_t>(code & 0xFF);
}

// ---------------------------------------------------------------------------
// The three exchanges

int CCloneComm::RunInformation() {
    status_ = kStatusRunning;
    lastFileError_ = {};
    return RunExchange(kKindInformation);
}

int CCloneComm::RunRead() {
    if (ICloneUi* ui = Ui())
        ui->SetStatusText(CloneText::kNowReading);
    status_ = kStatusRunning;
    lastFileError_ = {};

    if (!file_.OpenForWriting(filePath_))
        return FailWithFile(file_.Error());
    CByteString identityLine = modelBytes_;
    identityLine += revisionBytes_;
    identityLine.ToHex();
    if (!file_.WriteLine(identityLine.ToString()) || !file_.WriteLine("#"))
        return FailWithFile(file_.Error());

    int outcome = RunExchange(kKindRead);
    if (!file_.Close() && outcome == CloneOutcome::kCompleted) {
        NoteFileError(file_.Error());
        outcome = CloneOutcome::kFailed;
    }
    // A read stopped by its bounds brought something that is no clone image
    // (a device that kept sending): none of it is kept. The file stays,
    // empty, since its name is the one made for the session.
    if (status_ == kStatusTooMuch || status_ == kStatusTooLong) {
        std::error_code ignored;
        std::filesystem::resize_file(filePath_, 0, ignored);
    }
    return outcome;
}

int CCloneComm::RunWrite() {
    if (ICloneUi* ui = Ui())
        ui->SetStatusText(CloneText::kNowWriting);
    status_ = kStatusRunning;
    lastFileError_ = {};

    if (!CountRecordLines()) {
        if (lastFileError_.code != 0)
            return CloneOutcome::kFailed;
        return FailWithFile(file_.Error());
    }
    if (!file_.OpenForReading(filePath_))
        return FailWithFile(file_.Error());
    std::string identityLine;
    const CCloneFile::ReadResult first = file_.ReadLine(identityLine);
    if (first == CCloneFile::ReadResult::Failed)
        return FailWithFile(file_.Error());
    if (first == CCloneFile::ReadResult::End || identityLine.size() < kIdentityLineLength) {
        file_.Close();
        return CloneOutcome::kNoIdentityLine;
    }

    const int outcome = RunExchange(kKindWrite);
    file_.Close();
    return outcome;
}

// Counts the lines before the first empty one that are not comments; the
// identity line is one of them. Every other one must be a record line that
// can be sent: a line that cannot is refused here, before the port is opened,
// rather than in the middle of a write.
bool CCloneComm::CountRecordLines() {
    if (!file_.OpenForReading(filePath_))
        return false;
    unsigned count = 0;
    std::string line;
    for (;;) {
        const CCloneFile::ReadResult result = file_.ReadLine(line);
        if (result == CCloneFile::ReadResult::Failed)
            return false;
        if (result == CCloneFile::ReadResult::End)
            break;
        const std::string trimmed = Trim(line);
        if (trimmed.empty())
            break;
        if (trimmed.front() == '#')
            continue;
        if (count > 0 && !CCloneFrame::RecordFrame(trimmed)) {
            NoteFileError(NotARecordLine(file_.LinesRead(), trimmed));
            file_.Close();
            return false;
        }
        ++count;
    }
    file_.Close();
    writeRecordTotal_ = count;
    return true;
}

CFileError CCloneComm::NotARecordLine(std::size_t lineNumber, const std::string& line) const {
    return {filePath_, EINVAL,
            "line " + std::to_string(lineNumber) + " is not a record line: " + line};
}

int CCloneComm::FailWithFile(const CFileError& error) {
    NoteFileError(error);
    file_.Close();
    return CloneOutcome::kFailed;
}

void CCloneComm::NoteFileError(const CFileError& error) {
    if (lastFileError_.code == 0)
        lastFileError_ = error;
}

void CCloneComm::SignalResult(bool success) {
    ICloneUi* ui = Ui();
    if (ui == nullptr)
        return;
    if (success) {
        ui->Beep(kSuccessToneHz, kSuccessToneMs);
        ui->Pause(kSuccessGapMs);
        ui->Beep(kSuccessToneHz, kSuccessToneMs);
    } else {
        for (int i = 0; i < kFailureTones; ++i) {
            if (i > 0)
                ui->Pause(kFailureGapMs);
            ui->Beep(kFailureToneHz, kFailureToneMs);
        }
    }
    ui->Pause(kPauseAfterSignalMs);
}

// ---------------------------------------------------------------------------
// The exchange loop

int CCloneComm::RunExchange(std::uint16_t kind) {
    kind_ = kind;
    status_ = kStatusRunning;
    frameComplete_ = false;
    // A write result counts only after this exchange's own end frame.
    endEchoed_ = false;
    stream_.Clear();
    bytesReceived_ = 0;
    framesReceived_ = 0;
    timeoutStatus_ = kStatusNoEcho;

    ICloneUi* ui = Ui();
    progressShown_ = false;
    if ((kind == kKindRead || kind == kKindWrite) && ui != nullptr)
        progressShown_ = ui->BeginProgress();

    // From here Ctrl-C cancels and a termination signal stops the exchange,
    // in every kind of exchange, so that the port is closed as it was found.
    SignalCleanup::BeginInterruptPolling();
    const std::string name =
        portDevice_.empty() ? "COM" + std::to_string(portNumber_) : portDevice_;
    if (!Open(name, kCloneBaud)) {
        SignalCleanup::EndInterruptPolling();
        if (progressShown_)
            ui->EndProgress();
        progressShown_ = false;
        return CloneOutcome::kPortFailed;
    }

    Wait(kPauseAfterOpenMs);
    BuildRequest();
    SetBounds();
    SendFrame(request_);
    Wait(kPauseAfterRequestMs);

    timeoutStatus_ = kStatusNoEcho;
    const long startSeconds = NowSeconds();
    long lastFrameTime = startSeconds;
    recordCounter_ = 0;
    status_ = kStatusRunning;
    while (status_ == kStatusRunning) {
        bool gotByte = false;
        if (ReceiveByte(gotByte)) {
            ++framesReceived_;
            DispatchFrame();
            lastFrameTime = NowSeconds();
            frameComplete_ = false;
        }
        // Nothing waiting: let the line bring something rather than spin.
        if (!gotByte)
            WaitForInput(kIdleWaitMs);
        UpdateProgress();
        TakeStopRequests();
        CheckBounds(startSeconds);
        // Last, so that it overrides a cancel of the same pass.
        if (status_ == kStatusRunning || status_ == kStatusCancelled)
            if (NowSeconds() - lastFrameTime > kTimeoutSeconds)
                status_ = timeoutStatus_;
    }

    int outcome = CloneOutcome::kFailed;
    if (status_ == kStatusCancelled)
        outcome = CloneOutcome::kCancelled;
    else if (status_ == kStatusCompleted)
        outcome = CloneOutcome::kCompleted;

    frameComplete_ = false;
    Close();
    // The port is as it was found: a termination signal may end the program now.
    SignalCleanup::EndInterruptPolling();
    if (progressShown_) {
        Wait(kPauseBeforeProgressEndMs);
        ui->EndProgress();
        progressShown_ = false;
    }
    return outcome;
}

// The bounds of the exchange about to run, from the records it moves.
void CCloneComm::SetBounds() {
    unsigned long records = 0;
    if (kind_ == kKindRead)
        records = expectedReadRecords_;
    else if (kind_ == kKindWrite)
        records = writeRecordTotal_;
    const unsigned long frames = records + kFramesBesideRecords;
    const unsigned long lineMs =
        frames * kRecordFrameBytes * kBitsPerByte * kMsPerSecond / kCloneBaud;
    const unsigned long fixedMs = kPauseAfterOpenMs + kPauseAfterRequestMs +
                                  kPauseBeforeFirstRecordMs + kPauseBeforeProgressEndMs;
    frameBound_ = frames * kBoundFactor;
    byteBound_ = frameBound_ * kLongestFrameBytes;
    secondsBound_ =
        kBoundSlackSeconds +
        static_cast<long>(((fixedMs + lineMs) * kBoundFactor + kMsPerSecond - 1) / kMsPerSecond);
}

void CCloneComm::CheckBounds(long startSeconds) {
    if (status_ != kStatusRunning)
        return;
    if (framesReceived_ > frameBound_ || bytesReceived_ > byteBound_)
        status_ = kStatusTooMuch;
    else if (NowSeconds() - startSeconds > secondsBound_)
        status_ = kStatusTooLong;
}

// Ctrl-C (SIGINT) and a termination signal (SIGTERM, SIGHUP) while the
// exchange runs: both end it as a cancel.
void CCloneComm::TakeStopRequests() {
    if (status_ != kStatusRunning)
        return;
    if (SignalCleanup::TakeInterrupt() || SignalCleanup::TerminationRequested() != 0)
        status_ = kStatusCancelled;
}

CloneDiagnosis CCloneComm::LastDiagnosis() const {
    switch (status_) {
    case kStatusNoEcho:
        return bytesReceived_ == 0 ? CloneDiagnosis::NothingCameBack : CloneDiagnosis::None;
    case kStatusNoAnswer:
        return CloneDiagnosis::RadioDidNotAnswer;
    case kStatusTooMuch:
        return CloneDiagnosis::TooMuchReceived;
    case kStatusTooLong:
        return CloneDiagnosis::TookTooLong;
    default:
        return CloneDiagnosis::None;
    }
}

void CCloneComm::UpdateProgress() {
    if (!progressShown_)
        return;
    unsigned base = 0;
    if (kind_ == kKindWrite)
        base = writeRecordTotal_;
    else if (kind_ == kKindRead)
        base = expectedReadRecords_;
    else
        return;
    ICloneUi* ui = Ui();
    ui->SetProgress(ProgressPercent(recordCounter_, base));
    if (ui->CheckCancel())
        status_ = kStatusCancelled;
}

long CCloneComm::NowSeconds() const {
    using namespace std::chrono;
    return static_cast<long>(
        duration_cast<seconds>(steady_clock::now().time_since_epoch()).count());
}

void CCloneComm::Wait(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// ---------------------------------------------------------------------------
// Frames

bool CCloneComm::ReceiveByte(bool& gotByte) {
    std::uint8_t byte = 0;
    std::size_t count = 0;
    gotByte = Read(&byte, 1, count) && count == 1;
    if (gotByte)
        ++bytesReceived_;
    return gotByte && AcceptByte(byte);
}

bool CCloneComm::AcceptByte(std::uint8_t byte) {
    if (!stream_.AcceptByte(byte))
        return false;
    frameComplete_ = true;
    return true;
}

void CCloneComm::BuildRequest() {
    request_.Clear();
    switch (kind_) {
    case kKindInformation:
        request_ = CCloneFrame::IdentityRequest();
        break;
    case kKindRead:
        request_ = CCloneFrame::ReadRequest(modelBytes_, revisionBytes_);
        break;
    case kKindWrite:
        request_ = CCloneFrame::WriteRequest(modelBytes_, revisionBytes_);
        break;
    default:
        break;
    }
}

void CCloneComm::SendFrame(const CByteString& frame) {
    lastSent_ = CCloneFrame::Body(frame);
    // A failed write shows as a missing echo and ends in a time-out.
    Write(frame.Data(), frame.Length());
}

bool CCloneComm::EchoMatches() const {
    return !stream_.Collection().Differs(lastSent_);
}

void CCloneComm::CheckEcho() {
    if (!EchoMatches())
        status_ = kStatusProtocolError;
}

void CCloneComm::DispatchFrame() {
    switch (CCloneFrame::Classify(stream_.LastFrame())) {
    case CFrameKind::EchoIdentityRequest:
        CheckEcho();
        timeoutStatus_ = kStatusNoAnswer;
        break;
    case CFrameKind::EchoReadRequest:
        CheckEcho();
        recordCounter_ = 0;
        timeoutStatus_ = kStatusNoAnswer;
        break;
    case CFrameKind::EchoWriteRequest:
        Wait(kPauseBeforeFirstRecordMs);
        recordCounter_ = 0;
        SendNextRecord();
        break;
    case CFrameKind::EchoRecord:
        SendNextRecord();
        break;
    case CFrameKind::EchoEndFrame:
        if (EchoMatches())
            endEchoed_ = true;
        else
            status_ = kStatusProtocolError;
        break;
    case CFrameKind::IdentityAnswer:
        OnIdentityAnswer();
        break;
    case CFrameKind::Record:
        OnRecord();
        break;
    case CFrameKind::EndFrame:
        OnEndFrame();
        break;
    case CFrameKind::WriteResult:
        OnWriteResult();
        break;
    case CFrameKind::Ignored:
        break;
    }
}

void CCloneComm::OnIdentityAnswer() {
    const auto identity = CCloneFrame::IdentityAnswer(stream_.LastFrame());
    if (kind_ != kKindInformation || !identity) {
        status_ = kStatusProtocolError;
        return;
    }
    identity_ = *identity;
    status_ = kStatusCompleted;
}

void CCloneComm::OnRecord() {
    const auto line = CCloneFrame::RecordLine(stream_.LastFrame());
    if (kind_ != kKindRead || !line) {
        status_ = kStatusProtocolError;
        return;
    }
    if (!file_.WriteLine(*line)) {
        NoteFileError(file_.Error());
        status_ = kStatusProtocolError;
        return;
    }
    ++recordCounter_;
}

void CCloneComm::OnEndFrame() {
    if (kind_ != kKindRead || !CCloneFrame::IsEndFrame(stream_.LastFrame())) {
        status_ = kStatusProtocolError;
        return;
    }
    status_ = kStatusCompleted;
    recordCounter_ = expectedReadRecords_;
}

void CCloneComm::OnWriteResult() {
    if (kind_ == kKindWrite && endEchoed_ && CCloneFrame::WriteSucceeded(stream_.LastFrame()))
        status_ = kStatusCompleted;
    else
        status_ = kStatusProtocolError;
}

// Sends the frame of the next record line of the clone file after the echo
// of the previous frame, or the end frame when the lines have run out.
void CCloneComm::SendNextRecord() {
    if (!EchoMatches()) {
        status_ = kStatusProtocolError;
        return;
    }
    CByteString held;
    for (;;) {
        std::string raw;
        const CCloneFile::ReadResult result = file_.ReadLine(raw);
        if (result == CCloneFile::ReadResult::Failed) {
            // Not the end of the records: sending the end frame now would
            // let the transceiver take a partial image.
            NoteFileError(file_.Error());
            status_ = kStatusProtocolError;
            return;
        }
        if (result == CCloneFile::ReadResult::End) {
            held.Clear();
            break;
        }
        held = Trim(raw);
        if (held.IsEmpty() || held.At(0) != '#')
            break;
    }

    if (held.IsEmpty()) {
        SendFrame(CCloneFrame::EndFrame());
        recordCounter_ = writeRecordTotal_;
    } else {
        const std::string line = held.ToString();
        const auto frame = CCloneFrame::RecordFrame(line);
        if (!frame) {
            NoteFileError(NotARecordLine(file_.LinesRead(), line));
            status_ = kStatusProtocolError;
            return;
        }
        SendFrame(*frame);
        ++recordCounter_;
    }
    timeoutStatus_ = kStatusNoEcho;
}

} // namespace kt
