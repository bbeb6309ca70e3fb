#pragma once

#include "CBackupFolderCommand.h"
#include "CRecentFileList.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
class QActionGroup;
class QMenu;

namespace kt {

class CChannelCsvCommands;
class CDocumentCommands;
class CHelpWindow;
class CKTM220Doc;
class CKTM220View;
class CKneeboardCommands;
class CLockKeyWatch;
class CPrintCommands;
class CQtCloneUi;
class CStatusPanes;
class CViewCommands;

// The program's main window: the channel list view in the middle, the menus,
// the toolbar and the status bar around it. It restores and saves its
// placement, keeps its title in step with the document, and gives the clone
// commands the status bar's message pane.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int kMinimumWidth = 400;
    static constexpr int kMinimumHeight = 200;
    static constexpr int kBannerTimeMs = 5000;

    // Builds the window for doc at the placement the settings hold, and gives
    // doc the port choice the settings hold; it is not shown yet. Keeps the
    // port number in the settings when it goes.
    explicit CMainFrame(CKTM220Doc& doc, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Whether the window was maximized when the program last ended; the
    // application then shows it maximized.
    bool StartedMaximized() const { return startedMaximized_; }
    // Shows the start-up banner over the window for 5 s.
    void ShowBanner();

    // The command with this number (CommandIds.h), or null.
    QAction* Action(int commandId) const;
    CKTM220View* View() const { return view_; }
    CKTM220Doc& Document() const { return doc_; }
    CRecentFileList& RecentFiles() { return recentFiles_; }
    CStatusPanes& StatusPanes() const { return *statusPanes_; }
    CDocumentCommands& DocumentCommands() const { return *documentCommands_; }
    CChannelCsvCommands& CsvCommands() const { return *csvCommands_; }
    CPrintCommands& PrintCommands() const { return *printCommands_; }
    CKneeboardCommands& KneeboardCommands() const { return *kneeboardCommands_; }
    // How "Open Backup Folder" opens the folder (a test gives its own).
    void SetFolderOpener(CBackupFolderCommand::Opener opener) { folderOpener_ = std::move(opener); }
    // The help window while it exists, else null.
    CHelpWindow* HelpWindow() const;

    // A text in the status bar's message pane, until something replaces it.
    void SetMessageText(const QString& text);
    void SetMessageText(int stringId);

    // When check answers true, closing the window asks nothing about unsaved
    // changes (they are kept elsewhere).
    void SetUnaskedClose(std::function<bool()> check) { unaskedClose_ = std::move(check); }

    // Saves the placement and the bar state (as closing the window does).
    void SaveWindowState();

public slots:
    void OnHelpContents();
    void OnHelpTopics();
    void OnPortDevices();
    void OnImportChannels();
    void OnAddAirportChannels();
    void OnOpenBackupFolder();
    // Brings the title, the modified mark and the port check marks in step
    // with the document. Runs whenever the document, an edit command or the
    // Setting sheet may have changed them; the modified question heals the
    // image, so it is not asked at idle time.
    void UpdateFromDocument();
    // What the program does when it is idle: the restored size takes the
    // window manager's frame in.
    void OnIdle();

signals:
    // The About command, which the application carries out.
    void AboutRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QAction* MakeAction(int commandId, const QString& text, const QList<QKeySequence>& keys = {});
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void ConnectDocument();
    void LoadPortChoice();
    void RebuildRecentFiles();
    void UpdatePortChecks();
    // Undo and Redo are enabled while the document has a step to take.
    void UpdateUndoRedo();
    void ShowHelp(const QString& page);
    void FitRestoredFrame();

    CKTM220Doc& doc_;
    CRecentFileList recentFiles_;
    std::map<int, QAction*> actions_;
    CKTM220View* view_ = nullptr;
    std::unique_ptr<CQtCloneUi> cloneUi_;
    std::unique_ptr<CDocumentCommands> documentCommands_;
    std::unique_ptr<CChannelCsvCommands> csvCommands_;
    std::unique_ptr<CPrintCommands> printCommands_;
    std::unique_ptr<CKneeboardCommands> kneeboardCommands_;
    CBackupFolderCommand::Opener folderOpener_;
    std::function<bool()> unaskedClose_;
    CViewCommands* viewCommands_ = nullptr;
    CStatusPanes* statusPanes_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    QList<QAction*> recentActions_;
    QPointer<CHelpWindow> help_;
    CLockKeyWatch* lockKeys_ = nullptr;
    bool startedMaximized_ = false;
    // The restored rectangle is the whole window, frame and title bar
    // included; the window manager's frame is known only once the window is
    // shown, and the inside is then made smaller by it (once).
    QSize restoredFrameSize_;
    bool frameSizePending_ = false;
};

} // namespace kt
