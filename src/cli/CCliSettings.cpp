#include "CCliSettings.h"

#include "CPortNames.h"
#include "HexCodec.h"
#include "ReadWholeFile.h"
#include "SettingsKeys.h"
#include "TextFields.h"

#include <cstdlib>
#include <sstream>

namespace kt {

namespace {
// The desktop program's settings are a few hundred bytes.
constexpr std::size_t kMaxSettingsBytes = 1024 * 1024;

void AppendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

} // namespace

std::string CCliSettings::DecodeValue(std::string_view text) {
    // The INI value as QSettings writes a string: quoted when it has blanks at
    // its ends or a comma, semicolon or equals sign in it; backslash escapes
    // for control characters, quotes, backslashes and (as \x and UTF-16 code
    // units) characters it does not write as they are; "@@" for a leading "@".
    std::string out;
    std::size_t pendingBlanks = 0; // blanks outside quotes, kept only before more text
    bool quoted = false;
    bool started = false;
    unsigned highSurrogate = 0;
    const auto put = [&](unsigned code) {
        if (started)
            out.append(pendingBlanks, ' ');
        pendingBlanks = 0;
        started = true;
        if (code >= 0xD800 && code < 0xDC00) {
            highSurrogate = code;
            return;
        }
        if (code >= 0xDC00 && code < 0xE000 && highSurrogate != 0)
            code = 0x10000 + ((highSurrogate - 0xD800) << 10) + (code - 0xDC00);
        highSurrogate = 0;
        AppendUtf8(out, code);
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            quoted = !quoted;
            if (!started)
                pendingBlanks = 0;
            started = true;
            continue;
        }
        if (!quoted && (c == ' ' || c == '\t')) {
            ++pendingBlanks;
            continue;
        }
        if (c != '\\' || i + 1 == text.size()) {
            if (started)
                out.append(pendingBlanks, ' ');
            pendingBlanks = 0;
            started = true;
            out += c;
            continue;
        }
        const char e = text[++i];
        switch (e) {
        case 'a':
            put('\a');
            break;
        case 'b':
            put('\b');
            break;
        case 'f':
            put('\f');
            break;
        case 'n':
            put('\n');
            break;
        case 'r':
            put('\r');
            break;
        case 't':
            put('\t');
            break;
        case 'v':
            put('\v');
            break;
        case 'x': {
            unsigned code = 0;
            while (i + 1 < text.size() && HexCodec::DigitValue(text[i + 1]) >= 0)
                code = code * 16 + static_cast<unsigned>(HexCodec::DigitValue(text[++i]));
            put(code);
            break;
        }
        default:
            if (e >= '0' && e <= '7') {
                unsigned code = static_cast<unsigned>(e - '0');
                while (i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '7')
                    code = code * 8 + static_cast<unsigned>(text[++i] - '0');
                put(code);
            } else {
                put(static_cast<unsigned char>(e)); // \" \' \? \\ and the rest
            }
        }
    }
    if (out.rfind("@@", 0) == 0)
        out.erase(0, 1);
    return out;
}

std::string CCliSettings::FilePath() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::string folder;
    if (xdg && *xdg)
        folder = xdg;
    else if (const char* home = std::getenv("HOME"))
        folder = std::string(home) + "/.config";
    else
        return {};
    return folder + "/" + SettingsKey::kCompany + "/" + SettingsKey::kApplication + ".ini";
}

CCliSettings CCliSettings::Load() {
    return LoadFrom(FilePath());
}

CCliSettings CCliSettings::LoadFrom(const std::string& path) {
    const std::string devicePrefix = SettingsKey::kDevicePrefix;
    CCliSettings settings;
    // Read without blocking: a FIFO or device in the file's place is not
    // waited for, and the settings then stay at their defaults.
    std::string text;
    if (!ReadWholeFile(path, kMaxSettingsBytes, text).Ok())
        return settings;
    std::istringstream in(text);
    std::string line, section;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        if (section != SettingsKey::kCommPortSection)
            continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string key = Trim(line.substr(0, equals));
        const std::string value = DecodeValue(std::string_view(line).substr(equals + 1));
        if (key == SettingsKey::kPortNumber) {
            const long n = LeadingDigits(value);
            if (n >= 1 && n <= 4)
                settings.portNumber_ = static_cast<unsigned>(n);
        } else if (key.size() == devicePrefix.size() + 1 && key.rfind(devicePrefix, 0) == 0 &&
                   key.back() >= '1' && key.back() <= '4') {
            settings.devices_[key.back() - '1'] = value;
        }
    }
    return settings;
}

void CCliSettings::ApplyTo(CPortNames& names) const {
    for (unsigned i = 0; i < 4; ++i)
        if (!devices_[i].empty())
            names.SetDevice(i + 1, devices_[i]);
}

} // namespace kt
