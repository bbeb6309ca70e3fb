#pragma once

namespace kt {

// The numbers of the program's commands and texts. A command's status-bar
// prompt and tool tip are the string of the same number (CStringTable).
namespace CommandId {
// File menu.
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kFileImportChannels = 32795;
inline constexpr int kFileExportChannels = 32796;
inline constexpr int kFilePrint = 57607;
inline constexpr int kFileExportPdf = 32797;
inline constexpr int kFileCheckPlan = 32810;
inline constexpr int kFilePrintKneeboard = 32811;
inline constexpr int kFileCompare = 32812;
inline constexpr int kFileMruFirst = 57616; // the recent files, 57616 to 57619
inline constexpr int kAppExit = 57665;

// Edit menu (carried out by the channel list view).
inline constexpr int kEditMemory = 32771;
inline constexpr int kEditCopy = 57634;
inline constexpr int kEditPaste = 57637;
inline constexpr int kEditClear = 57632;
inline constexpr int kEditDelete = 32801;
inline constexpr int kEditInsert = 32802;
inline constexpr int kEditUndo = 57643;
inline constexpr int kEditRedo = 57644;
// Keys without a handler: they do nothing.
inline constexpr int kEditCut = 57635;
inline constexpr int kNextPane = 57680;
inline constexpr int kPrevPane = 57681;

// View menu.
inline constexpr int kCommonSetting = 32779;
inline constexpr int kViewToolbar = 59392;
inline constexpr int kViewStatusBar = 59393;

// COM Port menu.
inline constexpr int kPortCom1 = 32790; // COM2 to COM4 follow
inline constexpr int kPortDevices = 32794;

// Clone menu.
inline constexpr int kCloneRead = 32774;
inline constexpr int kCloneWrite = 32775;
inline constexpr int kCloneInformation = 32776;
inline constexpr int kCloneVerifyAfterWrite = 32813;

// Help menu.
inline constexpr int kHelpContents = 57666;
inline constexpr int kHelpTopics = 57667;
inline constexpr int kHelpBackupFolder = 32798;
inline constexpr int kAppAbout = 57664;
} // namespace CommandId

namespace StringId {
inline constexpr int kDocumentStrings = 128;
inline constexpr int kCloningCaption = 156;
inline constexpr int kBlankPane = 5065;
inline constexpr int kAppTitle = 57344;
inline constexpr int kIdleMessage = 57345;
inline constexpr int kIndicatorCaps = 59137;
inline constexpr int kIndicatorNum = 59138;
inline constexpr int kIndicatorScroll = 59139;
inline constexpr int kUntitled = 61443;
inline constexpr int kAskToSave = 61444;
inline constexpr int kUnexpectedFormat = 61445;
inline constexpr int kFailedToOpen = 61446;
inline constexpr int kFailedToSave = 61447;
} // namespace StringId

} // namespace kt
