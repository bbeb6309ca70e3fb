#include "CMainFrame.h"

#include "CAddAirportDlg.h"
#include "CAppIcons.h"
#include "CChannelCsvCommands.h"
#include "CCompareCommand.h"
#include "CDocumentCommands.h"
#include "CHelpWindow.h"
#include "CKTM220Doc.h"
#include "CKTM220View.h"
#include "CKneeboardCommands.h"
#include "CLockKeyWatch.h"
#include "CPlanCheck.h"
#include "CPlanCheckDlg.h"
#include "CPortDevicesDlg.h"
#include "CPrintCommands.h"
#include "CQtCloneUi.h"
#include "CSettingsStore.h"
#include "CSplashDlg.h"
#include "CStatusPanes.h"
#include "CStringTable.h"
#include "CUpdateAirportDataDlg.h"
#include "CViewCommands.h"
#include "CWindowPlacement.h"
#include "CommandIds.h"
#include "StartupTrace.h"

#include <QAbstractEventDispatcher>
#include <QCloseEvent>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace kt {

namespace {
// How often, at most, the idle handler looks at the lock keys.

// The words of a menu text without its mnemonic marks, its "..." and the
// key text after the tab: a tool button's text, as a screen reader says it.
QString SpokenCommandText(const QString& menuText) {
    QString text = menuText.section(QLatin1Char('\t'), 0, 0);
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    text.remove(QStringLiteral("..."));
    return text.trimmed();
}

QString TitleSuffix() {
    return QStringLiteral("[*] - ") + CStringTable::Text(StringId::kAppTitle);
}
} // namespace

CMainFrame::CMainFrame(CKTM220Doc& doc, QWidget* parent) : QMainWindow(parent), doc_(doc) {
    setObjectName(QStringLiteral("MainFrame"));
    setWindowIcon(CAppIcons::AppIcon());
    setMinimumSize(kMinimumWidth, kMinimumHeight);

    // The window is made in its normal state at the saved normal rectangle;
    // the application shows it maximized afterwards when it ended so.
    const CWindowPlacement placement = CWindowPlacement::Load();
    const QRect frame = placement.VisibleNormal();
    // Before the window exists, a move places its frame's corner.
    move(frame.topLeft());
    resize(frame.size());
    restoredFrameSize_ = frame.size();
    frameSizePending_ = true;
    startedMaximized_ = placement.IsMaximized();
    StartupTrace::Mark("  frame: placement");

    view_ = new CKTM220View(doc_.GetRadio(), this);
    setCentralWidget(view_);
    StartupTrace::Mark("  frame: list view");
    documentCommands_ = std::make_unique<CDocumentCommands>(doc_, this);
    csvCommands_ = std::make_unique<CChannelCsvCommands>(doc_, this);
    StartupTrace::Mark("  frame: document and CSV commands");
    printCommands_ = std::make_unique<CPrintCommands>(doc_, this);
    kneeboardCommands_ = std::make_unique<CKneeboardCommands>(doc_, this);
    LoadPortChoice();
    StartupTrace::Mark("  frame: placement, list view, commands");

    CreateActions();
    StartupTrace::Mark("  frame: actions");
    CreateMenus();
    CreateToolBar();
    StartupTrace::Mark("  frame: menus, tool bar");
    CreateStatusBar();

    viewCommands_ = new CViewCommands(
        doc_, *view_, [this](int id) { return Action(id); }, this); // owned by the view
    // Every edit the list's commands or the Setting sheet make becomes a step
    // of the document's history (one that changed nothing does not).
    connect(viewCommands_, &CViewCommands::DocumentEdited, &doc_, &CKTM220Doc::RecordEdit);
    connect(viewCommands_, &CViewCommands::DocumentEdited, this, &CMainFrame::UpdateFromDocument);
    connect(editMenu_, &QMenu::aboutToShow, viewCommands_, &CViewCommands::UpdateEnabling);

    cloneUi_ = std::make_unique<CQtCloneUi>(this);
    doc_.SetCloneUi(cloneUi_.get());
    ConnectDocument();
    UpdateFromDocument();

    // The lock key panes follow the display server's keyboard; blank where
    // it tells nothing.
    StartupTrace::Mark("  frame: status bar, clone interface");
    lockKeys_ = new CLockKeyWatch(this);
    statusPanes_->ShowLockKeys(lockKeys_->State());
    connect(lockKeys_, &CLockKeyWatch::Changed, statusPanes_, &CStatusPanes::ShowLockKeys);
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &CMainFrame::OnIdle);
    StartupTrace::Mark("  frame: lock keys");
}

