#include "TextFields.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace kt {

namespace {
// The text after the n-th separator, as a view into text; false when there are
// fewer than n separators.
bool RemainderView(std::string_view text, std::string_view sep, int n, std::string_view& rest) {
    if (sep.empty()) {
        rest = n == 0 ? text : std::string_view();
        return n == 0;
    }
    std::size_t pos = 0;
    for (int i = 0; i < n; ++i) {
        const std::size_t found = text.find(sep, pos);
        if (found == std::string_view::npos)
            return false;
        pos = found + sep.size();
    }
    rest = text.substr(pos);
    return true;
}
} // namespace

std::string Remainder(std::string_view text, std::string_view sep, int n) {
    std::string_view rest;
    return RemainderView(text, sep, n, rest) ? std::string(rest) : std::string();
}

std::string Remainder(std::string_view text, char sep, int n) {
    return Remainder(text, std::string_view(&sep, 1), n);
}

std::string Field(std::string_view text, std::string_view sep, int n) {
    std::string_view rest;
    if (!RemainderView(text, sep, n, rest))
        return {};
    if (!sep.empty())
        rest = rest.substr(0, rest.find(sep));
    return std::string(rest);
}

std::string Field(std::string_view text, char sep, int n) {
    return Field(text, std::string_view(&sep, 1), n);
}

namespace {
char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
} // namespace

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpperAscii(a[i]) != UpperAscii(b[i]))
            return false;
    return true;
}

std::string ToUpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = UpperAscii(c);
    return out;
}

bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string TrimRight(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0 && IsWhiteSpace(text[end - 1]))
        --end;
    return std::string(text.substr(0, end));
}

std::size_t SkipBlanksAndSign(std::string_view text, bool& negative) {
    std::size_t pos = 0;
    while (pos < text.size() && IsWhiteSpace(text[pos]))
        ++pos;
    negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    return pos;
}

std::string Trim(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size() && IsWhiteSpace(text[begin]))
        ++begin;
    return TrimRight(text.substr(begin));
}

bool ScanLong(std::string_view text, long& value) {
    // strtol needs a terminated string; commands are short, but bound the copy
    // so that a 100 kB value does not cost more than it must.
    std::size_t begin = 0;
    while (begin < text.size() && IsWhiteSpace(text[begin]))
        ++begin;
    std::string digits;
    for (std::size_t i = begin; i < text.size() && digits.size() < 64; ++i) {
        const char c = text[i];
        const bool sign = (c == '+' || c == '-') && i == begin;
        if (!sign && !(c >= '0' && c <= '9'))
            break;
        digits.push_back(c);
    }
    if (digits.empty() || (digits.size() == 1 && (digits[0] == '+' || digits[0] == '-')))
        return false;
    errno = 0;
    char* end = nullptr;
    long v = std::strtol(digits.c_str(), &end, 10);
    if (end == digits.c_str())
        return false;
    value = v; // strtol clamps to LONG_MIN / LONG_MAX on overflow
    return true;
}

long LeadingDigits(std::string_view text) {
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        if (value < 1000000000L)
            value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace kt
