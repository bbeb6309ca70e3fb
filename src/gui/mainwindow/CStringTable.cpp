#include "CStringTable.h"

#include "CommandIds.h"

#include <QStringList>
#include <map>

namespace kt {

namespace {
const std::map<int, const char*>& Table() {
    static const std::map<int, const char*> table = {
        {StringId::kDocumentStrings, "KT-M220\n\nKT-M220 Data\nData Files (*.VKF)\n.vkf\n"
                                     "KT-M220.Document\nKT-M220 Document"},
        {StringId::kCloningCaption, "Cloning"},
        {StringId::kBlankPane, "      "},
        {StringId::kAppTitle, "KT-M220"},
        {StringId::kIdleMessage, "Ready"},
        {StringId::kIndicatorCaps, "CAP"},
        {StringId::kIndicatorNum, "NUM"},
        {StringId::kIndicatorScroll, "SCRL"},
        {StringId::kUntitled, "Untitled"},
        {StringId::kAskToSave, "Save changes to %1?"},
        {StringId::kUnexpectedFormat, "Unexpected file format."},
        {StringId::kFailedToOpen, "Failed to open document."},
        {StringId::kFailedToSave, "Failed to save document."},

        {CommandId::kFileNew, "Create a new document\nNew"},
        {CommandId::kFileOpen, "Open an existing document\nOpen"},
        {CommandId::kFileSave, "Save the active document\nSave"},
        {CommandId::kFileSaveAs, "Save the active document with a new name\nSave As"},
        {CommandId::kFileCompare,
         "Show what differs between this document and a data file\nCompare With"},
        {CommandId::kFileImportChannels,
         "Replace the memory channels with a channel list (CSV)\nImport Channels"},
        {CommandId::kFileExportChannels,
         "Save the memory channels as a channel list (CSV)\nExport Channels"},
        {CommandId::kFilePrint, "Print the channels and settings\nPrint"},
        {CommandId::kFileExportPdf, "Save the channels and settings as a PDF page\nExport PDF"},
        {CommandId::kFileCheckPlan,
         "Look over the channel plan for mistakes that matter in the air\nCheck Plan"},
        {CommandId::kFilePrintKneeboard,
         "Print the channels on a kneeboard card in large type\nPrint Kneeboard"},
        {CommandId::kFileMruFirst, "Open this document"},
        {CommandId::kFileMruFirst + 1, "Open this document"},
        {CommandId::kFileMruFirst + 2, "Open this document"},
        {CommandId::kFileMruFirst + 3, "Open this document"},
        {CommandId::kAppExit, "Quit the application; prompts to save documents\nExit"},

        {CommandId::kEditMemory, "Edit Memory\nEdit Memory"},
        {CommandId::kEditCopy, "Copy the selection and put it on the Clipboard\nCopy"},
        {CommandId::kEditPaste, "Insert Clipboard contents\nPaste"},
        {CommandId::kEditClear, "Clear\nClear"},
        {CommandId::kEditDelete, "Delete\nDelete"},
        {CommandId::kEditInsert, "Insert\nInsert"},
        {CommandId::kEditUndo, "Undo the last action\nUndo"},
        {CommandId::kEditRedo, "Redo the previously undone action\nRedo"},
        {CommandId::kEditCut, "Cut the selection and put it on the Clipboard\nCut"},
        {CommandId::kNextPane, "Switch to the next window pane\nNext Pane"},
        {CommandId::kPrevPane, "Switch back to the previous window pane\nPrevious Pane"},

        {CommandId::kCommonSetting, "Indicate Others Sheet\nCommon Sheet"},
        {CommandId::kViewToolbar, "Show or hide the toolbar\nToggle ToolBar"},
        {CommandId::kViewStatusBar, "Show or hide the status bar\nToggle StatusBar"},

        {CommandId::kPortCom1, "Use COM1\nCOM1"},
        {CommandId::kPortCom1 + 1, "Use COM2\nCOM2"},
        {CommandId::kPortCom1 + 2, "Use COM3\nCOM3"},
        {CommandId::kPortCom1 + 3, "Use COM4\nCOM4"},
        {CommandId::kPortDevices,
         "Choose the serial device each of COM1 to COM4 stands for\nPort Devices"},

        {CommandId::kCloneRead, "Read From Transceiver\nClone in"},
        {CommandId::kCloneWrite, "Write to Transceiver\nClone out"},
        {CommandId::kCloneInformation, "Read Information\nClone info."},
        {CommandId::kCloneVerifyAfterWrite,
         "Read the transceiver back after every write and compare\nVerify After Write"},

        {CommandId::kHelpContents, "Opens Help\nHelp Topics"},
        {CommandId::kHelpTopics, "List Help topics\nHelp Topics"},
        {CommandId::kHelpBackupFolder,
         "Show the folder where every read and write keeps a backup\nBackup Folder"},
        {CommandId::kAppAbout, "Display program information, version number and copyright\nAbout"},
    };
    return table;
}
} // namespace

QString CStringTable::Text(int id) {
    const auto& table = Table();
    const auto it = table.find(id);
    return it == table.end() ? QString() : QString::fromLatin1(it->second);
}

QString CStringTable::Prompt(int id) {
    const QString text = Text(id);
    return text.left(text.indexOf(QLatin1Char('\n')));
}

QString CStringTable::ToolTip(int id) {
    const QString text = Text(id);
    const qsizetype lf = text.indexOf(QLatin1Char('\n'));
    return lf < 0 ? QString() : text.mid(lf + 1);
}

QString CStringTable::DocumentString(int index) {
    const QStringList fields = Text(StringId::kDocumentStrings).split(QLatin1Char('\n'));
    return index >= 0 && index < fields.size() ? fields[index] : QString();
}

} // namespace kt