CMainFrame::~CMainFrame() {
    doc_.SetCloneUi(nullptr);
    CSettingsStore store;
    store.WritePortNumber(doc_.PortNumber());
    store.Sync();
}

// The port number and the devices chosen for COM1 to COM4 come from the
// settings; a device chosen later is stored at once, the port number when
// the window goes.
void CMainFrame::LoadPortChoice() {
    CSettingsStore store;
    const CSettingsStore::PortChoice choice = store.ReadPortChoice();
    doc_.SetPortNumber(choice.number);
    for (unsigned n = 1; n <= CPortNames::kPortCount; ++n)
        doc_.SetPortDevice(n, choice.devices[n - 1]);
    connect(&doc_, &CKTM220Doc::PortDeviceChanged, this, [](unsigned number, const QString& path) {
        CSettingsStore changed;
        changed.WritePortDevice(number, path);
        changed.Sync();
    });
}

QAction* CMainFrame::Action(int commandId) const {
    const auto it = actions_.find(commandId);
    return it == actions_.end() ? nullptr : it->second;
}

QAction* CMainFrame::MakeAction(int commandId, const QString& text,
                                const QList<QKeySequence>& keys) {
    auto* action = new QAction(text, this);
    action->setIconText(SpokenCommandText(text));
    action->setData(commandId);
    action->setStatusTip(CStringTable::Prompt(commandId));
    const QString tip = CStringTable::ToolTip(commandId);
    if (!tip.isEmpty())
        action->setToolTip(tip);
    action->setIcon(CAppIcons::CommandIcon(commandId, style()));
    action->setIconVisibleInMenu(false);
    action->setShortcuts(keys);
    addAction(action); // its keys work wherever the focus is in the window
    actions_[commandId] = action;
    return action;
}

