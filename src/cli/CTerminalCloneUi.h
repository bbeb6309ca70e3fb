#pragma once

#include "ICloneUi.h"

#include <iosfwd>

namespace kt {

// The clone commands' user interface in a terminal: status and message texts
// printed as lines, a progress bar on a terminal, Ctrl-C as the cancel
// request, questions answered at a prompt (or by --yes), the bell for beeps.
class CTerminalCloneUi : public ICloneUi {
public:
    struct Options {
        bool assumeYes = false; // answer OK to every question
        bool beep = true;       // sound the beep patterns (and wait for them)
    };

    CTerminalCloneUi(std::ostream& out, std::ostream& err, Options options);
    ~CTerminalCloneUi() override;
    CTerminalCloneUi(const CTerminalCloneUi&) = delete;
    CTerminalCloneUi& operator=(const CTerminalCloneUi&) = delete;

    void SetStatusText(const std::string& text) override;
    bool BeginProgress() override;
    void SetProgress(int percent) override;
    bool CheckCancel() override;
    void EndProgress() override;
    void MessageBox(const std::string& text, const std::string& detail) override;
    bool AskOkCancel(const std::string& text, const std::string& detail) override;
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void Beep(int hz, int ms) override;
    void Pause(int ms) override;
    void ShowInformation(const std::string& model, const std::string& comment) override;

private:
    void DrawBar(int percent);

    std::ostream& out_;
    std::ostream& err_;
    Options options_;
    bool barOnTerminal_;
    bool progressShown_ = false;
    int lastPercent_ = -1;
};

} // namespace kt
