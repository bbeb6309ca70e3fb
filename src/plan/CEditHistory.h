#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <string>

namespace kt {

// The undo and redo steps of a document. Every state is the whole memory
// contents as the bytes of a data file, with whether the document counted as
// modified in that state; a step back or forward hands the earlier or later
// state to the owner, which loads it as it loads any data file. The history
// knows the present state too: after each edit the owner records the new
// state, and only an edit that changed the bytes becomes a step. The oldest
// steps give way beyond the limit.
class CEditHistory {
public:
    struct State {
        std::string bytes;
        bool modified = false;
    };
    // Loads a state into the document; false when it could not, and then the
    // history does not move.
    using Restore = std::function<bool(const State&)>;

    static constexpr std::size_t kDefaultLimit = 100;

    explicit CEditHistory(std::size_t limit = kDefaultLimit);

    // Forgets every step; present is the document's state now. Without one,
    // or with an empty one (no bytes), the history has no present state until
    // the next Record.
    void Reset();
    void Reset(State present);
    // After an edit: present is the state now. True when it differs from the
    // state before, which is then the newest undo step (and the redo steps are
    // dropped). Otherwise only the modified flag of the present state follows.
    // An empty present means the state could not be taken: every step is
    // forgotten, as none could be trusted to lead back here.
    bool Record(State present);

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    std::size_t UndoCount() const { return undo_.size(); }
    std::size_t RedoCount() const { return redo_.size(); }
    std::size_t Limit() const { return limit_; }

    // One step back or forward through restore; false when there is none or
    // restore failed.
    bool Undo(const Restore& restore);
    bool Redo(const Restore& restore);

    // The document was saved: the present state is what its file holds now,
    // so it counts as unmodified, and every other state counts as modified
    // unless its bytes are the same as the file's.
    void MarkSaved();

    bool HasPresent() const { return hasPresent_; }
    const State& Present() const { return present_; }

private:
    bool Step(std::deque<State>& from, std::deque<State>& to, const Restore& restore);

    std::size_t limit_;
    std::deque<State> undo_; // oldest first
    std::deque<State> redo_; // the next redo last
    State present_;
    bool hasPresent_ = false;
};

} // namespace kt
