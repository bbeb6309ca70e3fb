#include "CSimOptions.h"

#include "CommandLine.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <string_view>

namespace kt {

#ifndef KTM220_VERSION
#define KTM220_VERSION "0"
#endif

namespace {

constexpr unsigned kMaxCount = 1'000'000;

bool ParseDecimal(std::string_view text, unsigned low, unsigned high, unsigned& value) {
    unsigned v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v, 10);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty() || v < low ||
        v > high)
        return false;
    value = v;
    return true;
}

bool ParseHex(std::string_view text, std::size_t maxDigits, unsigned& value) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text.remove_prefix(2);
    if (text.empty() || text.size() > maxDigits)
        return false;
    unsigned v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v, 16);
    if (ec != std::errc() || end != text.data() + text.size())
        return false;
    value = v;
    return true;
}

// One option of the simulator: how it is spelled and helped, and what it does.
struct SimOption {
    CommandLine::OptionEntry entry;
    // Applies the value (empty for options without one); false when it is bad.
    std::function<bool(CSimOptions&, const std::string&)> apply;
    const char* expects; // what a good value looks like, for the error text
};

// Each applier below is given the field of the options it sets, as a
// function from the options to a reference to that field; SIM_FIELD(a.b) makes
// one for the field a.b.
#define SIM_FIELD(path) /* a field of CSimOptions */                                               \
    [](CSimOptions & o) -> auto& {                                                                 \
        return o.path;                                                                             \
    }
// Appliers for the kinds of value the options take.
template <class Field> auto Decimal(unsigned low, unsigned high, Field field) {
    return
        [=](CSimOptions& o, const std::string& v) { return ParseDecimal(v, low, high, field(o)); };
}
// A count kept as an int; an OptionalValue without its value gives fallback.
template <class Field> auto Count(unsigned low, unsigned high, Field field, unsigned fallback = 0) {
    return [=](CSimOptions& o, const std::string& v) {
        unsigned n = fallback;
        const bool ok = (fallback != 0 && v.empty()) || ParseDecimal(v, low, high, n);
        field(o) = static_cast<int>(n);
        return ok;
    };
}
template <class T, class Field> auto Hex(std::size_t digits, Field field) {
    return [=](CSimOptions& o, const std::string& v) {
        unsigned x = 0;
        const bool ok = ParseHex(v, digits, x);
        field(o) = static_cast<T>(x);
        return ok;
    };
}
template <class Field> auto Text(bool mayBeEmpty, Field field) {
    return [=](CSimOptions& o, const std::string& v) {
        field(o) = v;
        return mayBeEmpty || !v.empty();
    };
}
template <class Field> auto Flag(Field field) {
    return [=](CSimOptions& o, const std::string&) { return field(o) = true; };
}

