#pragma once

#include <csignal>
#include <string>
#include <termios.h>

namespace kt {

// What a program leaves behind when a signal ends it: its temporary files and
// an open serial port. Each is registered here while it exists; once Install
// has run, SIGINT, SIGTERM, SIGHUP, SIGQUIT and SIGPIPE remove every
// registered file, flush and close every registered port, and then end the
// program by the same signal with its default action, so that the exit status
// still tells which signal it was.
//
// The handler only reads what registration wrote beforehand and calls
// async-signal-safe functions (unlink, tcflush, tcsetattr, ioctl, close,
// sigaction, raise). A fixed number of entries can be registered at once; one that finds
// no free place (or a path longer than PATH_MAX) is not cleaned up by a signal
// but still by its owner.
namespace SignalCleanup {

// Installs the handler for the five signals (once; later calls do nothing).
void Install();

// SIGINT is the user's way to cancel a running clone exchange: while an
// exchange polls for it, SIGINT only marks a request, which TakeInterrupt
// answers and clears. A second SIGINT before the first is taken ends the
// program as any other signal does. SIGTERM and SIGHUP are deferred alike, so
// that the exchange can stop and set its port back as it found it:
// TerminationRequested tells the signal (0 for none) without clearing it.
// EndInterruptPolling stops deferring; a termination, or an interrupt nobody
// took, then ends the program after all.
void BeginInterruptPolling();
bool TakeInterrupt();
int TerminationRequested();
void EndInterruptPolling();

// Blocks the five signals for as long as it lives, so that a file can be
// created and registered with no signal in between.
class CBlockedSignals {
public:
    CBlockedSignals();
    ~CBlockedSignals();
    CBlockedSignals(const CBlockedSignals&) = delete;
    CBlockedSignals& operator=(const CBlockedSignals&) = delete;

private:
    sigset_t saved_;
};

} // namespace SignalCleanup

// One registered file or port, unregistered when the object dies or is reset.
// It can be moved but not copied.
class CCleanupEntry {
public:
    CCleanupEntry() = default;
    ~CCleanupEntry() { Reset(); }
    CCleanupEntry(CCleanupEntry&& other) noexcept : slot_(other.slot_) { other.slot_ = -1; }
    CCleanupEntry& operator=(CCleanupEntry&& other) noexcept;
    CCleanupEntry(const CCleanupEntry&) = delete;
    CCleanupEntry& operator=(const CCleanupEntry&) = delete;

    // A file the handler removes.
    static CCleanupEntry File(const std::string& path);
    // A serial port descriptor the handler flushes, releases and closes;
    // before that it sets the line settings back to line when given, and DTR
    // and RTS as modemLines has them (TIOCM_ bits) when not negative.
    static CCleanupEntry Port(int fd, const termios* line = nullptr, int modemLines = -1);

    bool IsRegistered() const { return slot_ >= 0; }
    void Reset();

private:
    int slot_ = -1;
};

} // namespace kt
