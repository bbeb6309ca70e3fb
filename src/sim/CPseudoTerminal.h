#pragma once

#include "CFileDescriptor.h"

#include <string>

namespace kt {

// The pseudo-terminal pair that stands in for the serial port. The program
// opens the slave end (DevicePath); the virtual transceiver works the master.
// It also keeps a slave descriptor of its own, so that the master never sees
// a hang-up when the program closes its end between exchanges.
class CPseudoTerminal {
public:
    // Opens the pair, sets it raw at once (a new pseudo-terminal echoes and
    // edits lines until then), and drops anything already queued.
    bool Open(std::string& error);
    bool IsOpen() const { return master_.IsValid(); }
    void Close();

    int Master() const { return master_.Get(); }
    const std::string& DevicePath() const { return path_; }

    // Bytes sent to the program that it has not read yet; -1 if unknown.
    int UnreadByProgram() const;
    // Lifts an exclusive-use mark the program set (TIOCEXCL): on a
    // pseudo-terminal it outlives the program's close, and would refuse the
    // program's next open when it does not run as root.
    void ClearExclusive() const;

private:
    CFileDescriptor master_;
    CFileDescriptor slave_;
    std::string path_;
};

} // namespace kt
