#include "CTerminalCloneUi.h"

#include "TerminalText.h"

#include <chrono>
#include <iostream>
#include <string>
#include <thread>
#include <unistd.h>

namespace kt {

namespace {
// Message texts may carry CR LF line ends; a terminal wants LF alone. A detail
// may quote a clone file's line, so every other byte outside printable ASCII
// is shown as '.'.
std::string ForTerminal(const std::string& text) {
    std::string out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        out += TerminalSafe(line);
        if (end == std::string::npos)
            return out;
        out += '\n';
        start = end + 1;
    }
}
} // namespace

CTerminalCloneUi::CTerminalCloneUi(std::ostream& out, std::ostream& err, Options options)
    : out_(out), err_(err), options_(options), barOnTerminal_(isatty(STDERR_FILENO) == 1) {}

CTerminalCloneUi::~CTerminalCloneUi() = default;

void CTerminalCloneUi::SetStatusText(const std::string& text) {
    out_ << ForTerminal(text) << std::endl;
}

bool CTerminalCloneUi::BeginProgress() {
    progressShown_ = true;
    lastPercent_ = -1;
    DrawBar(0);
    return true;
}

void CTerminalCloneUi::DrawBar(int percent) {
    if (!barOnTerminal_ || percent == lastPercent_)
        return;
    lastPercent_ = percent;
    const int filled = percent / 5;
    err_ << "\r Cloning [" << std::string(static_cast<std::size_t>(filled), '#')
         << std::string(static_cast<std::size_t>(20 - filled), '.') << "] " << percent << " %"
         << std::flush;
}

void CTerminalCloneUi::SetProgress(int percent) {
    if (progressShown_)
        DrawBar(percent);
}

// Ctrl-C reaches the exchange itself (SignalCleanup): while it runs, the
// exchange takes it as its cancel, closes the port and says it was terminated.
bool CTerminalCloneUi::CheckCancel() {
    return false;
}

void CTerminalCloneUi::EndProgress() {
    if (progressShown_ && barOnTerminal_ && lastPercent_ >= 0)
        err_ << "\n" << std::flush;
    progressShown_ = false;
}

void CTerminalCloneUi::MessageBox(const std::string& text, const std::string& detail) {
    out_ << ForTerminal(text);
    if (!text.empty() && text.back() != '\n')
        out_ << "\n";
    if (!detail.empty())
        out_ << "\n" << ForTerminal(detail) << "\n";
    out_ << std::flush;
}

bool CTerminalCloneUi::AskOkCancel(const std::string& text, const std::string& /*detail*/) {
    if (options_.assumeYes)
        return true;
    if (isatty(STDIN_FILENO) != 1) {
        err_ << ForTerminal(text) << "\nkt-m220-cli: no terminal to ask; give --yes to answer OK."
             << std::endl;
        return false;
    }
    err_ << ForTerminal(text) << "\nOK or Cancel? [ok/cancel] " << std::flush;
    std::string answer;
    if (!std::getline(std::cin, answer))
        return false;
    return answer == "ok" || answer == "OK" || answer == "y" || answer == "yes";
}

void CTerminalCloneUi::Beep(int /*hz*/, int ms) {
    if (!options_.beep)
        return;
    if (barOnTerminal_)
        err_ << '\a' << std::flush;
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void CTerminalCloneUi::Pause(int ms) {
    if (options_.beep)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// The transceiver's comment may hold any byte up to 0xEF; control bytes are
// never passed to the terminal, where they could act as escape sequences.
void CTerminalCloneUi::ShowInformation(const std::string& model, const std::string& comment) {
    out_ << "Model   : " << TerminalSafe(model) << "\n"
         << "Comment : " << TerminalSafe(comment) << "\n"
         << std::flush;
}

} // namespace kt
