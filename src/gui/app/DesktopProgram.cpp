#include "DesktopProgram.h"

#include "CAppCommandLine.h"
#include "CAppVersion.h"
#include "CKTM220App.h"
#include "CTerminationSignals.h"
#include "PdfExportProgram.h"
#include "StartupTrace.h"

#include <QApplication>

namespace kt {

int RunDesktopProgram(int argc, char** argv, const std::function<void(CKTM220App&)>& started) {
    // --help and --version need no display.
    int exitCode = 0;
    if (CAppCommandLine::AnswerBeforeWindows(argc, argv, exitCode))
        return exitCode;
    // A PDF written from the command line opens no window.
    if (AsksForPdfExport(argc, argv))
        return RunPdfExport(argc, argv);

    QApplication application(argc, argv);
    StartupTrace::Mark("QApplication made");
    QCoreApplication::setOrganizationName(QStringLiteral("Velk"));
    QCoreApplication::setApplicationName(QString::fromLatin1(CAppVersion::kAppName));
    QCoreApplication::setApplicationVersion(CAppVersion::BuildVersion());

    CKTM220App app;
    StartupTrace::Mark("application object made");
    CTerminationSignals termination;
    QObject::connect(&termination, &CTerminationSignals::TerminationRequested, &app,
                     &CKTM220App::OnTerminationRequested);
    if (!app.InitInstance(QCoreApplication::arguments()))
        return app.ExitCode();
    StartupTrace::Mark("instance initialised, window shown");
    if (started)
        started(app);
    const int status = QApplication::exec();
    app.ExitInstance();
    return status;
}

} // namespace kt