void CMainFrame::CreateActions() {
    using namespace CommandId;
    using QKS = QKeySequence;

    connect(MakeAction(kFileNew, QStringLiteral("&New\tCtrl+N"), {QKS(Qt::CTRL | Qt::Key_N)}),
            &QAction::triggered, this, [this] { documentCommands_->FileNew(); });
    connect(MakeAction(kFileOpen, QStringLiteral("&Open...\tCtrl+O"), {QKS(Qt::CTRL | Qt::Key_O)}),
            &QAction::triggered, this, [this] { documentCommands_->FileOpen(); });
    connect(MakeAction(kFileSave, QStringLiteral("&Save\tCtrl+S"), {QKS(Qt::CTRL | Qt::Key_S)}),
            &QAction::triggered, this, [this] { documentCommands_->FileSave(); });
    connect(MakeAction(kFileSaveAs, QStringLiteral("Save &As...")), &QAction::triggered, this,
            [this] { documentCommands_->FileSaveAs(); });
    connect(MakeAction(kFileCompare, QStringLiteral("Compare &With...")), &QAction::triggered, this,
            [this] { CCompareCommand(doc_, this).CompareWithDialog(); });
    connect(MakeAction(kFileImportChannels, QStringLiteral("&Import Channels...")),
            &QAction::triggered, this, &CMainFrame::OnImportChannels);
    connect(MakeAction(kFileExportChannels, QStringLiteral("Export C&hannels...")),
            &QAction::triggered, this, [this] { csvCommands_->ExportWithDialog(); });
    connect(
        MakeAction(kFilePrint, QStringLiteral("&Print...\tCtrl+P"), {QKS(Qt::CTRL | Qt::Key_P)}),
        &QAction::triggered, this, [this] { printCommands_->PrintWithDialog(); });
    connect(MakeAction(kFileExportPdf, QStringLiteral("Export P&DF...")), &QAction::triggered, this,
            [this] { printCommands_->ExportPdfWithDialog(); });
    connect(MakeAction(kFilePrintKneeboard, QStringLiteral("Print Knee&board...")),
            &QAction::triggered, this, [this] { kneeboardCommands_->PrintWithDialog(); });
    connect(MakeAction(kFileCheckPlan, QStringLiteral("Chec&k Plan...")), &QAction::triggered, this,
            [this] {
                CPlanCheckDlg dialog(this);
                dialog.SetFindings(CPlanCheck::Run(doc_.GetRadio()));
                dialog.exec();
            });
    connect(MakeAction(kAppExit, QStringLiteral("E&xit")), &QAction::triggered, this,
            &QWidget::close);

    connect(MakeAction(kEditUndo, QStringLiteral("&Undo\tCtrl+Z"),
                       {QKS(Qt::CTRL | Qt::Key_Z), QKS(Qt::ALT | Qt::Key_Backspace)}),
            &QAction::triggered, this, [this] { documentCommands_->StepHistory(true); });
    connect(MakeAction(kEditRedo, QStringLiteral("&Redo\tCtrl+Y"),
                       {QKS(Qt::CTRL | Qt::Key_Y), QKS(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}),
            &QAction::triggered, this, [this] { documentCommands_->StepHistory(false); });

    // The edit commands and the settings sheet act on the channel list
    // (CViewCommands); Enter and Delete are keys of the list itself.
    MakeAction(kEditMemory, QStringLiteral("&Edit Memory...\tEnter"));
    MakeAction(kEditCopy, QStringLiteral("&Copy\tCtrl+C"),
               {QKS(Qt::CTRL | Qt::Key_C), QKS(Qt::CTRL | Qt::Key_Insert)});
    MakeAction(kEditPaste, QStringLiteral("&Paste\tCtrl+V"),
               {QKS(Qt::CTRL | Qt::Key_V), QKS(Qt::SHIFT | Qt::Key_Insert)});
    MakeAction(kEditClear, QStringLiteral("Clear\tDel"));
    MakeAction(kEditDelete, QStringLiteral("Delete"));
    MakeAction(kEditInsert, QStringLiteral("Insert\t"));
    MakeAction(kCommonSetting, QStringLiteral("&Common Setting..."));

    // Keys of the accelerator table without a command behind them: they are
    // taken and do nothing.
    MakeAction(kEditCut, QStringLiteral("Cut"),
               {QKS(Qt::CTRL | Qt::Key_X), QKS(Qt::SHIFT | Qt::Key_Delete)});
    MakeAction(kNextPane, QStringLiteral("Next Pane"), {QKS(Qt::Key_F6)});
    MakeAction(kPrevPane, QStringLiteral("Previous Pane"), {QKS(Qt::SHIFT | Qt::Key_F6)});

    for (unsigned n = 1; n <= CPortNames::kPortCount; ++n) {
        QAction* port =
            MakeAction(kPortCom1 + static_cast<int>(n) - 1, QStringLiteral("COM%1").arg(n));
        port->setCheckable(true);
        connect(port, &QAction::triggered, this, [this, n] {
            doc_.SetPortNumber(n);
            UpdatePortChecks();
        });
    }
    connect(MakeAction(kPortDevices, QStringLiteral("Port &Devices...")), &QAction::triggered, this,
            &CMainFrame::OnPortDevices);

    connect(MakeAction(kCloneRead, QStringLiteral("&Read <- TR")), &QAction::triggered, this,
            [this] { doc_.OnCloneRead(); });
    connect(MakeAction(kCloneWrite, QStringLiteral("&Write -> TR")), &QAction::triggered, this,
            [this] { doc_.OnCloneWrite(); });
    connect(MakeAction(kCloneInformation, QStringLiteral("&Information...")), &QAction::triggered,
            this, [this] { doc_.OnCloneInformation(); });
    // Remembered at once, as the port devices are.
    QAction* verify = MakeAction(kCloneVerifyAfterWrite, QStringLiteral("&Verify After Write"));
    verify->setCheckable(true);
    verify->setChecked(CSettingsStore().ReadVerifyAfterWrite());
    doc_.SetVerifyAfterWrite(verify->isChecked());
    connect(verify, &QAction::toggled, this, [this](bool on) {
        doc_.SetVerifyAfterWrite(on);
        CSettingsStore store;
        store.WriteVerifyAfterWrite(on);
        store.Sync();
    });

    connect(MakeAction(kHelpContents, QStringLiteral("&Contents")), &QAction::triggered, this,
            &CMainFrame::OnHelpContents);
    connect(MakeAction(kHelpTopics, QStringLiteral("&Help Topics")), &QAction::triggered, this,
            &CMainFrame::OnHelpTopics);
    connect(MakeAction(kHelpBackupFolder, QStringLiteral("Open &Backup Folder")),
            &QAction::triggered, this, &CMainFrame::OnOpenBackupFolder);
    connect(MakeAction(kAppAbout, QStringLiteral("&About KT-M220...")), &QAction::triggered, this,
            &CMainFrame::AboutRequested);
}

void CMainFrame::CreateMenus() {
    using namespace CommandId;
    QMenuBar* bar = menuBar();

    fileMenu_ = bar->addMenu(QStringLiteral("&File"));
    fileMenu_->addActions(
        {Action(kFileNew), Action(kFileOpen), Action(kFileSave), Action(kFileSaveAs)});
    fileMenu_->addSeparator();
    fileMenu_->addActions({Action(kFileImportChannels), Action(kFileExportChannels)});
    fileMenu_->addSeparator();
    // Looking over the plan before it goes onto the radio.
    fileMenu_->addActions({Action(kFileCompare), Action(kFileCheckPlan)});
    fileMenu_->addSeparator();
    fileMenu_->addActions(
        {Action(kFilePrint), Action(kFilePrintKneeboard), Action(kFileExportPdf)});
    fileMenu_->addSeparator();
    recentSeparator_ = fileMenu_->addSeparator();
    fileMenu_->addAction(Action(kAppExit));
    RebuildRecentFiles();

    editMenu_ = bar->addMenu(QStringLiteral("&Edit"));
    editMenu_->addActions({Action(kEditUndo), Action(kEditRedo)});
    editMenu_->addSeparator();
    editMenu_->addAction(Action(kEditMemory));
    editMenu_->addSeparator();
    editMenu_->addActions({Action(kEditCopy), Action(kEditPaste)});
    editMenu_->addSeparator();
    editMenu_->addActions({Action(kEditClear), Action(kEditDelete), Action(kEditInsert)});
    editMenu_->addSeparator();
    editMenu_
        ->addAction(QStringLiteral("Add &Airport Channels..."), this,
                    [this] { OnAddAirportChannels(); })
        ->setStatusTip(QStringLiteral("Add an airport's published frequencies to empty channels"));

    // The toolbar's own show/hide action stands for the Toolbar command; it
    // is made with the toolbar (CreateToolBar) and inserted there.
    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("ViewMenu"));
    view->addAction(Action(kCommonSetting));
    view->addSeparator();

    QMenu* port = bar->addMenu(QStringLiteral("COM &Port"));
    for (int i = 0; i < static_cast<int>(CPortNames::kPortCount); ++i)
        port->addAction(Action(kPortCom1 + i));
    port->addSeparator();
    port->addAction(Action(kPortDevices));

    QMenu* clone = bar->addMenu(QStringLiteral("&Clone"));
    clone->addActions({Action(kCloneRead), Action(kCloneWrite), Action(kCloneVerifyAfterWrite)});
    clone->addSeparator();
    clone->addAction(Action(kCloneInformation));

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->addActions({Action(kHelpContents), Action(kHelpTopics)});
    help->addSeparator();
    help->addAction(Action(kHelpBackupFolder));
    help->addAction(QStringLiteral("&Update Airport Data..."), this,
                    [this] {
                        CUpdateAirportDataDlg dialog(this);
                        dialog.exec();
                    })
        ->setStatusTip(QStringLiteral("Download the current table of airport frequencies"));
    help->addSeparator();
    help->addAction(Action(kAppAbout));
}

