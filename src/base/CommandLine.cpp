#include "CommandLine.h"

#include <getopt.h>

#include <algorithm>

namespace kt {

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

std::string Spelling(const OptionEntry& entry) {
    if (entry.name && *entry.name)
        return std::string("--") + entry.name;
    return std::string("-") + entry.shortName;
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

Parsed Parse(const std::vector<OptionEntry>& table, const std::vector<std::string>& args) {
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
    std::vector<const OptionEntry*> byCode;
    for (const OptionEntry& entry : table) {
        if (!entry.name)
            continue;
        if (entry.shortName) {
            shortOptions += entry.shortName;
            if (entry.takes == Takes::Value)
                shortOptions += ':';
            else if (entry.takes == Takes::OptionalValue)
                shortOptions += "::";
        }
        if (*entry.name) {
            const int code = kLongCodeBase + static_cast<int>(byCode.size());
            longOptions.push_back({entry.name, ArgumentKind(entry.takes), nullptr, code});
        }
        byCode.push_back(&entry);
    }
    longOptions.push_back({nullptr, 0, nullptr, 0});

    const auto entryOfShort = [&](int c) -> const OptionEntry* {
        for (const OptionEntry* entry : byCode)
            if (entry->shortName == c)
                return entry;
        return nullptr;
    };
    const auto entryOfLong = [&](int code) -> const OptionEntry* {
        std::size_t longIndex = static_cast<std::size_t>(code - kLongCodeBase);
        for (const OptionEntry* entry : byCode)
            if (*entry->name && longIndex-- == 0)
                return entry;
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
                const OptionEntry* entry =
                    optopt >= kLongCodeBase ? entryOfLong(optopt) : entryOfShort(optopt);
                parsed.error =
                    name + " needs " + (entry && entry->valueName ? entry->valueName : "a value");
            }
            return parsed;
        }
        const OptionEntry* entry = c >= kLongCodeBase ? entryOfLong(c) : entryOfShort(c);
        if (!entry)
            continue;
        const std::string name = *entry->name ? entry->name : std::string(1, entry->shortName);
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

std::string Help(const std::vector<OptionEntry>& table, std::size_t helpColumn) {
    std::string text;
    bool first = true;
    for (const OptionEntry& entry : table) {
        if (!entry.name) {
            if (!first)
                text += "\n";
            if (entry.help && *entry.help) {
                text += entry.help;
                text += ":\n";
            }
            first = false;
            continue;
        }
        first = false;
        std::string left = "  ";
        if (entry.shortName) {
            left += '-';
            left += entry.shortName;
            if (*entry.name)
                left += ", ";
        }
        if (*entry.name) {
            left += "--";
            left += entry.name;
        }
        if (entry.takes == Takes::Value && entry.valueName) {
            left += ' ';
            left += entry.valueName;
        } else if (entry.takes == Takes::OptionalValue && entry.valueName) {
            left += "[=";
            left += entry.valueName;
            left += ']';
        }
        AppendColumns(text, left, entry.help ? entry.help : "", helpColumn);
    }
    return text;
}

} // namespace CommandLine

} // namespace kt
