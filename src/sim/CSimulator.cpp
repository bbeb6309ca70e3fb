#include "CSimulator.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace kt {

namespace {
constexpr std::size_t kChunk = 4096;
// While the run waits for the program to read its last bytes, it looks this
// often (reading makes no event of its own).
constexpr CPacedLine::Nanos kRecheck = 5'000'000;
// Bytes written to the master reach the program's queue a moment later, so
// an empty queue means "all read" only after this long.
constexpr CPacedLine::Nanos kSettle = 20'000'000;
// The longest the device waits for the program to read before it vanishes.
constexpr CPacedLine::Nanos kCloseGrace = CPacedLine::kNanosPerSecond;

timespec ToTimespec(CPacedLine::Nanos nanos) {
    if (nanos < 0)
        nanos = 0;
    return {static_cast<time_t>(nanos / CPacedLine::kNanosPerSecond),
            static_cast<long>(nanos % CPacedLine::kNanosPerSecond)};
}
} // namespace

CSimulator::CSimulator(CPseudoTerminal& pty, CDeviceWatch& watch, CCloneCable& cable,
                       CPacedLine line, Settings settings)
    : pty_(pty), watch_(watch), cable_(cable), line_(std::move(line)),
      settings_(std::move(settings)) {}

CPacedLine::Nanos CSimulator::Now() {
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * CPacedLine::kNanosPerSecond + ts.tv_nsec;
}

void CSimulator::Log(const std::string& line) {
    if (settings_.log != nullptr)
        *settings_.log << line << std::endl;
}

CSimulator::Step CSimulator::SendDue(CPacedLine::Nanos now) {
    while (!writeBlocked_ && line_.FrontDue(now)) {
        const CLineItem item = line_.Front();
        if (item.kind == CLineItem::Kind::ExchangeDone) {
            line_.PopFront();
            ++exchangesDone_;
            if (settings_.exchanges > 0 && exchangesDone_ >= settings_.exchanges && finishedAt_ < 0)
                finishedAt_ = now;
            continue;
        }
        if (item.kind == CLineItem::Kind::CloseDevice) {
            // The frames before the close reach the program first: closing
            // the master would throw away what it has not read yet.
            if (closeSeen_ < 0)
                closeSeen_ = now;
            const bool read = now - closeSeen_ >= kSettle && pty_.UnreadByProgram() == 0;
            if (!read && now - closeSeen_ < kCloseGrace) {
                recheckAt_ = now + kRecheck;
                break;
            }
            line_.Clear();
            pty_.Close();
            Log("device closed");
            return Step::Stop;
        }
        // Every byte already due goes in one write; on time that is one byte.
        const std::vector<std::uint8_t> bytes = line_.DueBytes(now, kChunk);
        const ssize_t n = ::write(pty_.Master(), bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN) {
                // The program's input queue is full: wait until it reads.
                writeBlocked_ = true;
                break;
            }
            Log(std::string("writing to the device: ") + std::strerror(errno));
            return Step::Fail;
        }
        line_.PopFront(static_cast<std::size_t>(n));
    }
    return Step::Go;
}

