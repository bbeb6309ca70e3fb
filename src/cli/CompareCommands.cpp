#include "CompareCommands.h"

#include "CImageComparison.h"
#include "CM220Radio.h"
#include "CliStatus.h"
#include "DocumentFile.h"
#include "TerminalText.h"

#include <ostream>

namespace kt {

int RunDiff(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err) {
    CM220Radio first;
    CM220Radio second;
    first.NewData();
    second.NewData();
    if (const DocumentFileResult loaded = LoadDocument(first, args.operands.at(0)); !loaded.ok)
        return FileError(err, loaded);
    if (const DocumentFileResult loaded = LoadDocument(second, args.operands.at(1)); !loaded.ok)
        return FileError(err, loaded);
    const auto differences = CImageComparison::Compare(first, second);
    // Names and texts come from the files: nothing in them may act on the terminal.
    for (const CImageComparison::Difference& d : differences)
        out << TerminalSafe(CImageComparison::Describe(d)) << "\n";
    return differences.empty() ? 0 : kImagesDiffer;
}

} // namespace kt
