#pragma once

#include <string>

namespace kt {

// What the clone exchanges and the clone commands need of the user interface.
// The desktop program implements it with Qt widgets, the command line with
// the terminal, and the tests with a recorder.
class ICloneUi {
public:
    virtual ~ICloneUi() = default;

    // The status bar's message pane; the text stays until it is replaced.
    virtual void SetStatusText(const std::string& text) = 0;

    // The progress dialog of a read or write exchange. BeginProgress shows it
    // and disables the main window; it gives false when it cannot be shown.
    // SetProgress and CheckCancel are called on every pass of the exchange
    // loop and keep the interface responsive. CheckCancel answers whether the
    // user asked to cancel since the last call, and clears the request.
    // EndProgress closes it and enables the main window again.
    virtual bool BeginProgress() = 0;
    virtual void SetProgress(int percent) = 0;
    virtual bool CheckCancel() = 0;
    virtual void EndProgress() = 0;

    // A message box with the program's title, the exclamation icon and an OK
    // button. detail, when not empty, is shown below the text as further
    // information (the device and the system's reason of a port failure).
    virtual void MessageBox(const std::string& text, const std::string& detail = {}) = 0;
    // A question with OK and Cancel; true for OK. detail, when not empty,
    // tells what the answer will do (what a write changes on the transceiver),
    // one line after another, shown with the question.
    virtual bool AskOkCancel(const std::string& text, const std::string& detail = {}) = 0;

    // The wait cursor, from BeginWaitCursor to EndWaitCursor.
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;

    // A tone of hz for ms milliseconds; it returns when the tone has ended.
    virtual void Beep(int hz, int ms) = 0;
    // A pause of ms milliseconds between tones.
    virtual void Pause(int ms) = 0;

    // The Information dialog, shown modally.
    virtual void ShowInformation(const std::string& model, const std::string& comment) = 0;
};

} // namespace kt
