#include "CSimOptions.h"

#include <charconv>
#include <functional>
#include <map>
#include <string_view>

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

// How one option takes its value.
enum class Takes { Nothing, Value, OptionalValue };

struct Option {
    Takes takes;
    // Applies the value (empty for options without one); false when it is bad.
    std::function<bool(CSimOptions&, const std::string&)> apply;
    const char* expects; // what a good value looks like, for the error text
};

const std::map<std::string, Option, std::less<>>& Options() {
    static const std::map<std::string, Option, std::less<>> table = {
        {"--model",
         {Takes::Value,
          [](CSimOptions& o, const std::string& v) {
              unsigned x = 0;
              const bool ok = ParseHex(v, 4, x);
              o.transceiver.model = static_cast<std::uint16_t>(x);
              return ok;
          },
          "1 to 4 hexadecimal digits"}},
        {"--revision",
         {Takes::Value,
          [](CSimOptions& o, const std::string& v) {
              unsigned x = 0;
              const bool ok = ParseHex(v, 4, x);
              o.transceiver.revision = static_cast<std::uint16_t>(x);
              return ok;
          },
          "1 to 4 hexadecimal digits"}},
        {"--comment",
         {Takes::Value,
          [](CSimOptions& o, const std::string& v) {
              o.transceiver.comment = v;
              return true;
          },
          "a text"}},
        {"--image",
         {Takes::Value,
          [](CSimOptions& o, const std::string& v) {
              o.imagePath = v;
              return !v.empty();
          },
          "a file name"}},
        {"--save",
         {Takes::Value,
          [](CSimOptions& o, const std::string& v) {
              o.savePath = v;
              return !v.empty();
          },
          "a file name"}},
        {"--link",
         {Takes::Value,
          [](CSimOptions& o, const std::string& v) {
              o.linkPath = v;
              return !v.empty();
          },
          "a path"}},
        {"--baud",
         {Takes::Value,
          [](CSimOptions& o, const std::string& v) {
              return ParseDecimal(v, 0, 4'000'000, o.baud);
          },
          "a speed in baud, 0 to 4000000"}},
        {"--slow",
         {Takes::Value,
          [](CSimOptions& o, const std::string& v) { return ParseDecimal(v, 1, 60'000, o.slowMs); },
          "milliseconds, 1 to 60000"}},
        {"--exchanges",
         {Takes::Value,
          [](CSimOptions& o, const std::string& v) {
              unsigned n = 0;
              const bool ok = ParseDecimal(v, 1, kMaxCount, n);
              o.exchanges = static_cast<int>(n);
              return ok;
          },
          "a count of 1 or more"}},
        {"--stdin-control",
         {Takes::Nothing,
          [](CSimOptions& o, const std::string&) {
              o.stdinControl = true;
              return true;
          },
          ""}},
        {"--quiet",
         {Takes::Nothing,
          [](CSimOptions& o, const std::string&) {
              o.quiet = true;
              return true;
          },
          ""}},
        {"--no-echo",
         {Takes::Nothing,
          [](CSimOptions& o, const std::string&) {
              o.cable.noEcho = true;
              return true;
          },
          ""}},
        {"--wrong-echo",
         {Takes::OptionalValue,
          [](CSimOptions& o, const std::string& v) {
              unsigned n = 1;
              const bool ok = v.empty() || ParseDecimal(v, 1, kMaxCount, n);
              o.cable.wrongEchoFrame = static_cast<int>(n);
              return ok;
          },
          "a frame number of 1 or more"}},
        {"--noise",
         {Takes::Nothing,
          [](CSimOptions& o, const std::string&) {
              o.cable.noise = true;
              return true;
          },
          ""}},
        {"--pull-after",
         {Takes::Value,
          [](CSimOptions& o, const std::string& v) {
              unsigned n = 0;
              const bool ok = ParseDecimal(v, 0, kMaxCount, n);
              o.cable.pullAfter = static_cast<int>(n);
              return ok;
          },
          "a count of frames, 0 or more"}},
        {"--close-after",
         {Takes::Value,
          [](CSimOptions& o, const std::string& v) {
              unsigned n = 0;
              const bool ok = ParseDecimal(v, 1, kMaxCount, n);
              o.cable.closeAfter = static_cast<int>(n);
              return ok;
          },
          "a count of frames, 1 or more"}},
        {"--silent",
         {Takes::Nothing,
          [](CSimOptions& o, const std::string&) {
              o.transceiver.faults.silent = true;
              return true;
          },
          ""}},
        {"--bad-checksum",
         {Takes::Value,
          [](CSimOptions& o, const std::string& v) {
              unsigned n = 0;
              const bool ok = ParseDecimal(v, 1, kSimRecordCount, n);
              o.transceiver.faults.badChecksumRecord = static_cast<int>(n);
              return ok;
          },
          "a record number, 1 to 31"}},
        {"--lying-count",
         {Takes::OptionalValue,
          [](CSimOptions& o, const std::string& v) {
              unsigned n = 1;
              const bool ok = v.empty() || ParseDecimal(v, 1, kSimRecordCount, n);
              o.transceiver.faults.lyingCountRecord = static_cast<int>(n);
              return ok;
          },
          "a record number, 1 to 31"}},
        {"--result",
         {Takes::Value,
          [](CSimOptions& o, const std::string& v) {
              unsigned x = 0;
              const bool ok = ParseHex(v, 2, x);
              o.transceiver.faults.result = static_cast<std::uint8_t>(x);
              return ok;
          },
          "a byte as 1 or 2 hexadecimal digits"}},
        {"--short-end",
         {Takes::Nothing,
          [](CSimOptions& o, const std::string&) {
              o.transceiver.faults.shortEnd = true;
              return true;
          },
          ""}},
        {"--long-frame",
         {Takes::Nothing,
          [](CSimOptions& o, const std::string&) {
              o.transceiver.faults.longFrame = true;
              return true;
          },
          ""}},
        {"--help",
         {Takes::Nothing,
          [](CSimOptions& o, const std::string&) {
              o.help = true;
              return true;
          },
          ""}},
        {"--version",
         {Takes::Nothing,
          [](CSimOptions& o, const std::string&) {
              o.version = true;
              return true;
          },
          ""}},
    };
    return table;
}

} // namespace

bool CSimOptions::Parse(const std::vector<std::string>& args, CSimOptions& options,
                        std::string& error) {
    CSimOptions parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i] == "-h" ? "--help" : args[i];
        std::string value;
        bool hasValue = false;
        if (const std::size_t eq = name.find('='); name.starts_with("--") && eq != name.npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
            hasValue = true;
        }
        const auto found = Options().find(name);
        if (found == Options().end()) {
            error = "unknown option " + args[i];
            return false;
        }
        const Option& option = found->second;
        if (option.takes == Takes::Nothing && hasValue) {
            error = name + " takes no value";
            return false;
        }
        if (option.takes == Takes::Value && !hasValue) {
            if (i + 1 >= args.size()) {
                error = name + " needs " + option.expects;
                return false;
            }
            value = args[++i];
        }
        if (!option.apply(parsed, value)) {
            error = name + ": \"" + value + "\" is not " + option.expects;
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
    return R"(Usage: kt-m220-sim [OPTION]...
A virtual VR-M220 transceiver with its cloning cable, on a pseudo-terminal.
Prints the device to open on the first line of standard output, then echoes
every byte the program sends and answers its identity, read and write
requests. Runs until SIGINT or SIGTERM (or as the options below say).

The transceiver:
  --model HEX          model code it reports and accepts (default 2270)
  --revision HEX       revision code it reports and accepts (default 0100)
  --comment TEXT       information text of the identity answer (default: the
                       16-character clone comment in its image); the bytes FD
                       and FE would cut the frame
  --image FILE         start from this data file (default: the default image)
  --save FILE          save the image as a data file after each accepted write
                       (atomically: written beside FILE, then renamed)

The line:
  --link PATH          also make a symbolic link PATH to the device
  --baud N             pace bytes as a line of N baud, 10 bits a byte
                       (default 9600: one byte every 1.0417 ms); 0: no pacing
  --slow MS            one byte every MS milliseconds (overrides --baud)

Running:
  --exchanges N        end after N answered exchanges (identity answers, reads
                       and write results), once the program has read the last
                       byte and closed the device (or after 5 s)
  --stdin-control      also end when standard input reaches its end
  --quiet              no log of the exchanges on standard error

Faults:
  --no-echo            the cable returns none of the program's bytes
  --wrong-echo[=N]     one byte altered in the echo of the program's Nth frame
                       (default 1: its first payload byte)
  --noise              junk bytes (never FE or FD) before every frame of the
                       transceiver
  --pull-after N       the cable is pulled once N frames have passed it (each
                       frame of the program or of the transceiver counts
                       once): no echo and no answers any more; 0: no cable
  --close-after N      the device vanishes once N frames have passed (the
                       pseudo-terminal is closed and the simulator ends)
  --silent             echo, but the transceiver never answers
  --bad-checksum N     record N (1-31) of a read carries a wrong checksum
  --lying-count[=N]    record N (default 1) of a read says 15 bytes but
                       carries 16 (its checksum fits the lie)
  --short-end          a read ends with "Velk Inc" (one byte short)
  --long-frame         a read starts with a frame of a 300-byte body (an
                       unknown command E7), which the program must cut to its
                       buffer and ignore
  --result BYTE        write result byte (hexadecimal) instead of 00 for an
                       accepted write and 01 for a refused one; anything but
                       00 leaves the image unchanged

  -h, --help           this text
  --version            the version

A read or write request for another model or revision is ignored, as a real
transceiver stays silent. A write enters the image only when every record
has a sound checksum and count and the end frame arrives.
Exit status: 0 normal end, 1 failure, 2 bad command line.
)";
}