void CMainFrame::CreateToolBar() {
    using namespace CommandId;
    QToolBar* bar = addToolBar(QStringLiteral("Toolbar"));
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setIconSize(QSize(16, 16));
    bar->setAllowedAreas(Qt::AllToolBarAreas);
    bar->addActions({Action(kFileNew), Action(kFileOpen), Action(kFileSave)});
    bar->addSeparator();
    bar->addActions(
        {Action(kEditMemory), Action(kEditCopy), Action(kEditPaste), Action(kEditClear)});
    bar->addSeparator();
    bar->addAction(Action(kCommonSetting));
    bar->addSeparator();
    for (int i = 0; i < static_cast<int>(CPortNames::kPortCount); ++i)
        bar->addAction(Action(kPortCom1 + i));
    bar->addSeparator();
    bar->addActions({Action(kCloneRead), Action(kCloneWrite), Action(kCloneInformation)});

    QAction* toggle = bar->toggleViewAction();
    toggle->setText(QStringLiteral("&Toolbar"));
    toggle->setData(kViewToolbar);
    toggle->setStatusTip(CStringTable::Prompt(kViewToolbar));
    toggle->setToolTip(CStringTable::ToolTip(kViewToolbar));
    actions_[kViewToolbar] = toggle;

    auto* statusToggle = MakeAction(kViewStatusBar, QStringLiteral("&Status Bar"));
    statusToggle->setCheckable(true);
    statusToggle->setChecked(true);
    connect(statusToggle, &QAction::toggled, this,
            [this](bool on) { statusBar()->setVisible(on); });

    QMenu* view = menuBar()->findChild<QMenu*>(QStringLiteral("ViewMenu"));
    view->addActions({toggle, statusToggle});
}

