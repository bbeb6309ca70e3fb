#include "CAppCommandLine.h"

#include "CKTM220App.h"

#include <QCoreApplication>
#include <cstdio>

namespace kt {

namespace {
QStringList ArgumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// Qt lists --help-all as its help option's long form with Qt's own options;
// the program has no Qt options worth listing, so it gives the plain help.
QStringList HelpAllAsHelp(QStringList arguments) {
    for (int i = 1; i < arguments.size(); ++i)
        if (arguments[i] == QLatin1String("--help-all"))
            arguments[i] = QStringLiteral("--help");
    return arguments;
}
} // namespace

CAppCommandLine::Answer CAppCommandLine::Decide(const QStringList& arguments, bool haveDisplay) {
    Answer answer;
    CKTM220App::Options options;
    if (CKTM220App::ParseCommandLine(HelpAllAsHelp(arguments), options, answer.text,
                                     answer.exitCode))
        return {};
    // Help and version end the program here; a wrong command line only when
    // there is no display, for Qt's own options are still in it.
    answer.endNow = answer.exitCode == 0 || !haveDisplay;
    if (!answer.endNow)
        return {};
    return answer;
}

bool CAppCommandLine::HaveDisplay(const QStringList& arguments) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (!qEnvironmentVariableIsEmpty(name))
            return true;
    return arguments.contains(QLatin1String("-platform")) ||
           arguments.contains(QLatin1String("--platform"));
}

bool CAppCommandLine::AnswerBeforeWindows(int argc, char** argv, int& exitCode) {
    const QStringList arguments = ArgumentsOf(argc, argv);
    if (!Decide(arguments, HaveDisplay(arguments)).endNow)
        return false;
    // The help text names the program as it was called, which the parser
    // learns from the application object: one without a window system.
    QCoreApplication core(argc, argv);
    const Answer answer = Decide(QCoreApplication::arguments(), false);
    std::fputs(qPrintable(answer.text), answer.exitCode == 0 ? stdout : stderr);
    exitCode = answer.exitCode;
    return true;
}

} // namespace kt
