#pragma once

#include "CFileDescriptor.h"

#include <cstddef>
#include <string>

namespace kt {

// A pseudo-terminal pair for tests: the program under test opens SlavePath()
// as its serial port, the test plays the other end on the master. Both ends
// are raw from the start. The object keeps a slave descriptor of its own open,
// so that the master does not hang up while the port under test is closed
// between exchanges. The master is non-blocking.
class PseudoTerminal {
public:
    PseudoTerminal();

    int Master() const { return master_.Get(); }
    int Slave() const { return slave_.Get(); }
    const std::string& SlavePath() const { return slavePath_; }

    // Waits up to timeoutMs until the slave side has at least count bytes
    // waiting to be read; the number waiting at the end.
    int WaitForSlaveInput(int count, int timeoutMs) const;

private:
    CFileDescriptor master_;
    CFileDescriptor slave_;
    std::string slavePath_;
};

} // namespace kt
