#include "CKTM220App.h"

#include "CAboutDlg.h"
#include "CAppResources.h"
#include "CAppVersion.h"
#include "CDemoTransceiver.h"
#include "CDocumentCommands.h"
#include "CKTM220Doc.h"
#include "CMainFrame.h"
#include "CPlainMessageBox.h"
#include "CRecoveryFile.h"
#include "CSingleInstance.h"
#include "CSplashDlg.h"
#include "CStringTable.h"
#include "CWaitCursor.h"
#include "CommandIds.h"
#include "StartupTrace.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QMessageBox>
#include <QSessionManager>
#include <QTimer>
#include <cstdio>

namespace kt {

namespace {
constexpr int kUsageError = 2;
constexpr int kStartFailed = 1;
} // namespace

bool CKTM220App::ParseCommandLine(const QStringList& arguments, Options& options, QString& message,
                                  int& exitCode) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Reads, edits and writes the memory of the VR-M220 transceiver."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption demo(
        QStringLiteral("demo"),
        QStringLiteral("Start a virtual transceiver for this run and use it on the current "
                       "port, so that Read, Write and Information work without a radio."));
    parser.addOption(demo);
    const QCommandLineOption exportPdf(
        QStringLiteral("export-pdf"),
        QStringLiteral("Write the file's channel plan as a PDF to -o and end, without a window."));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("The PDF file --export-pdf writes."),
                                    QStringLiteral("file.pdf"));
    const QCommandLineOption kneeboard(
        QStringLiteral("kneeboard"),
        QStringLiteral("With --export-pdf: the kneeboard card instead of the channel plan."));
    const QCommandLineOption card(QStringLiteral("card"),
                                  QStringLiteral("The kneeboard card's size: a5 (the default) "
                                                 "or 5x8 (inches)."),
                                  QStringLiteral("a5|5x8"), QStringLiteral("a5"));
    const QCommandLineOption night(QStringLiteral("night"),
                                   QStringLiteral("The kneeboard card white on black."));
    parser.addOptions({exportPdf, output, kneeboard, card, night});
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("A data file (.vkf) to open."), "[file]");
    exitCode = 0;
    if (!parser.parse(arguments)) {
        message = parser.errorText() + QStringLiteral("\n\n") + parser.helpText();
        exitCode = kUsageError;
        return false;
    }
    if (parser.isSet(help)) {
        message = parser.helpText();
        return false;
    }
    if (parser.isSet(version)) {
        message = QStringLiteral("%1 %2\n").arg(QLatin1String(CAppVersion::kAppName),
                                                CAppVersion::BuildVersion());
        return false;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        message = QStringLiteral("Only one file can be opened.\n\n") + parser.helpText();
        exitCode = kUsageError;
        return false;
    }
    options.file = files.value(0);
    options.demo = parser.isSet(demo);
    options.exportPdf = parser.isSet(exportPdf);
    options.output = parser.value(output);
    options.kneeboard = parser.isSet(kneeboard);
    options.card = parser.value(card).toLower();
    options.night = parser.isSet(night);
    QString wrong;
    if (!options.exportPdf && (parser.isSet(output) || options.kneeboard))
        wrong = QStringLiteral("-o and --kneeboard go with --export-pdf.");
    else if (!options.kneeboard && (parser.isSet(card) || options.night))
        wrong = QStringLiteral("--card and --night go with --kneeboard.");
    else if (options.card != QLatin1String("a5") && options.card != QLatin1String("5x8"))
        wrong = QStringLiteral("--card takes a5 or 5x8.");
    else if (options.exportPdf && (options.file.isEmpty() || options.output.isEmpty()))
        wrong = QStringLiteral("--export-pdf needs a data file and -o file.pdf.");
    else if (options.exportPdf && options.demo)
        wrong = QStringLiteral("--export-pdf opens no window: --demo has nothing to do.");
    if (!wrong.isEmpty()) {
        message = wrong + QStringLiteral("\n\n") + parser.helpText();
        exitCode = kUsageError;
        return false;
    }
    return true;
}

CKTM220App::CKTM220App() : recovery_(std::make_unique<CRecoveryFile>()) {
    InitAppResources();
}

CKTM220App::~CKTM220App() {
    ExitInstance();
}

