#pragma once

#include "CByteString.h"
#include "CCloneFile.h"
#include "CFileError.h"
#include "CFrameStream.h"
#include "CIdentityRecord.h"
#include "CSerialPort.h"
#include "CloneMessages.h"

#include <cstdint>
#include <string>

namespace kt {

// The clone engine: runs the information, read and write exchanges with the
// transceiver over the cloning cable. Every byte sent comes back as its echo,
// which paces the exchange and checks the line. Read writes the received
// records into the clone file (a data file); Write sends the record lines of
// the clone file. Serial errors are never shown during an exchange; they end
// it as a time-out or a protocol error.
class CCloneComm : public CSerialPort {
public:
    // Exchange kinds.
    static constexpr std::uint16_t kKindRead = 1;
    static constexpr std::uint16_t kKindWrite = 3;
    static constexpr std::uint16_t kKindInformation = 4;

    // Exchange status while an exchange runs (LastStatus after it).
    static constexpr int kStatusRunning = 0;
    static constexpr int kStatusCancelled = 1;
    static constexpr int kStatusCompleted = 2;
    static constexpr int kStatusProtocolError = 80;
    static constexpr int kStatusNoEcho = 81;   // also every time-out of a write
    static constexpr int kStatusNoAnswer = 82; // the request was echoed
    // More frames or bytes than the exchange can legitimately bring.
    static constexpr int kStatusTooMuch = 83;
    // Far longer than the exchange takes at the line's pace.
    static constexpr int kStatusTooLong = 84;

    static constexpr unsigned kCloneBaud = 9600;
    static constexpr int kPauseAfterOpenMs = 200;
    static constexpr int kPauseAfterRequestMs = 200;
    static constexpr int kPauseBeforeFirstRecordMs = 200;
    static constexpr int kPauseBeforeProgressEndMs = 500;
    // No complete frame for more than this many whole seconds ends an exchange.
    static constexpr long kTimeoutSeconds = 2;
    // Longest wait for a byte in one pass of the exchange loop.
    static constexpr int kIdleWaitMs = 5;
    static constexpr unsigned kDefaultExpectedReadRecords = 300;
    // A clone file's first line (the identity line) has at least this length.
    static constexpr std::size_t kIdentityLineLength = 8;

    // Every exchange ends in bounded time whatever the line brings: after
    // kBoundFactor times the frames it can legitimately receive (its records
    // and the frames around them), after that many frames of the longest
    // kind in bytes, or after kBoundSlackSeconds and kBoundFactor times its
    // duration at the line's pace, whichever comes first.
    static constexpr unsigned long kBoundFactor = 3;
    static constexpr long kBoundSlackSeconds = 8;

    CCloneComm();
    ~CCloneComm() override;

    // Outcomes: 0 completed, 1 cancelled, 77 failed, 80 (write only) no
    // identity line in the clone file, 91 the port cannot be opened.
    int RunInformation();
    int RunRead();
    int RunWrite();

    // Two short beeps for success, four long ones for failure, then a pause.
    void SignalResult(bool success);

    // The path of the clone file; it is opened and closed inside each exchange.
    void SetFile(std::string path) { filePath_ = std::move(path); }
    const std::string& File() const { return filePath_; }
    // 1 to 4: the exchange opens "COM<n>".
    void SetPortNumber(unsigned number) { portNumber_ = number; }
    unsigned GetPortNumber() const { return portNumber_; }
    // A device opened instead of "COM<n>" when not empty.
    void SetPortDevice(std::string path) { portDevice_ = std::move(path); }
    const std::string& PortDevice() const { return portDevice_; }
    void SetModelCode(std::uint16_t code);
    void SetRevisionCode(std::uint16_t code);
    // The transceiver's answer of the last successful information exchange.
    const CIdentityRecord& GetIdentity() const { return identity_; }
    // Records a read is expected to bring (the progress base).
    void SetExpectedReadRecords(unsigned count) { expectedReadRecords_ = count; }

    // How the last exchange ended: one of the kStatus values.
    int LastStatus() const { return status_; }
    // What the line showed of why the last exchange failed, in plain words.
    CloneDiagnosis LastDiagnosis() const;
    // Bytes received in the last exchange (echoes included).
    unsigned long LastBytesReceived() const { return bytesReceived_; }
    // Why the clone file failed in the last exchange; code 0 when it did not.
    const CFileError& LastFileError() const { return lastFileError_; }

    // Serial errors are never shown while cloning.
    int ReportError(const std::string& text, int code) override;

protected:
    // One pass of reception: reads at most one byte; gotByte tells whether
    // one came. Returns true when the byte completed a frame.
    bool ReceiveByte(bool& gotByte);
    bool AcceptByte(std::uint8_t byte);
    void DispatchFrame();
    void BuildRequest();
    void SendFrame(const CByteString& frame);
    void SendNextRecord();
    int RunExchange(std::uint16_t kind);

    // The clock of the time-out, in whole seconds, and the fixed pauses of
    // the protocol. A double that stands in for the line may keep time of
    // its own, so that an exchange runs without real waits.
    virtual long NowSeconds() const;
    virtual void Wait(int ms);

private:
    bool EchoMatches() const;
    void CheckEcho();
    void OnIdentityAnswer();
    void OnRecord();
    void OnEndFrame();
    void OnWriteResult();
    void UpdateProgress();
    void TakeStopRequests();
    void CheckBounds(long startSeconds);
    void SetBounds();
    bool CountRecordLines();
    int FailWithFile(const CFileError& error);
    CFileError NotARecordLine(std::size_t lineNumber, const std::string& line) const;
    void NoteFileError(const CFileError& error);

    bool progressShown_ = false;
    unsigned writeRecordTotal_ = 0;
    unsigned expectedReadRecords_ = kDefaultExpectedReadRecords;
    CIdentityRecord identity_;
    unsigned portNumber_ = 1;
    std::string filePath_;
    std::string portDevice_;
    CCloneFile file_;
    CFrameStream stream_;
    CByteString request_;
    CByteString lastSent_;
    CByteString modelBytes_;
    CByteString revisionBytes_;
    std::uint16_t kind_ = 0;
    bool frameComplete_ = false;
    int timeoutStatus_ = kStatusNoEcho;
    bool endEchoed_ = false;
    unsigned recordCounter_ = 0;
    int status_ = kStatusRunning;
    CFileError lastFileError_;
    unsigned long bytesReceived_ = 0;
    unsigned long framesReceived_ = 0;
    unsigned long frameBound_ = 0;
    unsigned long byteBound_ = 0;
    long secondsBound_ = 0;
};

} // namespace kt
