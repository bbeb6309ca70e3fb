#include "CheckCommand.h"

#include "CM220Radio.h"
#include "CPlanCheck.h"
#include "CliStatus.h"
#include "DocumentFile.h"
#include "TerminalText.h"

#include <ostream>

namespace kt {

int RunCheck(const CommandLine::Parsed& args, std::ostream& out, std::ostream& err) {
    CM220Radio radio;
    radio.NewData();
    if (const DocumentFileResult loaded = LoadDocument(radio, args.operands.at(0)); !loaded.ok)
        return FileError(err, loaded);
    const auto findings = CPlanCheck::Run(radio);
    // Channel names come from the file: nothing in them may act on the terminal.
    for (const CPlanCheck::Finding& finding : findings)
        out << TerminalSafe(CPlanCheck::Describe(finding)) << "\n";
    return findings.empty() ? 0 : kPlanFindings;
}

} // namespace kt
