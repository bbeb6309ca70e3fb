#include "StoredValues.h"

#include "CBandPlan.h"
#include "CM220Radio.h"
#include "TextFields.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

namespace kt {

namespace {
// One assignment: the key as given ("CH.MCH.2.FREQUENCY", "COMMON.BEEP"), its
// parts in upper case, and the value.
struct Assignment {
    std::string key;
    std::vector<std::string> parts;
    std::string value;

    bool IsChannel() const { return parts.size() >= 4 && parts[0] == "CH"; }
    const std::string& Property() const { return parts[3]; }
    bool SameChannel(const Assignment& other) const {
        return IsChannel() && other.IsChannel() && parts[1] == other.parts[1] &&
               parts[2] == other.parts[2];
    }
    bool ByNumber() const {
        for (std::size_t i = IsChannel() ? 4 : 2; i < parts.size(); ++i)
            if (parts[i] == "BYNUMBER")
                return true;
        return false;
    }
};

constexpr const char* kChannelProperties[] = {"APPEAR", "FREQUENCY", "NAME", "TXINHIBIT",
                                              "CHLOCKOUT"};

std::vector<std::string> UpperParts(const std::string& key) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t dot = key.find('.', start);
        parts.push_back(ToUpperAscii(key.substr(start, dot - start)));
        if (dot == std::string::npos)
            return parts;
        start = dot + 1;
    }
}

bool IsChannelProperty(const std::string& word) {
    for (const char* p : kChannelProperties)
        if (word == p)
            return true;
    return false;
}

// Whether key reads back a value: a channel property (or ALL) or a common
// setting. Channel operations (COPY, PASTE, ...) must not run twice.
bool IsValueKey(const std::vector<std::string>& parts) {
    if (parts.size() >= 4 && parts[0] == "CH")
        return IsChannelProperty(parts[3]) || parts[3] == "ALL";
    return parts.size() >= 2 && parts[0] == "COMMON";
}

void AddAssignments(const std::string& command, std::vector<Assignment>& out) {
    const std::size_t equals = command.find('=');
    if (equals == std::string::npos)
        return;
    Assignment a{command.substr(0, equals), UpperParts(command.substr(0, equals)),
                 command.substr(equals + 1)};
    if (!IsValueKey(a.parts))
        return;
    if (!a.IsChannel() || a.Property() != "ALL") {
        out.push_back(std::move(a));
        return;
    }
    // "CH.MCH.2.ALL=APPEAR=ON<tab>FREQUENCY=121.5..." sets each property.
    const std::string prefix = a.parts[0] + "." + a.parts[1] + "." + a.parts[2] + ".";
    std::size_t start = 0;
    while (start < a.value.size()) {
        const std::size_t tab = a.value.find('\t', start);
        const std::string part = a.value.substr(start, tab - start);
        if (part.empty())
            break;
        AddAssignments(prefix + part, out);
        if (tab == std::string::npos)
            break;
        start = tab + 1;
    }
}

// A later assignment that decides the same value: the same key; a channel's
// in-use mark switched off, which takes its frequency away; or a frequency
// given after the in-use mark, which decides the mark.
bool Overrides(const Assignment& later, const Assignment& earlier) {
    if (later.parts == earlier.parts)
        return true;
    if (!later.SameChannel(earlier))
        return false;
    if (later.Property() == "APPEAR" && EqualsNoCase(Trim(later.value), "OFF"))
        return earlier.Property() == "FREQUENCY";
    return later.Property() == "FREQUENCY" && earlier.Property() == "APPEAR";
}

std::string What(const Assignment& a) {
    if (!a.IsChannel())
        return "setting " + ToUpperAscii(a.key);
    std::string property = a.Property();
    for (char& c : property)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (a.Property() == "CHLOCKOUT")
        property = "memory lockout";
    else if (a.Property() == "TXINHIBIT")
        property = "transmit inhibit";
    else if (a.Property() == "APPEAR")
        property = "in-use mark";
    if (a.parts[1] == "MCH")
        return "channel " + a.parts[2] + " " + property;
    return "the " + a.parts[1] + " " + property;
}

// A frequency in megahertz as the engine reads it (leading blanks, a sign,
// digits, a fraction); nothing when the text holds no number.
std::optional<double> Megahertz(const std::string& text) {
    const std::string trimmed = Trim(text);
    std::size_t at = 0;
    bool negative = false;
    if (at < trimmed.size() && (trimmed[at] == '+' || trimmed[at] == '-'))
        negative = trimmed[at++] == '-';
    double value = 0;
    const char* first = trimmed.data() + at;
    const auto [end, error] = std::from_chars(first, trimmed.data() + trimmed.size(), value);
    if (end == first || (error != std::errc() && error != std::errc::result_out_of_range) ||
        std::isnan(value))
        return std::nullopt;
    return negative ? -value : value;
}

std::string MegahertzText(long hz) {
    char text[32];
    std::snprintf(text, sizeof text, "%ld.%03ld", hz / 1000000, (hz / 1000) % 1000);
    return text;
}

std::string SpacingName(CM220Radio& radio) {
    const std::string spacing = radio.Command("COMMON.CH_SPACING");
    if (spacing == "25kHz")
        return "25 kHz";
    if (spacing == "8.33kHz")
        return "8.33 kHz";
    return "combined 25 and 8.33 kHz";
}