void CMainFrame::CreateStatusBar() {
    statusPanes_ = new CStatusPanes(*statusBar());
}

void CMainFrame::ConnectDocument() {
    connect(&doc_, &CKTM220Doc::InitialUpdate, view_, &CKTM220View::InitialUpdate);
    connect(&doc_, &CKTM220Doc::ViewsUpdateRequested, this, [this] { view_->RefreshAllRows(); });
    connect(&doc_, &CKTM220Doc::StateChanged, this, &CMainFrame::UpdateFromDocument);
    connect(&doc_, &CKTM220Doc::PortNumberChanged, this, &CMainFrame::UpdatePortChecks);
    connect(&doc_, &CKTM220Doc::HistoryChanged, this, &CMainFrame::UpdateUndoRedo);
    connect(&doc_, &CKTM220Doc::FileUsed, this, [this](const QString& path) {
        recentFiles_.Add(path);
        RebuildRecentFiles();
    });
    connect(&doc_, &CKTM220Doc::FileFailed, this, [this](const QString& path) {
        recentFiles_.Remove(path);
        RebuildRecentFiles();
    });
}

void CMainFrame::RebuildRecentFiles() {
    for (QAction* action : recentActions_) {
        actions_.erase(action->data().toInt());
        fileMenu_->removeAction(action);
        action->deleteLater();
    }
    recentActions_.clear();

    const QStringList& files = recentFiles_.Files();
    if (files.isEmpty()) {
        // The greyed place-holder of the list.
        auto* placeholder = new QAction(QStringLiteral("Recent File"), this);
        placeholder->setData(CommandId::kFileMruFirst);
        placeholder->setEnabled(false);
        recentActions_.append(placeholder);
    }
    for (int i = 0; i < files.size(); ++i) {
        auto* action = new QAction(recentFiles_.MenuText(i), this);
        action->setData(CommandId::kFileMruFirst + i);
        action->setStatusTip(CStringTable::Prompt(CommandId::kFileMruFirst + i));
        const QString path = files[i];
        connect(action, &QAction::triggered, this,
                [this, path] { documentCommands_->OpenDocumentFile(path); });
        recentActions_.append(action);
    }
    fileMenu_->insertActions(recentSeparator_, recentActions_);
    for (QAction* action : recentActions_)
        actions_[action->data().toInt()] = action;
}

void CMainFrame::UpdatePortChecks() {
    for (unsigned n = 1; n <= CPortNames::kPortCount; ++n)
        Action(CommandId::kPortCom1 + static_cast<int>(n) - 1)->setChecked(doc_.PortNumber() == n);
}

void CMainFrame::UpdateUndoRedo() {
    Action(CommandId::kEditUndo)->setEnabled(doc_.CanUndo());
    Action(CommandId::kEditRedo)->setEnabled(doc_.CanRedo());
}

void CMainFrame::UpdateFromDocument() {
    setWindowTitle(doc_.GetTitle() + TitleSuffix());
    setWindowFilePath(doc_.GetPathName());
    setWindowModified(doc_.IsModified());
    UpdatePortChecks();
    UpdateUndoRedo();
}

