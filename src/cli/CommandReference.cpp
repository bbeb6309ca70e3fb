#include "CommandReference.h"

#include "CCommonSettings.h"
#include "CSettingLabels.h"
#include "CliCommand.h"
#include "CliStatus.h"
#include "TerminalText.h"

#include <ostream>
#include <string_view>

namespace kt {

namespace {
constexpr std::size_t kColumn = 34;

const char kIntroduction[] =
    "Engine commands, as kt-m220-cli set and engine take them.\n"
    "A command is KEY=VALUE, or KEY alone to ask for the value; words may be\n"
    "written in any case. set answers each command with the value the file\n"
    "then holds.\n";

// The channel properties and operations; n is the memory channel, 1 to 20.
const char* const kChannelCommands[][2] = {
    {"CH.MCH.n.APPEAR=ON|OFF", "the channel is in use (set it after FREQUENCY)"},
    {"CH.MCH.n.FREQUENCY=MHZ", "Frequency, 118.000 to 136.980; the heal puts"},
    {"", "it on the raster of the channel spacing"},
    {"CH.MCH.n.FREQUENCY.ByNumber=HZ", "the same in Hz"},
    {"CH.MCH.n.NAME=TEXT", "Name, at most 7 characters; a single blank"},
    {"", "clears it"},
    {"CH.MCH.n.TXINHIBIT=ON|OFF", "Tx Inhibit"},
    {"CH.MCH.n.CHLOCKOUT=ON|OFF", "Memory Lockout (skipped by the scan)"},
    {"CH.MCH.n.ALL=P=V<TAB>P=V...", "several properties at once; asked, all five"},
    {"CH.MCH.n.CLEAR", "empty the channel (not channel 1)"},
    {"CH.MCH.n.DELETE", "remove it, moving the channels below up"},
    {"CH.MCH.n.INSERT", "an empty channel here, moving the others down"},
    {"", "(channel 20 is lost)"},
    {"CH.MCH.n.COPY, CH.MCH.n.PASTE", "copy a channel, paste it over another"},
    {"CH.VFO.1.PROPERTY", "the VFO, with the same properties"},
};

const char kSelectors[] = "A choice can also be given by its index, from 0: COMMON.KEY.ByNumber=N\n"
                          "(COMMON.PRIOCH.ByNumber takes 0 to 19).\n";

// What the Setting sheet calls the control behind an engine key.
std::string LabelOf(const std::string& key) {
    for (const CSettingLabels::Setting& s : CSettingLabels::All())
        for (std::size_t i = 0; i < s.keys.size(); ++i)
            if (key == s.keys[i])
                return i == 0 ? std::string(s.label)
                              : std::string(s.label) + " (with " + s.keys.front() + ")";
    return {};
}

// What the Setting sheet's control makes of a key where that is not plain.
std::string NoteOn(const std::string& key) {
    static const char* const kNotes[][2] = {
        {"VFOTX_INHIBIT", ", ticked for DISABLE"},
        {"SCAN_PRIO", ": Off, or the channel PRIOCH"},
        {"LCD_BACKLIGHT", ": Off, or the level LCD_DIMMER"},
    };
    for (const auto& note : kNotes)
        if (key == note[0])
            return note[1];
    return {};
}

// The values a setting takes: its choices, its number range or its length.
std::string ValuesOf(CSettingItem& item) {
    if (CChoiceList* choices = item.Choices()) {
        std::string text;
        for (int i = 0; i < choices->Count(); ++i)
            text += (i ? "|" : "") + choices->Text(i);
        return text;
    }
    if (CNumberList* numbers = item.Numbers()) {
        int last = numbers->Minimum();
        while (numbers->IsValid(last + 1))
            ++last;
        return numbers->Text(numbers->Minimum()) + ".." + numbers->Text(last);
    }
    if (item.Text() != nullptr)
        return "TEXT";
    return {};
}

std::string LengthNote(CSettingItem& item) {
    if (CTextValue* text = item.Text())
        return ", " + std::to_string(text->MaxLength()) + " characters";
    return {};
}
} // namespace

std::string CommandReference() {
    std::string text = kIntroduction;
    text += "\nMemory channels (n is 1 to 20):\n";
    for (const auto& row : kChannelCommands)
        CommandLine::AppendColumns(text, std::string("  ") + row[0], row[1], kColumn);
    text += "\nCommon settings, with the Setting sheet's label:\n";
    CCommonSettings settings;
    for (std::size_t i = 0; i < settings.Count(); ++i) {
        CSettingItem& item = settings.ItemAt(i);
        CommandLine::AppendColumns(text, "  COMMON." + item.Name() + "=" + ValuesOf(item),
                                   LabelOf(item.Name()) + NoteOn(item.Name()) + LengthNote(item),
                                   kColumn);
    }
    text += "\n";
    text += kSelectors;
    return text;
}

int RunHelp(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err) {
    if (args.operands.empty()) {
        out << CliUsage();
        return 0;
    }
    if (args.operands.front() == "commands") {
        out << CommandReference();
        return 0;
    }
    err << "kt-m220-cli: no help on '" << TerminalSafe(args.operands.front())
        << "'; try kt-m220-cli help commands\n";
    return kUsageError;
}

} // namespace kt
