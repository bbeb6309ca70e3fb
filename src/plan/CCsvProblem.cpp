#include "CCsvProblem.h"

#include <algorithm>

namespace kt {

std::string CCsvProblem::ToString() const {
    std::string s;
    if (line > 0)
        s = "line " + std::to_string(line) + ": ";
    s += IsError() ? "error: " : "warning: ";
    return s + text;
}

bool HasErrors(const std::vector<CCsvProblem>& problems) {
    return std::any_of(problems.begin(), problems.end(),
                       [](const CCsvProblem& p) { return p.IsError(); });
}

} // namespace kt
