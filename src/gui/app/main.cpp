#include "CAppCommandLine.h"
#include "CAppVersion.h"
#include "CKTM220App.h"
#include "CTerminationSignals.h"

#include <QApplication>

int main(int argc, char** argv) {
    // --help and --version need no display.
    int exitCode = 0;
    if (CAppCommandLine::AnswerBeforeWindows(argc, argv, exitCode))
        return exitCode;

    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Velk"));
    QCoreApplication::setApplicationName(QString::fromLatin1(CAppVersion::kAppName));
    QCoreApplication::setApplicationVersion(CAppVersion::BuildVersion());
    QGuiApplication::setDesktopFileName(QStringLiteral("org.velk.ktm220"));

    CKTM220App app;
    CTerminationSignals termination;
    QObject::connect(&termination, &CTerminationSignals::TerminationRequested, &app,
                     &CKTM220App::OnTerminationRequested);
    if (!app.InitInstance(QCoreApplication::arguments()))
        return app.ExitCode();
    const int status = QApplication::exec();
    app.ExitInstance();
    return status;
}
