#pragma once

#include <QDialog>
#include <QPointer>

#include <memory>

namespace Ui {
class CCloneProgressDlg;
}

namespace kt {

// The "Cloning" progress dialog of a read or write exchange. It is modeless
// and has no event loop of its own: the exchange loop calls SetPos and
// CheckCancel on every pass, and each of them processes the pending events,
// so that windows repaint and the user's cancel request arrives. The Cancel
// button, Escape and the window's close gesture all raise that request; the
// dialog stays open until it is destroyed.
//
// While it is shown the owner window (the main window) is disabled; it is
// enabled again when the dialog goes, but only if the dialog disabled it.
class CCloneProgressDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kRangeLow = 0;
    static constexpr int kRangeHigh = 100;
    static constexpr int kStep = 10;

    // owner: the window to disable while the dialog is shown; without one,
    // the application's main window. The dialog is a window of its own, not
    // a child of the owner, so that disabling the owner leaves it usable.
    explicit CCloneProgressDlg(QWidget* owner = nullptr);
    ~CCloneProgressDlg() override;

    // Disables the owner (when it is enabled) and shows the dialog over it.
    bool Create();
    // Processes pending events, then moves the bar; gives the previous position.
    int SetPos(int pos);
    // Processes pending events; whether cancel was asked for since the last
    // call. The request is cleared.
    bool CheckCancel();

    int Pos() const;
    bool OwnerDisabled() const { return ownerDisabled_; }
    QWidget* Owner() const { return owner_; }

public slots:
    // Escape and the Cancel button: ask the exchange to stop.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void PumpMessages();
    void EnableOwner();

    std::unique_ptr<Ui::CCloneProgressDlg> ui_;
    QPointer<QWidget> owner_;
    bool cancelRequested_ = false;
    bool ownerDisabled_ = false;
};

} // namespace kt