CSimulator::Step CSimulator::ReadProgram(CPacedLine::Nanos now) {
    std::uint8_t buffer[kChunk];
    for (;;) {
        const ssize_t n = ::read(pty_.Master(), buffer, sizeof buffer);
        if (n > 0) {
            CLineOutput out;
            cable_.FromProgram(std::span(buffer, static_cast<std::size_t>(n)), out);
            for (const CLineItem& item : out.items)
                line_.Push(item, now);
            for (const std::string& line : out.log)
                Log(line);
            savePending_ = savePending_ || out.imageWritten;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return Step::Go;
        // End of file or EIO: the pseudo-terminal is broken (we hold a slave
        // end ourselves, so the program's close cannot cause it).
        Log(std::string("reading from the device: ") +
            (n == 0 ? "end of file" : std::strerror(errno)));
        return Step::Fail;
    }
}

void CSimulator::WatchDevice() {
    const CDeviceWatch::Change change = watch_.Drain();
    if (!change.letGo) {
        if (change.opened > 0)
            Log("port opened");
        return;
    }
    // The program has let go of the port: what it was in the middle of is
    // over, and its next open must not be refused.
    Log("port closed");
    pty_.ClearExclusive();
    cable_.ResetSession();
    if (const std::string note = cable_.Transceiver().ResetSession(); !note.empty())
        Log(note);
    if (!line_.Empty()) {
        Log("what is left on the line is dropped: nobody will read it");
        line_.Clear();
        writeBlocked_ = false;
        if (cable_.Vanished()) // the device still has to vanish
            line_.Push(CLineItem::Mark(CLineItem::Kind::CloseDevice), Now());
    }
    if (watch_.Openers() > 0)
        Log("port opened");
}

void CSimulator::SaveIfPending() {
    if (!savePending_)
        return;
    savePending_ = false;
    if (!settings_.saver)
        return;
    std::string error;
    if (settings_.saver(cable_.Transceiver().Image(), error)) {
        Log("write: image saved");
    } else {
        Log("write: the image cannot be saved: " + error);
        saveFailed_ = true;
    }
}

bool CSimulator::Finished(CPacedLine::Nanos now) {
    if (finishedAt_ < 0 || !line_.Empty())
        return false;
    if (now - finishedAt_ > kExitGrace)
        return true;
    // Wait until the program has the last byte and has closed the device.
    if (watch_.Active())
        return watch_.Openers() == 0;
    return now - finishedAt_ >= kSettle && pty_.UnreadByProgram() <= 0;
}

std::optional<CPacedLine::Nanos> CSimulator::WakeTime(CPacedLine::Nanos now) {
    std::optional<CPacedLine::Nanos> wake;
    if (!writeBlocked_)
        wake = line_.NextDeadline();
    if (finishedAt_ >= 0)
        recheckAt_ = now + kRecheck;
    if (recheckAt_ >= 0 && (!wake || *wake > recheckAt_))
        wake = recheckAt_;
    recheckAt_ = -1;
    return wake;
}

bool CSimulator::StopRequested(const StopSource& stop) {
    if (stop.kind == StopSource::Kind::Signal) {
        signalfd_siginfo info{};
        if (::read(stop.fd, &info, sizeof info) > 0)
            Log("stopped by signal " + std::to_string(info.ssi_signo));
        return true;
    }
    char ignored[256];
    const ssize_t n = ::read(stop.fd, ignored, sizeof ignored);
    if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN)) {
        Log("stopped: end of the control input");
        return true;
    }
    return false;
}

int CSimulator::Run(const std::vector<StopSource>& stops) {
    enum { kMaster, kWatch, kFirstStop };
    std::vector<pollfd> fds(kFirstStop + stops.size());
    for (std::size_t i = 0; i < stops.size(); ++i)
        fds[kFirstStop + i] = {stops[i].fd, POLLIN, 0};

    for (;;) {
        CPacedLine::Nanos now = Now();
        const Step sent = SendDue(now);
        if (sent != Step::Go || Finished(now)) {
            SaveIfPending();
            return sent == Step::Fail || saveFailed_ ? 1 : 0;
        }
        if (line_.Empty())
            SaveIfPending();

        // Sleep until the next byte is due, or something happens.
        const std::optional<CPacedLine::Nanos> wake = WakeTime(now);
        const auto events = static_cast<short>(POLLIN | (writeBlocked_ ? POLLOUT : 0));
        fds[kMaster] = {pty_.Master(), events, 0};
        fds[kWatch] = {watch_.Active() ? watch_.Fd() : -1, POLLIN, 0};
        const timespec timeout = ToTimespec(wake.value_or(now) - now);
        const int ready = ::ppoll(fds.data(), fds.size(), wake ? &timeout : nullptr, nullptr);
        if (ready < 0 && errno != EINTR) {
            Log(std::string("poll: ") + std::strerror(errno));
            return 1;
        }
        if (ready <= 0)
            continue;

        for (std::size_t i = 0; i < stops.size(); ++i) {
            if (fds[kFirstStop + i].revents != 0 && StopRequested(stops[i])) {
                SaveIfPending();
                return saveFailed_ ? 1 : 0;
            }
        }
        if (fds[kWatch].revents != 0)
            WatchDevice();
        if (fds[kMaster].revents & POLLOUT)
            writeBlocked_ = false;
        if ((fds[kMaster].revents & (POLLIN | POLLHUP | POLLERR)) &&
            ReadProgram(Now()) == Step::Fail)
            return 1;
    }
}

} // namespace kt
