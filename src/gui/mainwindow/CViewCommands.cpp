#include "CViewCommands.h"

#include "CKTM220Doc.h"
#include "CKTM220View.h"
#include "CommandIds.h"
#include "CommonSettingCommand.h"

#include <QAction>
#include <QItemSelectionModel>

namespace kt {

CViewCommands::CViewCommands(CKTM220Doc& doc, CKTM220View& view,
                             const std::function<QAction*(int)>& action, QWidget* dialogParent)
    : QObject(&view), doc_(doc), view_(view), action_(action), dialogParent_(dialogParent),
      edit_(doc.GetRadio(), view, this) {
    using namespace CommandId;
    connect(action_(kEditMemory), &QAction::triggered, &edit_, &CChannelEditCommands::EditMemory);
    connect(action_(kEditCopy), &QAction::triggered, &edit_, &CChannelEditCommands::Copy);
    // Copy changes nothing in the list, but Paste may be possible now.
    connect(action_(kEditCopy), &QAction::triggered, this, &CViewCommands::UpdateEnabling);
    connect(action_(kEditPaste), &QAction::triggered, &edit_, &CChannelEditCommands::Paste);
    connect(action_(kEditClear), &QAction::triggered, &edit_, &CChannelEditCommands::Clear);
    connect(action_(kEditDelete), &QAction::triggered, &edit_, &CChannelEditCommands::Delete);
    connect(action_(kEditInsert), &QAction::triggered, &edit_, &CChannelEditCommands::Insert);
    connect(action_(kCommonSetting), &QAction::triggered, this, &CViewCommands::CommonSetting);

    connect(&view_, &CKTM220View::editMemoryRequested, &edit_, &CChannelEditCommands::EditMemory);
    connect(&view_, &CKTM220View::clearRequested, &edit_, &CChannelEditCommands::ClearFromKey);
    connect(&view_, &CKTM220View::popupMenuAboutToShow, this, &CViewCommands::UpdateEnabling);
    view_.SetPopupActions({action_(kEditMemory), nullptr, action_(kEditCopy), action_(kEditPaste),
                           nullptr, action_(kEditClear), action_(kEditDelete),
                           action_(kEditInsert)});
    if (QItemSelectionModel* selection = view_.selectionModel())
        connect(selection, &QItemSelectionModel::selectionChanged, this,
                &CViewCommands::UpdateEnabling);

    connect(&edit_, &CChannelEditCommands::ChannelsEdited, this, [this] {
        UpdateEnabling();
        emit DocumentEdited();
    });
    connect(&doc_, &CKTM220Doc::InitialUpdate, this, &CViewCommands::UpdateEnabling);
    connect(&doc_, &CKTM220Doc::ViewsUpdateRequested, this, &CViewCommands::UpdateEnabling);
}

void CViewCommands::UpdateEnabling() {
    using namespace CommandId;
    action_(kEditCopy)->setEnabled(edit_.CanCopy());
    action_(kEditPaste)->setEnabled(edit_.CanPaste());
    action_(kEditClear)->setEnabled(edit_.CanClear());
    action_(kEditDelete)->setEnabled(edit_.CanDelete());
    action_(kEditInsert)->setEnabled(edit_.CanInsert());
}

void CViewCommands::CommonSetting() {
    RunCommonSettingCommand(doc_.GetRadio(), *this);
    UpdateEnabling();
    emit DocumentEdited();
}

int CViewCommands::StartPageIndex() const {
    return view_.StartPageIndex();
}

void CViewCommands::SetStartPageIndex(int index) {
    view_.SetStartPageIndex(index);
}

void CViewCommands::SetDocumentModified() {
    doc_.SetModifiedFlag(true);
}

void CViewCommands::UpdateAllViews() {
    doc_.UpdateAllViews();
}

void CViewCommands::RefreshAllRows() {
    view_.RefreshAllRows();
}

} // namespace kt
