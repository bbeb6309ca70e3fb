#pragma once

class QWidget;

namespace kt {

// What the channel edit commands need of the channel list: which channel is
// current, and the refreshing of its rows. The channel list view implements it.
class IChannelListHost {
public:
    virtual ~IChannelListHost() = default;

    // The selected row's channel (1 to 20), or 1 when no row is selected.
    virtual int CurrentChannel() const = 0;
    virtual bool AnyRowSelected() const = 0;
    // Rebuilds one row (1 to 20; other numbers do nothing) from the engine.
    virtual void RefreshChannel(int channel) = 0;
    // Rebuilds all 20 rows, under the wait cursor.
    virtual void RefreshAllRows() = 0;
    // The window that owns the dialogs and message boxes of the commands.
    virtual QWidget* DialogParent() = 0;
};

} // namespace kt
