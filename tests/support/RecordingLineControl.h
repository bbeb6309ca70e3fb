#pragma once

#include "CLineControl.h"

#include <string>
#include <vector>

namespace kt {

// The serial port's device calls on a real pseudo-terminal, recorded: it
// opens, locks and sets up the real device, so that bytes still travel, and
// logs every call in order. A pseudo-terminal has no modem lines, so it keeps
// DTR and RTS of its own. The test may add entries of its own (Note), to see
// the waits and frames of an exchange among the port's calls.
//
// Entries: "open", "lock", "unlock", "exclusive", "not exclusive",
// "get modem lines", "DTR on", "DTR off", "RTS on", "RTS off", "get line",
// "set line raw 9600", "set line as found", "set line", "purge both",
// "purge input", "purge output", "close".
class RecordingLineControl : public CLineControl {
public:
    // The modem lines (TIOCM_ bits) the device has before the port opens it.
    explicit RecordingLineControl(int modemLines) : modemLines_(modemLines) {}

    CFileDescriptor Open(const std::string& path, int flags) override;
    int Lock(int fd, int operation) override;
    int Ioctl(int fd, unsigned long request, int* argument) override;
    int GetAttributes(int fd, termios& line) override;
    int SetAttributes(int fd, const termios& line) override;
    int Purge(int fd, int queue) override;
    void Close(CFileDescriptor port) override;

    // Script: SetAttributes fails with EINVAL from the next call on.
    void RefuseSettings() { refuseSettings_ = true; }

    void Note(const std::string& entry) { events_.push_back(entry); }
    const std::vector<std::string>& Events() const { return events_; }
    int ModemLines() const { return modemLines_; }

private:
    int modemLines_;
    bool refuseSettings_ = false;
    bool foundKnown_ = false;
    termios found_{};
    std::vector<std::string> events_;
};

} // namespace kt
