#pragma once

#include "ICloneUi.h"

#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace kt {

// A user interface that shows nothing and records everything it is asked to
// show, for tests of the clone exchanges and the clone commands. Questions
// take their answers from a script (OK when the script has run out). The
// beeps and pauses return at once.
class RecordingCloneUi : public ICloneUi {
public:
    struct Box {
        std::string text;
        std::string detail;
    };

    void SetStatusText(const std::string& text) override;
    bool BeginProgress() override;
    void SetProgress(int percent) override;
    bool CheckCancel() override;
    void EndProgress() override;
    void MessageBox(const std::string& text, const std::string& detail = {}) override;
    bool AskOkCancel(const std::string& text, const std::string& detail = {}) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    void Beep(int hz, int ms) override;
    void Pause(int ms) override;
    void ShowInformation(const std::string& model, const std::string& comment) override;

    // Script: the answers of the next questions, in order.
    void AnswerNext(bool ok) { answers_.push_back(ok); }
    // Script: CheckCancel reports a cancel once, after this many SetProgress calls.
    void CancelAfterProgressCalls(int calls) { cancelAfter_ = calls; }
    // Script: what BeginProgress gives.
    void SetProgressAvailable(bool available) { progressAvailable_ = available; }

    // Every call in order, one line each ("status: ...", "progress-begin",
    // "progress 10", "progress-end", "box: ...", "ask: ...", "wait-begin",
    // "wait-end", "beep 1000 50", "pause 50", "information: model | comment").
    // Progress positions are logged only when they change, to keep it short.
    const std::vector<std::string>& Events() const { return events_; }

    const std::vector<std::string>& StatusTexts() const { return statusTexts_; }
    const std::vector<Box>& Boxes() const { return boxes_; }
    const std::vector<std::string>& Questions() const { return questions_; }
    // The detail each question came with, in the same order.
    const std::vector<std::string>& QuestionDetails() const { return questionDetails_; }
    // Every position set, and the positions with repeats removed.
    const std::vector<int>& ProgressPositions() const { return progress_; }
    std::vector<int> ProgressSteps() const;
    int ProgressCalls() const { return static_cast<int>(progress_.size()); }
    int CancelChecks() const { return cancelChecks_; }
    int ProgressBegins() const { return progressBegins_; }
    int ProgressEnds() const { return progressEnds_; }
    bool ProgressOpen() const { return progressOpen_; }
    // Beeps as (hz, ms) and pauses in ms, in order.
    const std::vector<std::pair<int, int>>& Beeps() const { return beeps_; }
    const std::vector<int>& Pauses() const { return pauses_; }
    int WaitCursorDepth() const { return waitDepth_; }
    // The Information dialogs shown, as (model, comment).
    const std::vector<std::pair<std::string, std::string>>& Informations() const {
        return informations_;
    }

private:
    std::vector<std::string> events_;
    std::vector<std::string> statusTexts_;
    std::vector<Box> boxes_;
    std::vector<std::string> questions_;
    std::vector<std::string> questionDetails_;
    std::deque<bool> answers_;
    std::vector<int> progress_;
    std::vector<std::pair<int, int>> beeps_;
    std::vector<int> pauses_;
    std::vector<std::pair<std::string, std::string>> informations_;
    int cancelAfter_ = -1;
    bool cancelPending_ = false;
    bool progressAvailable_ = true;
    bool progressOpen_ = false;
    int progressBegins_ = 0;
    int progressEnds_ = 0;
    int cancelChecks_ = 0;
    int waitDepth_ = 0;
};

} // namespace kt