// The comparison of a frequency, in hertz; fills change when it moved.
bool FrequencyChanged(CM220Radio& radio, const Assignment& a, ValueChange& change) {
    const std::string base = a.parts[0] + "." + a.parts[1] + "." + a.parts[2] + ".FREQUENCY";
    long storedHz = 0;
    if (!ScanLong(radio.Command(base + ".BYNUMBER"), storedHz))
        return false;
    change.stored = MegahertzText(storedHz);
    std::optional<double> typedHz;
    if (a.ByNumber()) {
        long hz = 0;
        if (ScanLong(a.value, hz))
            typedHz = static_cast<double>(hz);
    } else if (const auto mhz = Megahertz(a.value)) {
        typedHz = *mhz * 1e6;
    }
    if (!typedHz) {
        change.reason = a.value.empty() ? "an empty value changes nothing" : "not a frequency";
        return true;
    }
    if (std::fabs(*typedHz - static_cast<double>(storedHz)) < 1.0)
        return false;
    if (*typedHz < 0)
        change.reason = "a negative frequency leaves the channel without one";
    else if (*typedHz >= 1.0 &&
             (*typedHz < CBandPlan::kLowestHz - 0.5 || *typedHz > CBandPlan::kHighestHz + 0.5))
        change.reason = "outside the band " + MegahertzText(CBandPlan::kLowestHz) + "-" +
                        MegahertzText(CBandPlan::kHighestHz);
    else if (storedHz == 0)
        change.reason = "the channel is emptied";
    else
        change.reason = "not a channel of the " + SpacingName(radio) + " spacing";
    return true;
}

bool IsTextKey(const Assignment& a) {
    if (a.IsChannel())
        return a.Property() == "NAME";
    return a.parts.size() >= 2 && (a.parts[1] == "OPENING_TEXT" || a.parts[1] == "CLONE_COMMENT");
}

// A text as the radio keeps it for comparing: trailing blanks dropped, and the
// erased bytes (0xFF) of an empty text read as nothing.
std::string Comparable(const std::string& text) {
    std::string out = text;
    if (!out.empty() && static_cast<unsigned char>(out.front()) == 0xFF)
        out.clear();
    return TrimRight(out);
}

bool SameNumberOrWord(const std::string& typed, const std::string& stored) {
    long a = 0;
    long b = 0;
    if (ScanLong(Trim(typed), a) && ScanLong(Trim(stored), b))
        return a == b;
    return EqualsNoCase(Comparable(typed), Comparable(stored));
}

bool ValueChanged(CM220Radio& radio, const Assignment& a, ValueChange& change) {
    change.what = What(a);
    change.typed = a.value;
    if (a.IsChannel() && a.Property() == "FREQUENCY")
        return FrequencyChanged(radio, a, change);
    const std::string stored = radio.Command(a.key);
    if (stored.empty())
        return false;
    change.stored = Comparable(stored);
    if (SameNumberOrWord(a.value, stored))
        return false;
    if (a.value.empty()) {
        change.reason = "an empty value changes nothing";
    } else if (a.IsChannel() && a.Property() == "APPEAR" && stored == "OFF") {
        change.reason = "a channel without a frequency is not in use";
    } else if (!IsTextKey(a)) {
        change.reason = "not a value this setting takes";
    } else if (a.IsChannel() && change.stored.empty() &&
               radio.Command(a.parts[0] + "." + a.parts[1] + "." + a.parts[2] + ".APPEAR") ==
                   "OFF") {
        change.reason = "an empty channel keeps no name";
    } else if (TrimRight(a.value).size() > stored.size()) {
        change.reason = "at most " + std::to_string(stored.size()) + " characters";
    } else {
        change.reason = "characters the radio cannot show become blanks";
    }
    return true;
}
} // namespace

std::vector<ValueChange> FindChangedValues(CM220Radio& radio,
                                           const std::vector<std::string>& commands) {
    std::vector<Assignment> assignments;
    for (const std::string& command : commands)
        AddAssignments(command, assignments);
    std::vector<ValueChange> changes;
    for (std::size_t i = 0; i < assignments.size(); ++i) {
        bool overridden = false;
        for (std::size_t j = i + 1; j < assignments.size() && !overridden; ++j)
            overridden = Overrides(assignments[j], assignments[i]);
        ValueChange change;
        if (!overridden && ValueChanged(radio, assignments[i], change))
            changes.push_back(std::move(change));
    }
    return changes;
}

std::string StoredAnswer(CM220Radio& radio, const std::string& command, const std::string& answer) {
    const std::string key = command.substr(0, command.find('='));
    if (!IsValueKey(UpperParts(key)))
        return answer;
    const std::string stored = radio.Command(key);
    return stored.empty() ? answer : stored;
}

std::vector<int> ChannelsNamed(const std::vector<std::string>& commands) {
    std::vector<int> channels;
    for (const std::string& command : commands) {
        const std::vector<std::string> parts = UpperParts(command.substr(0, command.find('=')));
        long n = 0;
        if (parts.size() >= 3 && parts[0] == "CH" && parts[1] == "MCH" && ScanLong(parts[2], n))
            channels.push_back(static_cast<int>(n));
    }
    return channels;
}

} // namespace kt
