#pragma once

#include "CTonePlayer.h"
#include "ICloneUi.h"

#include <QPointer>
#include <QString>

#include <memory>
class QMainWindow;

namespace kt {

class CCloneProgressDlg;
class CPlainMessageBox;

// The clone commands' user interface in the desktop program: status texts in
// the main window's status bar, the "Cloning" progress dialog, message boxes
// and questions titled "KT-M220" with the exclamation icon, the wait cursor,
// tones, and the Information dialog.
class CQtCloneUi : public ICloneUi {
public:
    explicit CQtCloneUi(QMainWindow* mainWindow);
    ~CQtCloneUi() override;
    CQtCloneUi(const CQtCloneUi&) = delete;
    CQtCloneUi& operator=(const CQtCloneUi&) = delete;

    // The caption of every box and question.
    static QString Title();
    // A text of the clone layer as shown on the screen: line ends of any
    // kind become line feeds.
    static QString ScreenText(const std::string& text);
    // The transceiver's comment bytes as shown: control bytes become '.'.
    static QString CommentText(const std::string& bytes);
    // A box's or question's detail, below its text, as plain text whatever
    // it holds. A detail of more than kShownDetailLines lines shows its first
    // lines there and the whole under "Show Details...".
    static void SetDetail(CPlainMessageBox& box, const QString& detail);
    static constexpr int kShownDetailLines = 16;

    void SetStatusText(const std::string& text) override;
    bool BeginProgress() override;
    void SetProgress(int percent) override;
    bool CheckCancel() override;
    void EndProgress() override;
    void MessageBox(const std::string& text, const std::string& detail = {}) override;
    bool AskOkCancel(const std::string& text, const std::string& detail = {}) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    void Beep(int hz, int ms) override;
    void Pause(int ms) override;
    void ShowInformation(const std::string& model, const std::string& comment) override;

    // The progress dialog while one is shown, else null.
    CCloneProgressDlg* ProgressDialog() const { return progress_.get(); }

private:
    QPointer<QMainWindow> mainWindow_;
    std::unique_ptr<CCloneProgressDlg> progress_;
    CTonePlayer tones_;
    int waitDepth_ = 0;
};

} // namespace kt
