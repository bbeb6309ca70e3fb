#pragma once

#include "CChannelEditCommands.h"
#include "ISettingSheetHost.h"

#include <QObject>
#include <functional>
class QAction;
class QWidget;

namespace kt {

class CKTM220Doc;
class CKTM220View;

// Carries the main window's Edit commands and its Common Setting command to
// the channel list: the six edit commands on the current channel with their
// enabling, the keys and the popup menu of the list, and the Setting sheet.
class CViewCommands : public QObject, public ISettingSheetHost {
    Q_OBJECT

public:
    // action gives the main window's command of a number (CommandIds.h).
    CViewCommands(CKTM220Doc& doc, CKTM220View& view, const std::function<QAction*(int)>& action,
                  QWidget* dialogParent);

    // Enables Copy, Paste, Clear, Delete and Insert as the engine answers for
    // the current channel.
    void UpdateEnabling();
    // The Common Setting command.
    void CommonSetting();

    CChannelEditCommands& EditCommands() { return edit_; }

    // ISettingSheetHost
    int StartPageIndex() const override;
    void SetStartPageIndex(int index) override;
    void SetDocumentModified() override;
    void UpdateAllViews() override;
    void RefreshAllRows() override;
    QWidget* DialogParent() override { return dialogParent_; }

signals:
    // An edit or the Setting sheet may have changed the document.
    void DocumentEdited();

private:
    CKTM220Doc& doc_;
    CKTM220View& view_;
    std::function<QAction*(int)> action_;
    QWidget* dialogParent_;
    CChannelEditCommands edit_;
};

} // namespace kt
