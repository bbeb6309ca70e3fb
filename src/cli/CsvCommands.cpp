#include "CsvCommands.h"

#include "CChannelCsv.h"
#include "CM220Radio.h"
#include "CliStatus.h"
#include "DocumentFile.h"
#include "TerminalText.h"

#include <ostream>

namespace kt {

namespace {
// A channel list of 20 channels is about 2 kB; comments may make it longer.
constexpr std::size_t kMaxCsvBytes = 1024 * 1024;

// "plan.csv:5: error: ..." as compilers write it, so that editors find the line.
void PrintProblem(std::ostream& err, const std::string& csv, const CCsvProblem& p) {
    err << csv << ':';
    if (p.line > 0)
        err << p.line << ':';
    // The text quotes the list's fields: nothing in them may act on the terminal.
    err << (p.IsError() ? " error: " : " warning: ") << TerminalSafe(p.text) << "\n";
}
} // namespace

int RunExportCsv(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err) {
    const std::string& file = args.operands.at(0);
    const std::string csv = args.Value("output");
    CM220Radio radio;
    radio.NewData();
    const DocumentFileResult loaded = LoadDocument(radio, file);
    if (!loaded.ok)
        return FileError(err, loaded);
    std::vector<CCsvProblem> warnings;
    const std::string text = CChannelCsv::Export(radio, warnings);
    for (const CCsvProblem& w : warnings)
        err << "kt-m220-cli: warning: " << TerminalSafe(w.text) << "\n";
    if (csv.empty()) {
        out << text << std::flush;
        return 0;
    }
    return Written(ReplaceFile(csv, text), out, err, "Saved " + csv);
}

int RunImportCsv(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err) {
    static const char kImportUsage[] =
        "import-csv FILE CSV [--spacing auto] [--renumber [--from N]]";
    CChannelCsv::ImportOptions options;
    options.renumber = args.Has("renumber");
    options.chooseSpacing = args.Has("spacing");
    if ((options.chooseSpacing && args.Value("spacing") != "auto") ||
        (args.Has("from") &&
         (!options.renumber || !ParseChannel(args.Value("from"), options.firstChannel))))
        return Usage(err, kImportUsage);
    const std::vector<std::string>& paths = args.operands;
    const std::string& file = paths[0];
    const std::string& csv = paths[1];
    CM220Radio radio;
    radio.NewData();
    const DocumentFileResult loaded = LoadDocument(radio, file);
    if (!loaded.ok)
        return FileError(err, loaded);
    std::string text;
    const DocumentFileResult read = ReadTextFile(csv, kMaxCsvBytes, text);
    if (!read.ok)
        return FileError(err, read);

    const CChannelCsv::ImportResult result = CChannelCsv::Import(radio, text, options);
    for (const CCsvProblem& p : result.problems)
        PrintProblem(err, csv, p);
    if (result.needsOtherSpacing) {
        err << "kt-m220-cli: " << file
            << " is unchanged; give --spacing auto to switch to the spacing the list needs\n";
        return kValueChanged;
    }
    if (HasErrors(result.problems)) {
        err << "kt-m220-cli: " << file << " is unchanged\n";
        return kFileError;
    }
    const DocumentFileResult saved = SaveDocument(radio, file);
    if (!saved.ok)
        return FileError(err, saved);
    int inUse = 0;
    for (int n = 1; n <= CM220Radio::kChannelCount; ++n)
        inUse += radio.IsChannelEmpty(n) ? 0 : 1;
    out << "Imported " << csv << " into " << file << ": " << inUse << " channels in use";
    if (!result.skippedLines.empty())
        out << ", " << result.skippedLines.size() << " rows for other radios skipped";
    if (result.spacingAfter != result.spacingBefore)
        out << ", channel spacing " << result.spacingAfter;
    out << "\n";
    return 0;
}

bool ParseChannel(const std::string& text, int& channel) {
    if (text.empty() || text.size() > 2 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    channel = std::stoi(text);
    return channel >= 1 && channel <= CM220Radio::kChannelCount;
}

} // namespace kt
