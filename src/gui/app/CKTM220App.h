#pragma once

#include <QByteArray>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <memory>

namespace kt {

class CDemoTransceiver;
class CKTM220Doc;
class CMainFrame;
class CRecoveryFile;
class CSingleInstance;

// The application object: starts the program as the one running copy, with
// its document and main window, opens a data file named on the command line,
// shows the start-up banner, offers the About box, and ends the program.
class CKTM220App : public QObject {
    Q_OBJECT

public:
    // What the command line asks for.
    struct Options {
        QString file;      // a data file to open
        bool demo = false; // start a virtual transceiver for this run
        // --export-pdf: write the file's channel plan (or, with kneeboard,
        // its kneeboard card) as the PDF output and end, without a window.
        bool exportPdf = false;
        QString output;
        bool kneeboard = false;
        QString card = QStringLiteral("a5"); // a5 or 5x8
        bool night = false;
    };

    // Reads the command line (arguments[0] is the program). Returns false
    // when the program is to end at once: for --help and --version (the text
    // is in message, exit code 0) or a wrong command line (exit code 2).
    static bool ParseCommandLine(const QStringList& arguments, Options& options, QString& message,
                                 int& exitCode);

    CKTM220App();
    ~CKTM220App() override;

    // The start: true lets the program run. False ends it at once, with
    // ExitCode: when another copy runs (silently, 0, once the file named on
    // the command line is handed to it, or 1 when that failed), when the
    // command line asks only for help (0) or is wrong (2), or when the file
    // named on it cannot be opened (1). Once running, the program opens the
    // files later copies hand over.
    bool InitInstance(const QStringList& arguments);
    // The end: stops the virtual transceiver, destroys the window and the
    // document, and lets another copy start.
    void ExitInstance();
    int ExitCode() const { return exitCode_; }

    CKTM220Doc* Document() const { return doc_.get(); }
    CMainFrame* MainFrame() const { return frame_.get(); }
    CDemoTransceiver* Demo() const { return demo_.get(); }

public slots:
    // Runs the About box.
    void OnAppAbout();
    // The program was told to stop (SIGTERM and the like): unsaved changes
    // go to the recovery file, the window's placement is saved and the
    // program ends without questions.
    void OnTerminationRequested();
    // The desktop session ends: unsaved changes go to the recovery file, and
    // closing the window asks nothing while they are what it holds.
    void OnCommitDataRequest();

private slots:
    void StartDemo();
    // Opens the files a later copy handed over, one after the other, as
    // File > Open does (asking first about unsaved changes), once the window
    // is up and no dialog holds it, and brings the window forward.
    void OpenHandedOverFiles();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A later copy: hands file to the running copy; false (after saying so)
    // when it could not.
    bool HandOverFile(const QString& file);
    void OnFilesHandedOver(const QStringList& files, const QByteArray& token);
    void BringWindowForward();
    // "Recover unsaved changes from DATE?": true when the document holds
    // them now.
    bool OfferRecovery();
    bool CloseUnasked();
    // Writes the recovery file when there are unsaved changes; true when it
    // holds them now.
    bool KeepUnsavedChanges();

    std::unique_ptr<CRecoveryFile> recovery_;
    bool ending_ = false;       // told to stop: nothing more is asked
    bool keepRecovery_ = false; // the window closed unasked: the file is wanted
    QPointer<QMessageBox> question_;
    bool started_ = false;            // the window is up
    bool opening_ = false;            // handed-over files are being opened
    QStringList handedOver_;          // files from later copies, still to open
    QByteArray activationToken_;      // the desktop's leave to come forward
    QPointer<QWidget> holdingDialog_; // the dialog the files wait for
    std::unique_ptr<CSingleInstance> instance_;
    std::unique_ptr<CKTM220Doc> doc_;
    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<CDemoTransceiver> demo_;
    int exitCode_ = 0;
};

} // namespace kt
