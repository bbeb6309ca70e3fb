#include "CEditHistory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kt {

namespace {
using State = CEditHistory::State;

// A document as the history sees it: its bytes and modified state, loaded
// by the restore function the history calls.
struct FakeDocument {
    State now;
    int restores = 0;
    bool refuse = false;

    CEditHistory::Restore Restorer() {
        return [this](const State& state) {
            if (refuse)
                return false;
            ++restores;
            now = state;
            return true;
        };
    }
    // An edit: the document changes and the history is told.
    void Edit(CEditHistory& history, const std::string& bytes) {
        now = {bytes, true};
        history.Record(now);
    }
};
} // namespace

TEST(CEditHistory, UndoAndRedoWalkTheEditsBothWays) {
    CEditHistory history;
    FakeDocument doc{{"A", false}};
    history.Reset(doc.now);
    EXPECT_FALSE(history.Undo(doc.Restorer()));
    EXPECT_FALSE(history.Redo(doc.Restorer()));
    EXPECT_EQ(doc.restores, 0);

    doc.Edit(history, "B");
    doc.Edit(history, "C");
    EXPECT_EQ(history.UndoCount(), 2u);

    const struct {
        bool undo;
        const char* bytes;
        bool modified;
        std::size_t undoLeft;
        std::size_t redoLeft;
    } steps[] = {
        {true, "B", true, 1, 1},  {true, "A", false, 0, 2}, {false, "B", true, 1, 1},
        {false, "C", true, 2, 0}, {true, "B", true, 1, 1},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(std::string(step.undo ? "undo to " : "redo to ") + step.bytes);
        EXPECT_TRUE(step.undo ? history.Undo(doc.Restorer()) : history.Redo(doc.Restorer()));
        EXPECT_EQ(doc.now.bytes, step.bytes);
        EXPECT_EQ(doc.now.modified, step.modified);
        EXPECT_EQ(history.Present().bytes, step.bytes);
        EXPECT_EQ(history.UndoCount(), step.undoLeft);
        EXPECT_EQ(history.RedoCount(), step.redoLeft);
    }
}

TEST(CEditHistory, AnEditThatChangedNothingIsNoStepButItsModifiedStateCounts) {
    CEditHistory history;
    FakeDocument doc{{"A", false}};
    history.Reset(doc.now);
    // The Setting sheet's OK marks the document modified even when every
    // value stayed as it was.
    EXPECT_FALSE(history.Record({"A", true}));
    EXPECT_FALSE(history.CanUndo());
    EXPECT_TRUE(history.Present().modified);

    doc.Edit(history, "B");
    ASSERT_TRUE(history.Undo(doc.Restorer()));
    EXPECT_EQ(doc.now.bytes, "A");
    EXPECT_TRUE(doc.now.modified) << "the state as it was left, not as it was opened";
}

TEST(CEditHistory, ANewEditDropsTheRedoSteps) {
    CEditHistory history;
    FakeDocument doc{{"A", false}};
    history.Reset(doc.now);
    doc.Edit(history, "B");
    doc.Edit(history, "C");
    ASSERT_TRUE(history.Undo(doc.Restorer()));
    doc.Edit(history, "D");
    EXPECT_FALSE(history.CanRedo());
    ASSERT_TRUE(history.Undo(doc.Restorer()));
    EXPECT_EQ(doc.now.bytes, "B");
}

TEST(CEditHistory, AFailedRestoreDoesNotMove) {
    CEditHistory history;
    FakeDocument doc{{"A", false}};
    history.Reset(doc.now);
    doc.Edit(history, "B");
    doc.refuse = true;
    EXPECT_FALSE(history.Undo(doc.Restorer()));
    EXPECT_EQ(history.Present().bytes, "B");
    EXPECT_EQ(history.UndoCount(), 1u);
    EXPECT_FALSE(history.CanRedo());
    doc.refuse = false;
    EXPECT_TRUE(history.Undo(doc.Restorer()));
    EXPECT_EQ(doc.now.bytes, "A");
}

TEST(CEditHistory, TheOldestStepsGiveWayBeyondTheLimit) {
    CEditHistory history(3);
    FakeDocument doc{{"0", false}};
    history.Reset(doc.now);
    for (int i = 1; i <= 5; ++i)
        doc.Edit(history, std::to_string(i));
    EXPECT_EQ(history.UndoCount(), 3u);
    std::vector<std::string> seen;
    while (history.Undo(doc.Restorer()))
        seen.push_back(doc.now.bytes);
    EXPECT_EQ(seen, (std::vector<std::string>{"4", "3", "2"}));
    EXPECT_EQ(history.RedoCount(), 3u);
    EXPECT_EQ(CEditHistory().Limit(), CEditHistory::kDefaultLimit);
}

TEST(CEditHistory, SavingMakesTheSavedStateTheUnmodifiedOne) {
    CEditHistory history;
    FakeDocument doc{{"A", false}};
    history.Reset(doc.now);
    doc.Edit(history, "B");
    doc.Edit(history, "A"); // edited back by hand
    doc.Edit(history, "C");
    history.MarkSaved(); // the file holds C now
    EXPECT_FALSE(history.Present().modified);

    const struct {
        const char* bytes;
        bool modified;
    } back[] = {{"A", true}, {"B", true}, {"A", true}};
    for (const auto& step : back) {
        SCOPED_TRACE(step.bytes);
        ASSERT_TRUE(history.Undo(doc.Restorer()));
        EXPECT_EQ(doc.now.bytes, step.bytes);
        EXPECT_EQ(doc.now.modified, step.modified);
    }
    // Saving A now: the other A becomes unmodified too, C does not.
    history.MarkSaved();
    ASSERT_TRUE(history.Redo(doc.Restorer()));
    ASSERT_TRUE(history.Redo(doc.Restorer()));
    EXPECT_EQ(doc.now.bytes, "A");
    EXPECT_FALSE(doc.now.modified);
    ASSERT_TRUE(history.Redo(doc.Restorer()));
    EXPECT_EQ(doc.now.bytes, "C");
    EXPECT_TRUE(doc.now.modified);
}

TEST(CEditHistory, AStateThatCouldNotBeTakenForgetsEveryStep) {
    CEditHistory history;
    FakeDocument doc{{"A", false}};
    history.Reset(doc.now);
    doc.Edit(history, "B");
    EXPECT_FALSE(history.Record({"", true}));
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.HasPresent());
    // The next state taken is the start of a new history.
    EXPECT_FALSE(history.Record({"C", true}));
    EXPECT_FALSE(history.CanUndo());
    doc.Edit(history, "D");
    EXPECT_TRUE(history.Undo(doc.Restorer()));
    EXPECT_EQ(doc.now.bytes, "C");
}

} // namespace kt
