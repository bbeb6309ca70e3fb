#include "CTerminalCloneUi.h"

#include "TerminalText.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <iostream>
#include <string>
#include <thread>
#include <unistd.h>

namespace {
std::atomic<bool> gCancelRequested{false};

extern "C" void OnInterrupt(int) {
    gCancelRequested = true;
}

// Message texts may carry CR LF line ends; a terminal wants LF alone.
std::string ForTerminal(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != '\r')
            out += c;
    return out;
}
} // namespace

CTerminalCloneUi::CTerminalCloneUi(std::ostream& out, std::ostream& err, Options options)
    : out_(out), err_(err), options_(options), barOnTerminal_(isatty(STDERR_FILENO) == 1) {
    // Ctrl-C asks the running exchange to stop instead of ending the program,
    // so that the port is closed and the temporary files are removed.
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

CTerminalCloneUi::~CTerminalCloneUi() {
    signal(SIGINT, SIG_DFL);
    signal(SIGTERM, SIG_DFL);
}

void CTerminalCloneUi::SetStatusText(const std::string& text) {
    out_ << text << std::endl;
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

bool CTerminalCloneUi::CheckCancel() {
    return gCancelRequested.exchange(false);
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

bool CTerminalCloneUi::AskOkCancel(const std::string& text) {
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