const std::vector<SimOption>& Options() {
    using CommandLine::Takes;
    using std::uint16_t;
    using std::uint8_t;
    static const std::vector<SimOption> table = {
        {{nullptr, 0, Takes::Nothing, nullptr, "The transceiver"}, nullptr, ""},
        {{"model", 0, Takes::Value, "HEX", "model code it reports and accepts (default 2270)"},
         Hex<uint16_t>(4, SIM_FIELD(transceiver.model)),
         "1 to 4 hexadecimal digits"},
        {{"revision", 0, Takes::Value, "HEX",
          "revision code it reports and accepts (default 0100)"},
         Hex<uint16_t>(4, SIM_FIELD(transceiver.revision)),
         "1 to 4 hexadecimal digits"},
        {{"comment", 0, Takes::Value, "TEXT",
          "information text of the identity answer (default: the\n16-character clone comment in "
          "its image); the bytes FD\nand FE would cut the frame"},
         Text(true, SIM_FIELD(transceiver.comment)),
         "a text"},
        {{"image", 0, Takes::Value, "FILE",
          "start from this data file (default: the default image)"},
         Text(false, SIM_FIELD(imagePath)),
         "a file name"},
        {{"save", 0, Takes::Value, "FILE",
          "save the image as a data file after each accepted write\n(atomically: written beside "
          "FILE, then renamed)"},
         Text(false, SIM_FIELD(savePath)),
         "a file name"},
        {{nullptr, 0, Takes::Nothing, nullptr, "The line"}, nullptr, ""},
        {{"link", 0, Takes::Value, "PATH", "also make a symbolic link PATH to the device"},
         Text(false, SIM_FIELD(linkPath)),
         "a path"},
        {{"baud", 0, Takes::Value, "N",
          "pace bytes as a line of N baud, 10 bits a byte\n(default 9600: one byte every 1.0417 "
          "ms); 0: no pacing"},
         Decimal(0, 4'000'000, SIM_FIELD(baud)),
         "a speed in baud, 0 to 4000000"},
        {{"slow", 0, Takes::Value, "MS", "one byte every MS milliseconds (overrides --baud)"},
         Decimal(1, 60'000, SIM_FIELD(slowMs)),
         "milliseconds, 1 to 60000"},
        {{nullptr, 0, Takes::Nothing, nullptr, "Running"}, nullptr, ""},
        {{"exchanges", 0, Takes::Value, "N",
          "end after N answered exchanges (identity answers, reads\nand write results), once the "
          "program has read the last\nbyte and closed the device (or after 5 s)"},
         Count(1, kMaxCount, SIM_FIELD(exchanges)),
         "a count of 1 or more"},
        {{"stdin-control", 0, Takes::Nothing, nullptr,
          "also end when standard input reaches its end"},
         Flag(SIM_FIELD(stdinControl)),
         ""},
        {{"quiet", 0, Takes::Nothing, nullptr, "no log of the exchanges on standard error"},
         Flag(SIM_FIELD(quiet)),
         ""},
        {{nullptr, 0, Takes::Nothing, nullptr, "Faults"}, nullptr, ""},
        {{"no-echo", 0, Takes::Nothing, nullptr, "the cable returns none of the program's bytes"},
         Flag(SIM_FIELD(cable.noEcho)),
         ""},
        {{"wrong-echo", 0, Takes::OptionalValue, "N",
          "one byte altered in the echo of the program's Nth frame\n(default 1: its first payload "
          "byte)"},
         Count(1, kMaxCount, SIM_FIELD(cable.wrongEchoFrame), 1),
         "a frame number of 1 or more"},
        {{"noise", 0, Takes::Nothing, nullptr,
          "junk bytes (never FE or FD) before every frame of the\ntransceiver"},
         Flag(SIM_FIELD(cable.noise)),
         ""},
        {{"pull-after", 0, Takes::Value, "N",
          "the cable is pulled once N frames have passed it (each\nframe of the program or of the "
          "transceiver counts\nonce): no echo and no answers any more; 0: no cable"},
         Count(0, kMaxCount, SIM_FIELD(cable.pullAfter)),
         "a count of frames, 0 or more"},
        {{"close-after", 0, Takes::Value, "N",
          "the device vanishes once N frames have passed (the\npseudo-terminal is closed and the "
          "simulator ends)"},
         Count(1, kMaxCount, SIM_FIELD(cable.closeAfter)),
         "a count of frames, 1 or more"},
        {{"silent", 0, Takes::Nothing, nullptr, "echo, but the transceiver never answers"},
         Flag(SIM_FIELD(transceiver.faults.silent)),
         ""},
        {{"bad-checksum", 0, Takes::Value, "N",
          "record N (1-31) of a read carries a wrong checksum"},
         Count(1, kSimRecordCount, SIM_FIELD(transceiver.faults.badChecksumRecord)),
         "a record number, 1 to 31"},
        {{"lying-count", 0, Takes::OptionalValue, "N",
          "record N (default 1) of a read says 15 bytes but\ncarries 16 (its checksum fits the "
          "lie)"},
         Count(1, kSimRecordCount, SIM_FIELD(transceiver.faults.lyingCountRecord), 1),
         "a record number, 1 to 31"},
        {{"short-end", 0, Takes::Nothing, nullptr,
          "a read ends with \"Velk Inc\" (one byte short)"},
         Flag(SIM_FIELD(transceiver.faults.shortEnd)),
         ""},
        {{"long-frame", 0, Takes::Nothing, nullptr,
          "a read starts with a frame of a 300-byte body (an\nunknown command E7), which the "
          "program must cut to its\nbuffer and ignore"},
         Flag(SIM_FIELD(transceiver.faults.longFrame)),
         ""},
        {{"corrupt-write", 0, Takes::Value, "N",
          "record N (1-31) of a write is kept with its sixth data\nbyte altered, though it was "
          "echoed and taken as sound\n(record N+5 holds memory channel N: its name changes)"},
         Count(1, kSimRecordCount, SIM_FIELD(transceiver.faults.corruptWriteRecord)),
         "a record number, 1 to 31"},
        {{"result", 0, Takes::Value, "BYTE",
          "write result byte (hexadecimal) instead of 00 for an\naccepted write and 01 for a "
          "refused one; anything but\n00 leaves the image unchanged"},
         Hex<uint8_t>(2, SIM_FIELD(transceiver.faults.result)),
         "a byte as 1 or 2 hexadecimal digits"},
        {{nullptr, 0, Takes::Nothing, nullptr, ""}, nullptr, ""},
        {{"help", 'h', Takes::Nothing, nullptr, "this text"}, Flag(SIM_FIELD(help)), ""},
        {{"version", 0, Takes::Nothing, nullptr, "the version"}, Flag(SIM_FIELD(version)), ""},
    };
    return table;
}
#undef SIM_FIELD

} // namespace

bool CSimOptions::Parse(const std::vector<std::string>& args, CSimOptions& options,
                        std::string& error) {
    std::vector<CommandLine::OptionEntry> entries;
    for (const SimOption& option : Options())
        entries.push_back(option.entry);
    const CommandLine::Parsed given = CommandLine::Parse(entries, args);
    if (!given.Ok()) {
        error = given.error;
        return false;
    }
    if (!given.operands.empty()) {
        error = "unexpected argument " + given.operands.front();
        return false;
    }
    CSimOptions parsed;
    for (const auto& [name, value] : given.options) {
        const auto found =
            std::find_if(Options().begin(), Options().end(),
                         [&](const SimOption& o) { return o.entry.name && name == o.entry.name; });
        if (found == Options().end() || !found->apply(parsed, value)) {
            error = "--" + name + ": \"" + value + "\" is not " +
                    (found == Options().end() ? "known" : found->expects);
            return false;
        }
    }
    options = parsed;
    return true;
}

std::string CSimOptions::VersionText() {
    return std::string("kt-m220-sim ") + KTM220_VERSION;
}

std::string CSimOptions::HelpText() {
    std::vector<CommandLine::OptionEntry> entries;
    for (const SimOption& option : Options())
        entries.push_back(option.entry);
    return R"(Usage: kt-m220-sim [OPTION]...
A virtual VR-M220 transceiver with its cloning cable, on a pseudo-terminal.
Prints the device to open on the first line of standard output, then echoes
every byte the program sends and answers its identity, read and write
requests. Runs until SIGINT or SIGTERM (or as the options below say).

)" + CommandLine::Help(entries, 23) +
           R"(
A read or write request for another model or revision is ignored, as a real
transceiver stays silent. A write enters the image only when every record
has a sound checksum and count and the end frame arrives.
Exit status: 0 normal end, 1 failure, 2 bad command line.
)";
}

} // namespace kt
