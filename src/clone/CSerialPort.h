#pragma once

#include "CFileDescriptor.h"
#include "CLineControl.h"
#include "CPortError.h"
#include "CPortLock.h"
#include "CPortNames.h"
#include "SignalCleanup.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <termios.h>

namespace kt {

class ICloneUi;

// One serial port of the computer, opened raw at 8 data bits, no parity, one
// stop bit, no flow control, with DTR inactive and RTS active. It knows
// nothing of the clone protocol. The descriptor is non-blocking: Read only
// takes bytes that have already arrived, and Write waits for the line itself.
//
// The port is used by one program at a time: a live UUCP lock file of the
// device, or another program's lock on it, refuses the open with EBUSY and
// the holder named (CPortLock); an open port holds flock(LOCK_EX | LOCK_NB)
// and TIOCEXCL. The line settings and the modem lines are kept as found at
// open and set back at close, before the locks are released and the device
// closed.
class CSerialPort {
public:
    static constexpr char kNotOpenText[] = " not Open ";
    static constexpr char kInvalidSettingText[] = " invarid setting ";
    static constexpr char kWriteErrorText[] = " write error ";
    static constexpr char kReadErrorText[] = " read error ";
    static constexpr char kErrorCaption[] = " COM Port Error    ";

    static constexpr unsigned kDefaultBaud = 9600;
    // Read never takes more than this many bytes at once.
    static constexpr std::size_t kMaxReadChunk = 256;
    // Longest time Write waits for the line to take the bytes, unless set.
    static constexpr int kDefaultWriteTimeoutMs = 3000;

    // Receives an error report: the text, the box caption and the errno value.
    using ErrorCallback =
        std::function<void(const std::string& text, const std::string& caption, int code)>;

    CSerialPort();
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // The open port's descriptor; -1 while no port is open.
    virtual int GetHandle() const;
    // Opens and configures the port unless one is open already (then it is
    // left as it is and true is returned). name is "COM1".."COM4" or a path.
    virtual bool Open(const std::string& name, unsigned baud);
    // Opens the device of name and configures the line; an invalid
    // descriptor on failure (LastOpenError tells why).
    virtual CFileDescriptor OpenPort(const std::string& name, unsigned baud);
    // Drops whatever is still queued and closes the port, if one is open.
    virtual void Close();
    virtual void ClosePort(CFileDescriptor port);
    // Writes every byte, waiting for the line as needed, for at most the
    // write time-out in all.
    virtual bool Write(const std::uint8_t* bytes, std::size_t count);
    // Reads at most min(waiting, 256, maximum) bytes of those already
    // arrived. False when none was waiting or the read failed; count is then
    // left untouched.
    virtual bool Read(std::uint8_t* buffer, std::size_t maximum, std::size_t& count);
    // Waits until everything written has left the port.
    virtual bool Flush();
    // Shows an error: to the callback when one is set, otherwise as a message
    // box of the user interface when one is set. Returns 1 (OK) when shown.
    virtual int ReportError(const std::string& text, int code);
    // Declared after the operations so that they keep their order. It drops
    // what is queued and closes the port, as Close does.
    virtual ~CSerialPort();

    bool IsOpen() const { return port_.IsValid(); }
    const std::string& PortName() const { return portName_; }
    unsigned BaudRate() const { return baud_; }

    void SetPortNames(const CPortNames& names) { portNames_ = names; }
    const CPortNames& PortNames() const { return portNames_; }
    void SetErrorCallback(ErrorCallback callback) { errorCallback_ = std::move(callback); }
    void SetUi(ICloneUi* ui) { ui_ = ui; }
    void SetWriteTimeoutMs(int ms) { writeTimeoutMs_ = ms; }
    // The calls that open, set up and close the device; the system's unless
    // a test sets its own (which must outlive the port).
    void SetLineControl(CLineControl& control) { control_ = &control; }
    ICloneUi* Ui() const { return ui_; }

    // The last failure to open a port; code 0 after a successful open.
    const CPortError& LastOpenError() const { return lastOpenError_; }

protected:
    // Waits at most timeoutMs for a byte to arrive on the open port. Returns
    // at once when one is waiting; sleeps instead when the port reports only
    // an error or a hang-up, so that a caller polling in a loop never spins.
    void WaitForInput(int timeoutMs) const;

private:
    // How the line was found at open, to be set back at close.
    struct FoundLine {
        bool known = false;
        termios line{};
        int modemLines = -1; // TIOCM_ bits; -1 when the device has none
    };

    void NoteOpenFailure(const std::string& device, int code,
                         const std::string& reason = std::string());
    void NoteInUse(const std::string& device, const std::optional<CPortLock::Holder>& holder);
    // Gives the device back as it was found: purges both queues, sets the
    // line and the modem lines back, releases the locks, closes it.
    void Release(CFileDescriptor port);

    CLineControl* control_ = &CLineControl::System();
    FoundLine found_;
    CFileDescriptor port_;
    // A terminating signal flushes, releases and closes the port too.
    CCleanupEntry portCleanup_;
    std::string portName_ = "COM1:";
    unsigned baud_ = kDefaultBaud;
    int writeTimeoutMs_ = kDefaultWriteTimeoutMs;
    CPortNames portNames_;
    CPortError lastOpenError_;
    ErrorCallback errorCallback_;
    ICloneUi* ui_ = nullptr;
};

} // namespace kt
