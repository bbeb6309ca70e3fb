#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class CEditMemoryDlg;
}

namespace kt {

class CM220Radio;
class CStoredFrequencyPreview;
struct CChannelFields;

// The "Edit Memory ch" dialog: edits one memory channel's frequency, name,
// transmit inhibit and lockout. It reads the channel when it opens; OK writes
// every field back and lets the engine normalise the channel, Cancel sends
// nothing. The name and the two boxes are usable only while a frequency is
// typed in. Below the frequency it says, as the user types, what the radio
// will hold when the engine changes the value (CStoredFrequencyPreview).
class CEditMemoryDlg : public QDialog {
    Q_OBJECT

public:
    // channel: the memory channel, 1 to 20.
    CEditMemoryDlg(CM220Radio& radio, int channel, QWidget* parent = nullptr);
    ~CEditMemoryDlg() override;

    // Sends name, transmit inhibit, lockout and frequency, then (for an empty
    // frequency) switches priority scanning off, sets whether the channel
    // appears and heals it, in that order; then closes with OK.
    void accept() override;

private:
    void LoadChannel();
    bool FrequencyIsEmpty() const;
    void UpdateEnabling();
    void UpdateStoredText();
    CChannelFields Fields() const;

    CM220Radio& radio_;
    int channel_;
    std::unique_ptr<Ui::CEditMemoryDlg> ui_;
    std::unique_ptr<CStoredFrequencyPreview> preview_;
};

} // namespace kt
