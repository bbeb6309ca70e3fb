#include "RecordingCloneUi.h"

namespace kt {

void RecordingCloneUi::SetStatusText(const std::string& text) {
    statusTexts_.push_back(text);
    events_.push_back("status: " + text);
}

bool RecordingCloneUi::BeginProgress() {
    events_.push_back("progress-begin");
    if (!progressAvailable_)
        return false;
    ++progressBegins_;
    progressOpen_ = true;
    return true;
}

void RecordingCloneUi::SetProgress(int percent) {
    if (progress_.empty() || progress_.back() != percent)
        events_.push_back("progress " + std::to_string(percent));
    progress_.push_back(percent);
    if (cancelAfter_ >= 0 && static_cast<int>(progress_.size()) == cancelAfter_)
        cancelPending_ = true;
}

bool RecordingCloneUi::CheckCancel() {
    ++cancelChecks_;
    const bool cancel = cancelPending_;
    cancelPending_ = false;
    if (cancel)
        events_.push_back("cancel");
    return cancel;
}

void RecordingCloneUi::EndProgress() {
    events_.push_back("progress-end");
    ++progressEnds_;
    progressOpen_ = false;
}

void RecordingCloneUi::MessageBox(const std::string& text, const std::string& detail) {
    boxes_.push_back({text, detail});
    events_.push_back("box: " + text);
}

bool RecordingCloneUi::AskOkCancel(const std::string& text, const std::string& detail) {
    questions_.push_back(text);
    questionDetails_.push_back(detail);
    events_.push_back("ask: " + text);
    if (answers_.empty())
        return true;
    const bool ok = answers_.front();
    answers_.pop_front();
    return ok;
}

void RecordingCloneUi::BeginWaitCursor() {
    ++waitDepth_;
    events_.push_back("wait-begin");
}

void RecordingCloneUi::EndWaitCursor() {
    --waitDepth_;
    events_.push_back("wait-end");
}

void RecordingCloneUi::Beep(int hz, int ms) {
    beeps_.emplace_back(hz, ms);
    events_.push_back("beep " + std::to_string(hz) + " " + std::to_string(ms));
}

void RecordingCloneUi::Pause(int ms) {
    pauses_.push_back(ms);
    events_.push_back("pause " + std::to_string(ms));
}

void RecordingCloneUi::ShowInformation(const std::string& model, const std::string& comment) {
    informations_.emplace_back(model, comment);
    events_.push_back("information: " + model + " | " + comment);
}

std::vector<int> RecordingCloneUi::ProgressSteps() const {
    std::vector<int> steps;
    for (int p : progress_)
        if (steps.empty() || steps.back() != p)
            steps.push_back(p);
    return steps;
}

} // namespace kt
