#include "CChannelEditCommands.h"

#include "CEditMemoryDlg.h"
#include "CM220Radio.h"
#include "CPlainMessageBox.h"
#include "CWaitCursor.h"
#include "IChannelListHost.h"
#include "TextFields.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace kt {

namespace {
const QString kTitle = QStringLiteral("KT-M220");
const QString kNoItemsSelected = QStringLiteral("No items were selected");
const QString kOverwriteHere = QStringLiteral(" Overwite here ?    ");
const QString kCannotInsert =
    QStringLiteral(" The last CH is not blank. Cannot insert a blank channel.");

// PasteChannel, DeleteChannel and InsertChannel results.
constexpr int kEditRefused = 0;
constexpr int kEditAllowed = 1;
constexpr int kEditWarning = 2;

QMessageBox::StandardButton ShowBox(QWidget* parent, const QString& text, QMessageBox::Icon icon,
                                    QMessageBox::StandardButtons buttons) {
    CPlainMessageBox box(icon, kTitle, text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void ShowMessage(QWidget* parent, const QString& text) {
    ShowBox(parent, text, QMessageBox::NoIcon, QMessageBox::Ok);
}
} // namespace

CChannelEditCommands::CChannelEditCommands(CM220Radio& radio, IChannelListHost& host,
                                           QObject* parent)
    : QObject(parent), radio_(radio), host_(host) {}

bool CChannelEditCommands::CanCopy() {
    return radio_.CopyChannel(host_.CurrentChannel(), true);
}

bool CChannelEditCommands::CanPaste() {
    return radio_.PasteChannel(host_.CurrentChannel(), true) != kEditRefused;
}

bool CChannelEditCommands::CanClear() {
    return radio_.ClearChannel(host_.CurrentChannel(), true);
}

bool CChannelEditCommands::CanDelete() {
    return radio_.DeleteChannel(host_.CurrentChannel(), true) != kEditRefused;
}

bool CChannelEditCommands::CanInsert() {
    return radio_.InsertChannel(host_.CurrentChannel(), true) != kEditRefused;
}

void CChannelEditCommands::EditMemory() {
    if (!host_.AnyRowSelected()) {
        ShowMessage(host_.DialogParent(), kNoItemsSelected);
        return;
    }
    const int channel = host_.CurrentChannel();
    const int priority = PriorityChannel();
    CEditMemoryDlg dialog(radio_, channel, host_.DialogParent());
    if (dialog.exec() != QDialog::Accepted)
        return;
    RefreshEdited(channel, priority);
    emit ChannelsEdited();
}

void CChannelEditCommands::Copy() {
    if (!CanCopy())
        return;
    radio_.CopyChannel(host_.CurrentChannel(), false);
}

void CChannelEditCommands::Paste() {
    if (!CanPaste())
        return;
    const int channel = host_.CurrentChannel();
    if (radio_.PasteChannel(channel, true) == kEditWarning &&
        ShowBox(host_.DialogParent(), kOverwriteHere, QMessageBox::Warning,
                QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    const int priority = PriorityChannel();
    radio_.PasteChannel(channel, false);
    RefreshEdited(channel, priority);
    emit ChannelsEdited();
}

void CChannelEditCommands::Clear() {
    if (!CanClear())
        return;
    ClearChannel(host_.CurrentChannel());
}

void CChannelEditCommands::ClearFromKey() {
    ClearChannel(host_.CurrentChannel());
}

void CChannelEditCommands::ClearChannel(int channel) {
    // The engine may refuse the clear (channel 1); a priority on the channel
    // is switched off all the same.
    radio_.ClearChannel(channel, false);
    if (LeadingDigits(radio_.GetPriorityChannel()) == channel)
        SwitchPriorityOff();
    host_.RefreshChannel(channel);
    emit ChannelsEdited();
}

void CChannelEditCommands::Delete() {
    if (!CanDelete())
        return;
    const int channel = host_.CurrentChannel();
    {
        CWaitCursor wait;
        radio_.DeleteChannel(channel, false);
        // The channels after this one move up, so whichever channel was the
        // priority channel no longer is where it was.
        SwitchPriorityOff();
        host_.RefreshChannel(channel);
        host_.RefreshAllRows();
    }
    emit ChannelsEdited();
}

void CChannelEditCommands::Insert() {
    if (!CanInsert())
        return;
    const int channel = host_.CurrentChannel();
    if (radio_.InsertChannel(channel, true) != kEditAllowed) {
        ShowMessage(host_.DialogParent(), kCannotInsert);
        return;
    }
    SwitchPriorityOff();
    {
        CWaitCursor wait;
        radio_.InsertChannel(channel, false);
        host_.RefreshChannel(channel);
        host_.RefreshAllRows();
    }
    emit ChannelsEdited();
}

void CChannelEditCommands::SwitchPriorityOff() {
    radio_.SetPriorityChannel("OFF");
}

int CChannelEditCommands::PriorityChannel() {
    return radio_.GetPriorityScan() == "ON"
               ? static_cast<int>(LeadingDigits(radio_.GetPriorityChannel()))
               : 0;
}

void CChannelEditCommands::RefreshEdited(int channel, int priorityBefore) {
    host_.RefreshChannel(channel);
    // An edit that empties a channel switches priority scanning off; the row
    // that showed the mark must not go on showing it.
    if (priorityBefore != 0 && priorityBefore != channel && PriorityChannel() != priorityBefore)
        host_.RefreshChannel(priorityBefore);
}

} // namespace kt
