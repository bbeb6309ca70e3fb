#pragma once

#include <QObject>

namespace kt {

class CM220Radio;
class IChannelListHost;

// The six commands on the current channel of the channel list: Edit Memory,
// Copy, Paste, Clear, Delete and Insert. The engine does each edit and holds
// the copied channel; these commands ask it whether an edit is possible, ask
// the user where needed, keep the priority channel consistent and refresh the
// rows that changed through the host. The current channel is read from the
// host anew on every call.
//
// The Can... queries decide whether a command's menu item, toolbar button or
// key is enabled. The handlers consult their own query first and do nothing
// when the command is disabled, as a disabled menu item or accelerator does;
// only ClearFromKey, the Delete key of the list, clears without asking.
class CChannelEditCommands : public QObject {
    Q_OBJECT

public:
    CChannelEditCommands(CM220Radio& radio, IChannelListHost& host, QObject* parent = nullptr);

    static bool CanEditMemory() { return true; }
    bool CanCopy();
    bool CanPaste();
    bool CanClear();
    bool CanDelete();
    bool CanInsert();

    // Enter and double-click too: runs the Edit Memory dialog on the selected
    // row's channel, or says that no row is selected.
    void EditMemory();
    void Copy();
    // Asks before overwriting a channel in use.
    void Paste();
    void Clear();
    void ClearFromKey();
    void Delete();
    // Refuses with a message while the last channel is in use.
    void Insert();

signals:
    // After every command that may have changed the channels or settings (not
    // after Copy, nor after a command that stopped at a question or message):
    // the document's modified state may have changed.
    void ChannelsEdited();

private:
    void ClearChannel(int channel);
    void SwitchPriorityOff();
    // The channel priority scanning watches, 0 while it is off.
    int PriorityChannel();
    // Refreshes the edited channel's row, and the row that carried the
    // priority mark when the edit switched it off or moved it.
    void RefreshEdited(int channel, int priorityBefore);

    CM220Radio& radio_;
    IChannelListHost& host_;
};

} // namespace kt
