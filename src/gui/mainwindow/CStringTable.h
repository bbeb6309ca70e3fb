#pragma once

#include <QString>

namespace kt {

// The program's texts by number: the prompts and tool tips of the commands
// ("prompt\ntool tip"), the document strings, the status-bar panes and the
// framework's own messages.
namespace CStringTable {
// The whole string; empty for a number that has none.
QString Text(int id);
// The part before the line feed: the status-bar prompt of a command.
QString Prompt(int id);
// The part after the line feed: the tool tip of a command (empty if none).
QString ToolTip(int id);
// Field index (0 to 6) of the document string 128: title, document name,
// new-document name, filter name, extension, file type id, file type name.
QString DocumentString(int index);
} // namespace CStringTable

} // namespace kt