bool CKTM220App::InitInstance(const QStringList& arguments) {
    CSplashDlg::EnableBanner(true);

    Options options;
    QString message;
    if (!ParseCommandLine(arguments, options, message, exitCode_)) {
        if (!message.isEmpty())
            fputs(qPrintable(message), exitCode_ == 0 ? stdout : stderr);
        return false;
    }

    // Another copy runs: end at once, without a word, after handing it the
    // file named on the command line.
    StartupTrace::Mark("command line parsed");
    instance_ = std::make_unique<CSingleInstance>();
    if (!instance_->IsFirst()) {
        instance_.reset();
        exitCode_ = 0;
        if (!options.file.isEmpty() && !HandOverFile(options.file))
            exitCode_ = kStartFailed;
        return false;
    }
    const QString notListening =
        instance_->Listen([this](const QStringList& files, const QByteArray& token) {
            OnFilesHandedOver(files, token);
        });
    if (!notListening.isEmpty())
        fprintf(stderr, "kt-m220: files opened later will start a copy of their own: %s\n",
                qPrintable(notListening));
    StartupTrace::Mark("single instance checked, listening");

    {
        CWaitCursor wait;
        doc_ = std::make_unique<CKTM220Doc>();
        StartupTrace::Mark("document made");
        frame_ = std::make_unique<CMainFrame>(*doc_);
        StartupTrace::Mark("main frame made");
        connect(frame_.get(), &CMainFrame::AboutRequested, this, &CKTM220App::OnAppAbout);
        frame_->SetUnaskedClose([this] { return CloseUnasked(); });
        // At the end of the desktop session the unsaved changes are kept
        // without a question; the session manager then ends the program.
        connect(qApp, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager&) { OnCommitDataRequest(); });
    }
    // Changes kept when the program was last ended unasked are offered
    // first. A file that cannot be opened is then reported (without the wait
    // cursor) and ends the start, unless the recovered changes are shown.
    doc_->OnNewDocument();
    const bool recovered = OfferRecovery();
    StartupTrace::Mark("new document, recovery looked for");
    if (ending_)
        return false;
    if (!options.file.isEmpty() && !frame_->DocumentCommands().OpenDocumentFile(options.file) &&
        !recovered) {
        exitCode_ = kStartFailed;
        return false;
    }
    if (frame_->StartedMaximized())
        frame_->showMaximized();
    else
        frame_->show();
    StartupTrace::WatchFirstExpose(frame_.get());
    // The banner comes once the main window is on the screen, so that it
    // never holds the window back.
    QTimer::singleShot(0, frame_.get(), &CMainFrame::ShowBanner);
    if (options.demo)
        QTimer::singleShot(0, this, &CKTM220App::StartDemo);
    started_ = true;
    if (!handedOver_.isEmpty())
        QTimer::singleShot(0, this, &CKTM220App::OpenHandedOverFiles);
    return true;
}

bool CKTM220App::HandOverFile(const QString& file) {
    const QString path = QFileInfo(file).absoluteFilePath();
    // The desktop's permission to bring a window forward: Wayland's
    // activation token, or the X11 start-up id.
    QByteArray token = qgetenv("XDG_ACTIVATION_TOKEN");
    if (token.isEmpty())
        token = qgetenv("DESKTOP_STARTUP_ID");
    const QString reason = CSingleInstance::HandOver({path}, token);
    if (reason.isEmpty())
        return true;
    CPlainMessageBox box(QMessageBox::Warning, CStringTable::Text(StringId::kAppTitle),
                         QStringLiteral("%1 could not be handed to the KT-M220 that is running.")
                             .arg(QDir::toNativeSeparators(path)),
                         QMessageBox::Ok);
    box.setInformativeText(reason + QStringLiteral("\nOpen it there with File > Open."));
    box.exec();
    fprintf(stderr, "kt-m220: %s could not be handed to the running copy: %s\n", qPrintable(path),
            qPrintable(reason));
    return false;
}

void CKTM220App::OnFilesHandedOver(const QStringList& files, const QByteArray& token) {
    handedOver_ += files;
    if (!token.isEmpty())
        activationToken_ = token;
    QTimer::singleShot(0, this, &CKTM220App::OpenHandedOverFiles);
}

void CKTM220App::OpenHandedOverFiles() {
    // Before the window is up, and while a file is being opened, the files
    // wait; the start and the opening take them up when done.
    if (!started_ || ending_ || !frame_ || opening_ || handedOver_.isEmpty())
        return;
    // A dialog that holds the window (Edit Memory, a clone, a question) is
    // finished first, as File > Open cannot be reached while it is open.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        if (holdingDialog_ != modal) {
            if (holdingDialog_)
                holdingDialog_->removeEventFilter(this);
            holdingDialog_ = modal;
            modal->installEventFilter(this);
        }
        return;
    }
    opening_ = true;
    BringWindowForward();
    while (!handedOver_.isEmpty() && !ending_ && frame_)
        frame_->DocumentCommands().OpenDocumentFile(handedOver_.takeFirst());
    // The questions on the way took the focus; the window gets it back.
    if (frame_)
        frame_->activateWindow();
    opening_ = false;
}

