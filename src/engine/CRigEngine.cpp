#include "CRigEngine.h"

#include "CCommandText.h"

namespace kt {

CRigEngine::CRigEngine()
    : working_(kImageSize), snapshot_(kImageSize), table_(bandPlan_, clipboard_),
      imageCommands_(working_, snapshot_, editFlag_, settings_, table_,
                     [this](std::string_view command) { return Command(command); }) {
    bandPlan_.SetSettings(&settings_);
    bandPlan_.ResetRanges();
    // Decodes everything from the zero-filled image, heals it and takes the
    // first snapshot.
    Command("EDIT_FLAG=OFF");
}

CRigEngine::~CRigEngine() = default;

std::string CRigEngine::Command(std::string_view command) noexcept {
    try {
        return Dispatch(command);
    } catch (...) {
        // Nothing may escape the command entry; running out of memory is the
        // only way to get here, and it is answered like an unknown command.
        return {};
    }
}

std::string CRigEngine::Dispatch(std::string_view command) {
    CCommandText text{std::string(command)};
    std::string answer = imageCommands_.Handle(text);
    if (answer.empty())
        answer = table_.Handle(text);
    if (answer.empty())
        answer = settings_.Handle(text.Text());
    return answer;
}

} // namespace kt
