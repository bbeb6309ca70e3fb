
#include "CFuzzClonePort.h"
#include "CM220Radio.h"
#include "FuzzSandbox.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace kt;

// The bytes the clone engine receives during one exchange: cutting them into
// frames, classifying the frames and every check on them. Built three times,
// with KT_FUZZ_EXCHANGE set to 1 (read), 3 (write) or 4 (information); the
// line is the fake port of CFuzzClonePort.
//
// Whatever arrives, the exchange must end with an outcome it can give, with
// the port closed. A read that completes leaves a clone file of the identity
// line, a comment and record lines; a write that completes has sent every
// record of the clone file and its end frame; an information exchange that
// completes holds an identity whose text fits its record.

#ifndef KT_FUZZ_EXCHANGE
#error "KT_FUZZ_EXCHANGE names the exchange: 1 read, 3 write, 4 information"
#endif

namespace {
constexpr std::uint16_t kModel = CM220Radio::kModelCode;
constexpr std::uint16_t kRevision = CM220Radio::kRevisionCode;
// The records the write sends; the clone file holds the first of those a
// save of the default image writes, so that a run stays short.
constexpr std::size_t kWriteRecords = 4;
// The write request, the records and the end frame.
constexpr std::size_t kWriteFrames = 1 + kWriteRecords + 1;

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "kt-fuzz: %s\n", what.c_str());
    std::abort();
}

// Address, count and data bytes in upper-case digits; a record of no bytes
// passes the frame checks, and the engine refuses it when it loads the file.
bool IsRecordLine(const std::string& line) {
    if (line.size() < 6 || line.size() % 2 != 0)
        return false;
    for (char c : line)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')))
            return false;
    return true;
}

// The clone file a write sends: the identity line, the comment line and the
// first records of the default image as the radio data object saves it,
// written once.
const std::string& WriteCloneFile() {
    static const std::string path = [] {
        const std::string file = FuzzSandbox::File("write-clone");
        CM220Radio radio;
        radio.NewData();
        radio.SaveDataFile(file);
        std::string text;
        if (!FuzzSandbox::ReadBytes(file, text))
            Fail("cannot read the clone file");
        std::size_t end = 0;
        for (std::size_t line = 0; line < 2 + kWriteRecords; ++line)
            end = text.find("\r\n", end) + 2;
        if (!FuzzSandbox::WriteBytes(file, text.substr(0, end)))
            Fail("cannot write the clone file");
        return file;
    }();
    return path;
}

void CheckRead(int outcome, const CFuzzClonePort& port) {
    if (outcome != 0)
        return;
    std::string text;
    if (!FuzzSandbox::ReadBytes(port.File(), text))
        Fail("the clone file of a read cannot be read");
    std::size_t start = 0;
    std::size_t number = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            Fail("the clone file ends inside a line");
        const std::string line = text.substr(start, end - start);
        start = end + 2;
        ++number;
        if ((number == 1 && line != "22700100") || (number == 2 && line != "#") ||
            (number > 2 && !IsRecordLine(line)))
            Fail("line " + std::to_string(number) + " of the clone file is \"" + line + "\"");
    }
    // The engine must cope with whatever a completed read wrote.
    static CM220Radio radio;
    radio.LoadDataFile(port.File());
}

void CheckWrite(int outcome, const CFuzzClonePort& port) {
    if (outcome != 0)
        return;
    const auto& frames = port.Written();
    if (frames.size() != kWriteFrames)
        Fail("a write completed after " + std::to_string(frames.size()) + " frames");
    const auto& last = frames.back();
    if (last.size() != 15 || last[4] != 0xE5)
        Fail("a write completed without its end frame last");
}

void CheckInformation(int outcome, const CFuzzClonePort& port) {
    if (outcome != 0)
        return;
    const CIdentityRecord& id = port.GetIdentity();
    if (id.length > 255 - 7)
        Fail("the identity text is longer than a frame");
    for (std::size_t i = 0; i < id.length; ++i)
        if (id.data[i] > 0xEF)
            Fail("the identity text holds a byte above EF");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    CFuzzClonePort port(input);
    port.SetModelCode(kModel);
    port.SetRevisionCode(kRevision);
    port.SetExpectedReadRecords(31);

    int outcome = -1;
    switch (KT_FUZZ_EXCHANGE) {
    case CCloneComm::kKindRead:
        port.SetFile(FuzzSandbox::File("read-clone"));
        outcome = port.RunRead();
        break;
    case CCloneComm::kKindWrite:
        port.SetFile(WriteCloneFile());
        outcome = port.RunWrite();
        break;
    default:
        outcome = port.RunInformation();
        break;
    }

    if (outcome != 0 && outcome != 1 && outcome != 77)
        Fail("the exchange ended with outcome " + std::to_string(outcome));
    if (port.IsOpen())
        Fail("the port is still open after the exchange");
    if (port.Opens() != 1)
        Fail("the port was opened " + std::to_string(port.Opens()) + " times");
    switch (KT_FUZZ_EXCHANGE) {
    case CCloneComm::kKindRead:
        CheckRead(outcome, port);
        break;
    case CCloneComm::kKindWrite:
        CheckWrite(outcome, port);
        break;
    default:
        CheckInformation(outcome, port);
        break;
    }
    return 0;
}
