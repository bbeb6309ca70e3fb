#pragma once

#include <QString>
#include <QStringList>

namespace kt {

// The desktop program's command line as far as it can be answered before a
// window system is asked for: --help and --version print their text and end
// the program, so that they work on a machine without a display (Qt's window
// system integration ends a program that finds none). Everything else is left
// to the application object, which reads the command line again once Qt has
// taken its own options (-platform, -style, ...) out of it.
class CAppCommandLine {
public:
    struct Answer {
        bool endNow = false; // the program ends without a window
        int exitCode = 0;
        QString text; // for standard output (exit code 0) or standard error
    };

    // What the command line (arguments[0] is the program) asks for before any
    // window. A wrong command line ends the program here only without a
    // display; with one, it may hold Qt's own options and is left to the
    // application object. --help-all is taken as --help.
    static Answer Decide(const QStringList& arguments, bool haveDisplay);

    // Whether the environment names a display or a platform for Qt, or the
    // command line a platform (-platform NAME).
    static bool HaveDisplay(const QStringList& arguments);

    // For main(), before the QApplication exists: prints the answer and gives
    // true, with exitCode, when the program is to end.
    static bool AnswerBeforeWindows(int argc, char** argv, int& exitCode);
};

} // namespace kt
