#include "CFuzzClonePort.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>

namespace kt {

namespace {
unsigned CancelPass(std::string_view input) {
    return input.empty() ? 0u : static_cast<unsigned char>(input[0]) >> 1;
}
} // namespace

CFuzzClonePort::CFuzzClonePort(std::string_view input)
    : line_(input.empty() ? input : input.substr(1)),
      echoes_(!input.empty() && (input[0] & 1) != 0), ui_(CancelPass(input)) {
    SetUi(&ui_);
    SetPortDevice("/dev/null");
}

CFuzzClonePort::~CFuzzClonePort() {
    Close();
}

// A real descriptor, so that the port counts as open and waiting for input
// returns at once.
CFileDescriptor CFuzzClonePort::OpenPort(const std::string& /*name*/, unsigned /*baud*/) {
    ++opens_;
    return CFileDescriptor::Open("/dev/null", O_RDWR | O_CLOEXEC);
}

void CFuzzClonePort::ClosePort(CFileDescriptor /*port*/) {}

bool CFuzzClonePort::Write(const std::uint8_t* bytes, std::size_t count) {
    if (!IsOpen()) {
        std::fprintf(stderr, "kt-fuzz: the program wrote to a closed port\n");
        std::abort();
    }
    written_.emplace_back(bytes, bytes + count);
    if (echoes_)
        echo_.insert(echo_.end(), bytes, bytes + count);
    return true;
}

bool CFuzzClonePort::Read(std::uint8_t* buffer, std::size_t maximum, std::size_t& count) {
    if (!IsOpen()) {
        std::fprintf(stderr, "kt-fuzz: the program read from a closed port\n");
        std::abort();
    }
    if (maximum == 0)
        return false;
    std::size_t n = 0;
    while (n < maximum && echoRead_ < echo_.size())
        buffer[n++] = echo_[echoRead_++];
    while (n < maximum && !line_.empty()) {
        buffer[n++] = static_cast<std::uint8_t>(line_.front());
        line_.remove_prefix(1);
    }
    if (n == 0) {
        ++seconds_;
        return false;
    }
    count = n;
    return true;
}

void CFuzzClonePort::CCancelUi::SetProgress(int percent) {
    if (percent < 0 || percent > 100 || percent % 10 != 0) {
        std::fprintf(stderr, "kt-fuzz: progress of %d %%\n", percent);
        std::abort();
    }
}

} // namespace kt
