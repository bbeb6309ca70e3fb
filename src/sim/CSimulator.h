#pragma once

#include "CCloneCable.h"
#include "CDeviceWatch.h"
#include "CPacedLine.h"
#include "CPseudoTerminal.h"
#include "CTransceiver.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kt {

// The running virtual transceiver: waits (without spinning) for the
// program's bytes, the moment the next byte may leave, the program opening
// or closing the device, and the signals to stop; hands the program's bytes
// to the cable and puts what comes back on the line at its pace.
class CSimulator {
public:
    using Saver = std::function<bool(const SimImage& image, std::string& error)>;

    // A descriptor that ends the run: a signalfd (any signal read ends it), or
    // a stream whose end ends it (what arrives on it is ignored).
    struct StopSource {
        enum class Kind { Signal, EndOfInput };
        int fd;
        Kind kind;
    };

    struct Settings {
        int exchanges = 0;           // end after this many answered exchanges; 0: never
        Saver saver;                 // called after each accepted write; may be empty
        std::ostream* log = nullptr; // where the exchanges are told; null: nowhere
    };

    CSimulator(CPseudoTerminal& pty, CDeviceWatch& watch, CCloneCable& cable, CPacedLine line,
               Settings settings);

    // Runs until a stop source fires, the exchanges are done, or the device
    // vanishes. Gives the exit status: 0, or 1 after a failure (a broken
    // pseudo-terminal or an image that could not be saved).
    int Run(const std::vector<StopSource>& stops);

    int ExchangesDone() const { return exchangesDone_; }

    // The longest a finished run waits for the program to read the last
    // bytes and close the device.
    static constexpr CPacedLine::Nanos kExitGrace = 5 * CPacedLine::kNanosPerSecond;

private:
    enum class Step { Go, Stop, Fail };

    static CPacedLine::Nanos Now();
    void Log(const std::string& line);
    Step SendDue(CPacedLine::Nanos now);
    Step ReadProgram(CPacedLine::Nanos now);
    void WatchDevice();
    void SaveIfPending();
    bool Finished(CPacedLine::Nanos now);
    // When the loop must wake up at the latest; nothing: only for an event.
    std::optional<CPacedLine::Nanos> WakeTime(CPacedLine::Nanos now);
    // Reads what a ready stop source brought; true when the run must end.
    bool StopRequested(const StopSource& stop);

    CPseudoTerminal& pty_;
    CDeviceWatch& watch_;
    CCloneCable& cable_;
    CPacedLine line_;
    Settings settings_;

    int exchangesDone_ = 0;
    bool writeBlocked_ = false;
    bool savePending_ = false;
    bool saveFailed_ = false;
    CPacedLine::Nanos finishedAt_ = -1; // when the last exchange was done
    CPacedLine::Nanos closeSeen_ = -1;  // when the device was due to vanish
    CPacedLine::Nanos recheckAt_ = -1;  // wake up then to look again; -1: no need
};

} // namespace kt
