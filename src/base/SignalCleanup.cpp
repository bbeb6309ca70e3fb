#include "SignalCleanup.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace kt {

namespace {
constexpr std::array<int, 5> kSignals = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE};
constexpr std::size_t kSlotCount = 32;

enum SlotState : int { kFree = 0, kFilling, kFile, kPort };

// A slot is claimed by moving it from kFree to kFilling, filled, and then
// published as kFile or kPort; the handler acts only on published slots.
struct Slot {
    std::atomic<int> state{kFree};
    int fd = -1;
    char path[PATH_MAX] = {};
    // How a port's line was found, to be set again before it is closed.
    bool restoreLine = false;
    termios line{};
    int modemLines = -1;
};

std::array<Slot, kSlotCount> gSlots;
std::atomic<bool> gInstalled{false};
std::atomic<bool> gPolling{false};
std::atomic<bool> gInterruptPending{false};
std::atomic<int> gTerminationPending{0};

static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free,
              "the signal handler reads these");

void CleanUp() {
    for (Slot& slot : gSlots) {
        const int state = slot.state.load();
        if (state == kFile) {
            unlink(slot.path);
        } else if (state == kPort) {
            tcflush(slot.fd, TCIOFLUSH);
            if (slot.restoreLine)
                tcsetattr(slot.fd, TCSANOW, &slot.line);
            if (slot.modemLines >= 0) {
                for (int bit : {TIOCM_DTR, TIOCM_RTS})
                    ioctl(slot.fd, (slot.modemLines & bit) != 0 ? TIOCMBIS : TIOCMBIC, &bit);
            }
            int none = 0;
            ioctl(slot.fd, TIOCNXCL, &none);
            close(slot.fd);
        }
    }
}

// Cleans up and ends the program by sig with its default action.
[[noreturn]] void EndBy(int sig) {
    CleanUp();
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    sigaction(sig, &fallback, nullptr);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, sig);
    sigprocmask(SIG_UNBLOCK, &only, nullptr);
    raise(sig);
    // A signal whose default is to be ignored cannot come here; end anyway.
    _exit(128 + sig);
}

extern "C" void OnTerminationSignal(int sig) {
    const int savedErrno = errno;
    if (gPolling.load()) {
        int none = 0;
        const bool deferred = sig == SIGINT
                                  ? !gInterruptPending.exchange(true)
                                  : (sig == SIGTERM || sig == SIGHUP) &&
                                        gTerminationPending.compare_exchange_strong(none, sig);
        if (deferred) {
            errno = savedErrno;
            return;
        }
    }
    EndBy(sig);
}

int Claim(int state, const std::string& path, int fd, const termios* line = nullptr,
          int modemLines = -1) {
    if (path.size() >= PATH_MAX)
        return -1;
    for (std::size_t i = 0; i < gSlots.size(); ++i) {
        int expected = kFree;
        if (!gSlots[i].state.compare_exchange_strong(expected, kFilling))
            continue;
        std::memcpy(gSlots[i].path, path.c_str(), path.size() + 1);
        gSlots[i].fd = fd;
        gSlots[i].restoreLine = line != nullptr;
        if (line != nullptr)
            gSlots[i].line = *line;
        gSlots[i].modemLines = modemLines;
        gSlots[i].state.store(state);
        return static_cast<int>(i);
    }
    return -1;
}
} // namespace

namespace SignalCleanup {

void Install() {
    if (gInstalled.exchange(true))
        return;
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    for (int sig : kSignals)
        sigaddset(&action.sa_mask, sig);
    for (int sig : kSignals)
        sigaction(sig, &action, nullptr);
}

void BeginInterruptPolling() {
    gInterruptPending.store(false);
    gTerminationPending.store(0);
    gPolling.store(true);
}

bool TakeInterrupt() {
    return gInterruptPending.exchange(false);
}

int TerminationRequested() {
    return gTerminationPending.load();
}

void EndInterruptPolling() {
    gPolling.store(false);
    if (const int sig = gTerminationPending.exchange(0); sig != 0) {
        CBlockedSignals blocked;
        EndBy(sig);
    }
    if (gInterruptPending.exchange(false)) {
        CBlockedSignals blocked;
        EndBy(SIGINT);
    }
}

CBlockedSignals::CBlockedSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (int sig : kSignals)
        sigaddset(&set, sig);
    sigprocmask(SIG_BLOCK, &set, &saved_);
}

CBlockedSignals::~CBlockedSignals() {
    sigprocmask(SIG_SETMASK, &saved_, nullptr);
}

} // namespace SignalCleanup

CCleanupEntry& CCleanupEntry::operator=(CCleanupEntry&& other) noexcept {
    if (this != &other) {
        Reset();
        slot_ = other.slot_;
        other.slot_ = -1;
    }
    return *this;
}

CCleanupEntry CCleanupEntry::File(const std::string& path) {
    CCleanupEntry entry;
    entry.slot_ = Claim(kFile, path, -1);
    return entry;
}

CCleanupEntry CCleanupEntry::Port(int fd, const termios* line, int modemLines) {
    CCleanupEntry entry;
    if (fd >= 0)
        entry.slot_ = Claim(kPort, {}, fd, line, modemLines);
    return entry;
}

void CCleanupEntry::Reset() {
    if (slot_ < 0)
        return;
    gSlots[static_cast<std::size_t>(slot_)].state.store(kFree);
    slot_ = -1;
}

} // namespace kt
