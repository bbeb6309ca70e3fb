#include "CQtCloneUi.h"

#include "CCloneProgressDlg.h"
#include "CInformationDlg.h"
#include "CPlainMessageBox.h"

#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>

namespace kt {

namespace {
// Waits ms milliseconds. Windows keep repainting meanwhile, but the user's
// input waits until the time is up, as it would behind a busy program.
void WaitKeepingPaint(int ms) {
    if (ms <= 0)
        return;
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}
} // namespace

CQtCloneUi::CQtCloneUi(QMainWindow* mainWindow) : mainWindow_(mainWindow) {}

CQtCloneUi::~CQtCloneUi() {
    progress_.reset();
    for (; waitDepth_ > 0; --waitDepth_)
        QGuiApplication::restoreOverrideCursor();
}

QString CQtCloneUi::Title() {
    return QStringLiteral("KT-M220");
}

QString CQtCloneUi::ScreenText(const std::string& text) {
    QString screen = QString::fromLocal8Bit(text);
    screen.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    screen.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return screen;
}

QString CQtCloneUi::CommentText(const std::string& bytes) {
    QString text;
    for (const char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        const bool control = c < 0x20 || (c >= 0x7F && c < 0xA0);
        text += control ? QLatin1Char('.') : QChar(c);
    }
    return text;
}

void CQtCloneUi::SetDetail(CPlainMessageBox& box, const QString& detail) {
    if (detail.isEmpty())
        return;
    const QStringList lines = detail.split(QLatin1Char('\n'));
    if (lines.size() <= kShownDetailLines) {
        box.setInformativeText(detail);
    } else {
        const qsizetype shown = kShownDetailLines - 1;
        box.setInformativeText(QStringList(lines.mid(0, shown)).join(QLatin1Char('\n')) +
                               QStringLiteral("\n  ... and %1 more (Show Details... lists all).")
                                   .arg(lines.size() - shown));
        box.setDetailedText(detail);
    }
}

void CQtCloneUi::SetStatusText(const std::string& text) {
    if (mainWindow_ != nullptr)
        mainWindow_->statusBar()->showMessage(QString::fromLocal8Bit(text));
}

bool CQtCloneUi::BeginProgress() {
    progress_ = std::make_unique<CCloneProgressDlg>(mainWindow_.data());
    if (!progress_->Create()) {
        progress_.reset();
        return false;
    }
    return true;
}

void CQtCloneUi::SetProgress(int percent) {
    if (progress_)
        progress_->SetPos(percent);
}

bool CQtCloneUi::CheckCancel() {
    return progress_ && progress_->CheckCancel();
}

void CQtCloneUi::EndProgress() {
    progress_.reset();
}

void CQtCloneUi::MessageBox(const std::string& text, const std::string& detail) {
    CPlainMessageBox box(QMessageBox::Warning, Title(), ScreenText(text), QMessageBox::Ok,
                         mainWindow_.data());
    SetDetail(box, ScreenText(detail));
    box.exec();
}

bool CQtCloneUi::AskOkCancel(const std::string& text, const std::string& detail) {
    CPlainMessageBox box(QMessageBox::Warning, Title(), ScreenText(text),
                         QMessageBox::Ok | QMessageBox::Cancel, mainWindow_.data());
    SetDetail(box, ScreenText(detail));
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

void CQtCloneUi::BeginWaitCursor() {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    ++waitDepth_;
}

void CQtCloneUi::EndWaitCursor() {
    if (waitDepth_ == 0)
        return;
    --waitDepth_;
    QGuiApplication::restoreOverrideCursor();
}

void CQtCloneUi::Beep(int hz, int ms) {
    if (!tones_.Start(hz, ms))
        QApplication::beep();
    WaitKeepingPaint(ms);
}

void CQtCloneUi::Pause(int ms) {
    WaitKeepingPaint(ms);
}

void CQtCloneUi::ShowInformation(const std::string& model, const std::string& comment) {
    CInformationDlg dialog(mainWindow_.data());
    dialog.SetModel(QString::fromLatin1(model));
    dialog.SetComment(CommentText(comment));
    dialog.exec();
}

} // namespace kt