void CMainFrame::OnIdle() {
    FitRestoredFrame();
}

void CMainFrame::ShowBanner() {
    CSplashDlg::SetBannerTime(kBannerTimeMs);
    CSplashDlg::ShowBanner(this);
}

void CMainFrame::SetMessageText(const QString& text) {
    statusBar()->showMessage(text);
}

void CMainFrame::SetMessageText(int stringId) {
    SetMessageText(CStringTable::Text(stringId));
}

void CMainFrame::SaveWindowState() {
    CWindowPlacement placement = CWindowPlacement::Of(*this);
    // A window started maximized has not been shown in its normal state: its
    // normal rectangle is still the whole window as it was restored.
    if (frameSizePending_ && (isMaximized() || isMinimized()))
        placement.normal = QRect(normalGeometry().topLeft(), restoredFrameSize_);
    placement.Save();
    CSettingsStore store;
    store.WriteBytes(SettingsKey::kWindowSection, SettingsKey::kToolBarState, saveState());
    store.Sync();
}

void CMainFrame::FitRestoredFrame() {
    if (!frameSizePending_ || !isVisible() || isMaximized() || isMinimized())
        return;
    if (size() != restoredFrameSize_) {
        frameSizePending_ = false; // sized since, by the program or the user
        return;
    }
    const QRect outside = frameGeometry();
    const QRect inside = geometry();
    if (outside == inside)
        return; // no frame known yet (or none at all)
    frameSizePending_ = false;
    resize(restoredFrameSize_ - (outside.size() - inside.size()));
}

// Where the frame is known when the window is shown, the restored size takes
// it in at once; an X11 window manager tells it a little later (OnIdle).
void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    FitRestoredFrame();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // While a clone exchange runs the window is disabled: it cannot be closed
    // then, as it takes no input.
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    SaveWindowState();
    const bool unasked = unaskedClose_ && unaskedClose_();
    if (!unasked && !documentCommands_->SaveModified()) {
        event->ignore();
        return;
    }
    view_->SaveColumnWidths();
    if (help_)
        help_->close();
    event->accept();
}

void CMainFrame::ShowHelp(const QString& page) {
    if (!help_)
        help_ = new CHelpWindow(this);
    help_->ShowPage(page);
    help_->show();
    help_->raise();
    help_->activateWindow();
}

CHelpWindow* CMainFrame::HelpWindow() const {
    return help_;
}

void CMainFrame::OnHelpContents() {
    ShowHelp(CHelpWindow::kContentsPage);
}

void CMainFrame::OnHelpTopics() {
    ShowHelp(CHelpWindow::kTopicsPage);
}

void CMainFrame::OnImportChannels() {
    if (csvCommands_->ImportWithDialog())
        SetMessageText(QStringLiteral(" Channels imported."));
}

void CMainFrame::OnAddAirportChannels() {
    CAddAirportDlg dialog(doc_.GetRadio(), view_ ? view_->CurrentChannel() : 1, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The channels added, and a spacing switched for them, are one undo step.
    doc_.SetModifiedFlag(true);
    doc_.RecordEdit();
    doc_.UpdateAllViews();
    SetMessageText(QStringLiteral(" Airport channels added."));
}

void CMainFrame::OnOpenBackupFolder() {
    CBackupFolderCommand::Run(doc_.BackupFolder(), this, folderOpener_);
}

void CMainFrame::OnPortDevices() {
    CPortDevicesDlg::Devices devices;
    for (unsigned n = 1; n <= CPortNames::kPortCount; ++n)
        devices[n - 1] = doc_.PortDevice(n);
    // In the demonstration the port stands for the virtual transceiver: the
    // list says so. Left as it is, it is not stored as the user's choice.
    if (const unsigned demo = doc_.DemoPort(); demo >= 1 && demo <= CPortNames::kPortCount)
        devices[demo - 1] = doc_.DemoDevice();
    CPortDevicesDlg dialog(devices, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const CPortDevicesDlg::Devices chosen = dialog.ChosenDevices();
    for (unsigned n = 1; n <= CPortNames::kPortCount; ++n)
        if (chosen[n - 1] != devices[n - 1])
            doc_.SetPortDevice(n, chosen[n - 1]);
}

} // namespace kt