void CKTM220App::BringWindowForward() {
    frame_->setWindowState(frame_->windowState() & ~Qt::WindowMinimized);
    frame_->show();
    frame_->raise();
    // On Wayland the compositor brings the window forward only with the
    // token the desktop gave the copy that was started; Qt hands it over
    // from the environment with the next activation.
    if (!activationToken_.isEmpty() && QGuiApplication::platformName() == QLatin1String("wayland"))
        qputenv("XDG_ACTIVATION_TOKEN", activationToken_);
    activationToken_.clear();
    frame_->activateWindow();
}

bool CKTM220App::eventFilter(QObject* watched, QEvent* event) {
    if (watched == holdingDialog_ && event->type() == QEvent::Hide) {
        holdingDialog_->removeEventFilter(this);
        holdingDialog_ = nullptr;
        QTimer::singleShot(0, this, &CKTM220App::OpenHandedOverFiles);
    }
    return QObject::eventFilter(watched, event);
}

void CKTM220App::StartDemo() {
    demo_ = std::make_unique<CDemoTransceiver>();
    connect(demo_.get(), &CDemoTransceiver::Ready, this, [this](const QString& device) {
        // The port in use stands for the virtual transceiver; a stored port
        // number outside COM1 to COM4 gives way to COM1.
        unsigned port = doc_->PortNumber();
        if (port < 1 || port > CPortNames::kPortCount) {
            port = 1;
            doc_->SetPortNumber(port);
        }
        doc_->SetDemoDevice(port, device);
        frame_->SetMessageText(
            QStringLiteral("Demo: COM%1 is a virtual VR-M220 (%2)").arg(port).arg(device));
    });
    connect(demo_.get(), &CDemoTransceiver::Failed, this, [this](const QString& reason) {
        CPlainMessageBox box(QMessageBox::Warning, CStringTable::Text(StringId::kAppTitle),
                             QStringLiteral("The virtual transceiver could not be started."),
                             QMessageBox::Ok, frame_.get());
        box.setInformativeText(reason);
        box.exec();
    });
    demo_->Start();
}

bool CKTM220App::OfferRecovery() {
    const QDateTime time = CRecoveryFile::Pending();
    if (!time.isValid())
        return false;
    const QString text = QStringLiteral("Recover unsaved changes from %1?")
                             .arg(time.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    CPlainMessageBox box(QMessageBox::Question, CStringTable::Text(StringId::kAppTitle), text,
                         QMessageBox::Yes | QMessageBox::No, frame_.get());
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    question_ = &box;
    const int answer = box.exec();
    if (ending_)
        return false; // told to stop while asking: the file stays for the next start
    if (answer != QMessageBox::Yes) {
        CRecoveryFile::Remove();
        return false;
    }
    const CKTM220Doc::FileResult result = doc_->OnOpenRecovered(CRecoveryFile::Path());
    if (!result.ok) {
        CKTM220Doc::FileResult shown = result;
        shown.detail += QStringLiteral("\nThe file is kept as %1.").arg(CRecoveryFile::SetAside());
        CDocumentCommands::ShowFileError(frame_.get(), shown);
        return false;
    }
    CRecoveryFile::Remove();
    return true;
}

// Ending unasked keeps the unsaved changes in the recovery file; a file kept
// at the end of the session that still holds the contents (the session went
// on, but nothing changed since) is just as good.
bool CKTM220App::CloseUnasked() {
    if (!doc_ || !doc_->IsModified())
        return false;
    if (ending_ || recovery_->Holds(*doc_)) {
        keepRecovery_ = true;
        return true;
    }
    return false;
}

bool CKTM220App::KeepUnsavedChanges() {
    if (!doc_ || !doc_->IsModified())
        return false;
    const QString reason = recovery_->Write(*doc_);
    if (reason.isEmpty())
        return true;
    fprintf(stderr, "kt-m220: the unsaved changes could not be kept: %s\n", qPrintable(reason));
    return false;
}

void CKTM220App::OnCommitDataRequest() {
    KeepUnsavedChanges();
}

void CKTM220App::ExitInstance() {
    // A recovery file written for a session end that did not come is of no
    // use once the user has answered for the changes.
    if (recovery_->Written() && !keepRecovery_)
        CRecoveryFile::Remove();
    if (CSplashDlg* banner = CSplashDlg::Banner())
        banner->HideBanner();
    frame_.reset();
    doc_.reset();
    demo_.reset();
    instance_.reset();
}

void CKTM220App::OnAppAbout() {
    CAboutDlg about(frame_.get());
    about.exec();
}

void CKTM220App::OnTerminationRequested() {
    ending_ = true;
    if (KeepUnsavedChanges())
        keepRecovery_ = true;
    // The start's question runs before the event loop, which quit() alone
    // does not reach.
    if (question_)
        question_->reject();
    if (frame_)
        frame_->SaveWindowState();
    QCoreApplication::quit();
}

} // namespace kt
