#include "CEditHistory.h"

#include <algorithm>
#include <utility>

namespace kt {

CEditHistory::CEditHistory(std::size_t limit) : limit_(std::max<std::size_t>(limit, 1)) {}

void CEditHistory::Reset() {
    Reset(State{});
}

void CEditHistory::Reset(State present) {
    undo_.clear();
    redo_.clear();
    hasPresent_ = !present.bytes.empty();
    present_ = hasPresent_ ? std::move(present) : State{};
}

bool CEditHistory::Record(State present) {
    if (present.bytes.empty()) {
        Reset();
        return false;
    }
    if (!hasPresent_) {
        Reset(std::move(present));
        return false;
    }
    if (present.bytes == present_.bytes) {
        present_.modified = present.modified;
        return false;
    }
    undo_.push_back(std::move(present_));
    while (undo_.size() > limit_)
        undo_.pop_front();
    redo_.clear();
    present_ = std::move(present);
    return true;
}

bool CEditHistory::Step(std::deque<State>& from, std::deque<State>& to, const Restore& restore) {
    if (from.empty() || !hasPresent_ || !restore || !restore(from.back()))
        return false;
    to.push_back(std::move(present_));
    present_ = std::move(from.back());
    from.pop_back();
    return true;
}

bool CEditHistory::Undo(const Restore& restore) {
    return Step(undo_, redo_, restore);
}

bool CEditHistory::Redo(const Restore& restore) {
    return Step(redo_, undo_, restore);
}

void CEditHistory::MarkSaved() {
    if (!hasPresent_)
        return;
    present_.modified = false;
    for (std::deque<State>* steps : {&undo_, &redo_})
        for (State& state : *steps)
            state.modified = state.bytes != present_.bytes;
}

} // namespace kt
