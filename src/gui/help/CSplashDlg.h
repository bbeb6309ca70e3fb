#pragma once

#include <QDialog>
#include <QPointer>
#include <memory>

namespace Ui {
class CSplashDlg;
}

namespace kt {

// The start-up banner: a small window over the main window with the program's
// name and revision. It disappears after the display time, or at the first
// key press or mouse-button press anywhere in the program; that press is
// consumed and reaches no window.
class CSplashDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kDefaultDisplayTimeMs = 2000;

    static void EnableBanner(bool enable);
    static void SetBannerTime(int ms);
    // Shows the banner over parent, unless banners are not enabled or one is
    // shown already. It does not wait: the banner goes on its own.
    static void ShowBanner(QWidget* parent);
    // The banner while it is shown, else null.
    static CSplashDlg* Banner();

    ~CSplashDlg() override;

    // Hides and deletes the banner and repaints its owner.
    void HideBanner();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CSplashDlg(QWidget* parent);
    std::unique_ptr<Ui::CSplashDlg> ui_;
    bool hiding_ = false;
    QPointer<QWidget> owner_;
};

} // namespace kt
