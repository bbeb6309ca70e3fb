#include "CKTM220App.h"

#include "CAboutDlg.h"
#include "CAppResources.h"
#include "CAppVersion.h"
#include "CDemoTransceiver.h"
#include "CKTM220Doc.h"
#include "CMainFrame.h"
#include "CSingleInstance.h"
#include "CSplashDlg.h"
#include "CStringTable.h"
#include "CWaitCursor.h"
#include "CommandIds.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

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
    return true;
}

CKTM220App::CKTM220App() {
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

    // Another copy runs: end at once, without a word.
    instance_ = std::make_unique<CSingleInstance>();
    if (!instance_->IsFirst()) {
        instance_.reset();
        exitCode_ = 0;
        return false;
    }

    {
        CWaitCursor wait;
        doc_ = std::make_unique<CKTM220Doc>();
        frame_ = std::make_unique<CMainFrame>(*doc_);
        connect(frame_.get(), &CMainFrame::AboutRequested, this, &CKTM220App::OnAppAbout);
    }
    // A file that cannot be opened is reported (without the wait cursor) and
    // ends the start.
    if (options.file.isEmpty()) {
        doc_->OnNewDocument();
    } else if (!doc_->OpenDocumentFile(options.file)) {
        exitCode_ = kStartFailed;
        return false;
    }
    if (frame_->StartedMaximized())
        frame_->showMaximized();
    else
        frame_->show();
    // The banner comes once the main window is on the screen, so that it
    // never holds the window back.
    QTimer::singleShot(0, frame_.get(), &CMainFrame::ShowBanner);
    if (options.demo)
        QTimer::singleShot(0, this, &CKTM220App::StartDemo);
    return true;
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
        QMessageBox box(QMessageBox::Warning, CStringTable::Text(StringId::kAppTitle),
                        QStringLiteral("The virtual transceiver could not be started."),
                        QMessageBox::Ok, frame_.get());
        box.setInformativeText(reason);
        box.exec();
    });
    demo_->Start();
}

void CKTM220App::ExitInstance() {
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
    if (frame_)
        frame_->SaveWindowState();
    QCoreApplication::quit();
}
