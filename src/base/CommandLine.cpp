#include "CommandLine.h"

#include <getopt.h>

#include <algorithm>

namespace CommandLine {

bool Parsed::Has(std::string_view name) const {
    return std::any_of(options.begin(), options.end(),
                       [&](const auto& option) { return option.first == name; });
}

std::string Parsed::Value(std::string_view name) const {
    for (auto it = options.rbegin(); it != options.rend(); ++it)
        if (it->first == name)
            return it->second;
    return {};
}

std::string Spelling(const OptionSpec& spec) {
    if (spec.name && *spec.name)
        return std::string("--") + spec.name;
    return std::string("-") + spec.shortName;
}

namespace {

int ArgumentKind(Takes takes) {
    switch (takes) {
    case Takes::Value:
        return required_argument;
    case Takes::OptionalValue:
        return optional_argument;
    case Takes::Nothing:
        break;
    }
    return no_argument;
}

// Long options get codes above any character, so a short name never clashes.
constexpr int kLongCodeBase = 0x100;

} // namespace

Parsed Parse(const std::vector<OptionSpec>& table, const std::vector<std::string>& args) {
    Parsed parsed;
    // getopt_long reorders argv (options first) and points into its strings:
    // give it copies, and read the operands from the reordered argv.
    std::vector<std::string> storage;
    storage.reserve(args.size() + 1);
    storage.emplace_back("program");
    storage.insert(storage.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& s : storage)
        argv.push_back(s.data());
    argv.push_back(nullptr);

    // ':' first: a missing value comes back as ':' instead of a message on stderr.
    std::string shortOptions = ":";
    std::vector<option> longOptions;
    std::vector<const OptionSpec*> byCode;
    for (const OptionSpec& spec : table) {
        if (!spec.name)
            continue;
        if (spec.shortName) {
            shortOptions += spec.shortName;
            if (spec.takes == Takes::Value)
                shortOptions += ':';
            else if (spec.takes == Takes::OptionalValue)
                shortOptions += "::";
        }
        if (*spec.name) {
            const int code = kLongCodeBase + static_cast<int>(byCode.size());
            longOptions.push_back({spec.name, ArgumentKind(spec.takes), nullptr, code});
        }
        byCode.push_back(&spec);
    }
    longOptions.push_back({nullptr, 0, nullptr, 0});

    const auto specOfShort = [&](int c) -> const OptionSpec* {
        for (const OptionSpec* spec : byCode)
            if (spec->shortName == c)
                return spec;
        return nullptr;
    };
    const auto specOfLong = [&](int code) -> const OptionSpec* {
        std::size_t longIndex = static_cast<std::size_t>(code - kLongCodeBase);
        for (const OptionSpec* spec : byCode)
            if (*spec->name && longIndex-- == 0)
                return spec;
        return nullptr;
    };

    // optind 0 makes GNU getopt start afresh, also after an earlier parse.
    optind = 0;
    opterr = 0;
    const int argc = static_cast<int>(storage.size());
    for (;;) {
        const int c =
            getopt_long(argc, argv.data(), shortOptions.c_str(), longOptions.data(), nullptr);
        if (c == -1)
            break;
        if (c == '?' || c == ':') {
            // The offending word is the one getopt just passed; for a short
            // option in a cluster optopt names it.
            const std::string word = optind > 0 && optind <= argc ? argv[optind - 1] : "";
            const bool isLong = word.rfind("--", 0) == 0;
            std::string name = isLong ? word.substr(0, word.find('='))
                                      : std::string("-") + static_cast<char>(optopt);
            if (c == '?') {
                parsed.error = "unknown option " + name;
            } else {
                const OptionSpec* spec =
                    optopt >= kLongCodeBase ? specOfLong(optopt) : specOfShort(optopt);
                parsed.error =
                    name + " needs " + (spec && spec->valueName ? spec->valueName : "a value");
            }
            return parsed;
        }
        const OptionSpec* spec = c >= kLongCodeBase ? specOfLong(c) : specOfShort(c);
        if (!spec)
            continue;
        const std::string name = *spec->name ? spec->name : std::string(1, spec->shortName);
        parsed.options.emplace_back(name, optarg ? optarg : "");
    }
    for (int i = optind; i < argc; ++i)
        parsed.operands.emplace_back(argv[static_cast<std::size_t>(i)]);
    return parsed;
}

void AppendColumns(std::string& text, std::string left, std::string_view help, std::size_t column) {
    // A long left part gets its help on the next line.
    if (left.size() + 1 > column) {
        text += left + "\n";
        left.clear();
    }
    std::size_t start = 0;
    for (;;) {
        left.resize(column, ' ');
        const std::size_t end = help.find('\n', start);
        text += left;
        text += help.substr(start, end == help.npos ? help.npos : end - start);
        text += '\n';
        if (end == help.npos)
            return;
        start = end + 1;
        left.clear();
    }
}

std::string Help(const std::vector<OptionSpec>& table, std::size_t helpColumn) {
    std::string text;
    bool first = true;
    for (const OptionSpec& spec : table) {
        if (!spec.name) {
            if (!first)
                text += "\n";
            if (spec.help && *spec.help) {
                text += spec.help;
                text += ":\n";
            }
            first = false;
            continue;
        }
        first = false;
        std::string left = "  ";
        if (spec.shortName) {
            left += '-';
            left += spec.shortName;
            if (*spec.name)
                left += ", ";
        }
        if (*spec.name) {
            left += "--";
            left += spec.name;
        }
        if (spec.takes == Takes::Value && spec.valueName) {
            left += ' ';
            left += spec.valueName;
        } else if (spec.takes == Takes::OptionalValue && spec.valueName) {
            left += "[=";
            left += spec.valueName;
            left += ']';
        }
        AppendColumns(text, left, spec.help ? spec.help : "", helpColumn);
    }
    return text;
}

} // namespace CommandLine
