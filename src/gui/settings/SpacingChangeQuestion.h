#pragma once

#include "CSpacingChange.h"

#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace kt {

// The question before a change of the channel spacing that changes stored
// channels: every such channel with its frequency before and after, and
// whether to change the spacing. True for Yes.
bool AskSpacingChange(QWidget* parent, const std::string& spacing,
                      const std::vector<CSpacingChange::Move>& moves);

// The text of that question.
std::string SpacingChangeText(const std::string& spacing,
                              const std::vector<CSpacingChange::Move>& moves);

// Tests answer the question instead of a person: while set, it is asked
// instead of the message box.
using SpacingChangeAnswerer =
    std::function<bool(const std::string& spacing, const std::vector<CSpacingChange::Move>&)>;
void SetSpacingChangeAnswerer(SpacingChangeAnswerer answerer);

} // namespace kt
