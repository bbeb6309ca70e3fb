#include "AppTestSupport.h"
#include "MessageBoxText.h"

#include "CKTM220Doc.h"
#include "CM220Radio.h"
#include "CMemoryArchive.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>
#include <filesystem>
#include <memory>

namespace kt {

namespace {
// How long a modal window may take to appear, and how often to look.
constexpr qint64 kModalDeadlineMs = 60000;
constexpr int kModalPollMs = 2;

void Set(const char* name, const std::string& value, QByteArray& saved) {
    saved = qgetenv(name);
    qputenv(name, QByteArray::fromStdString(value));
}

void Restore(const char* name, const QByteArray& saved) {
    if (saved.isEmpty())
        qunsetenv(name);
    else
        qputenv(name, saved);
}

// Answers arranged before the last CancelPendingAnswers are dropped.
int answerGeneration = 0;

void WaitForModal(std::function<void(QWidget*)> answer, std::shared_ptr<QElapsedTimer> since,
                  int generation) {
    if (generation != answerGeneration)
        return;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal->isVisible()) {
        answer(modal);
        return;
    }
    if (since->elapsed() < kModalDeadlineMs)
        QTimer::singleShot(
            kModalPollMs, [answer, since, generation] { WaitForModal(answer, since, generation); });
}
} // namespace

void AppTest::SetUp() {
    namespace fs = std::filesystem;
    for (const std::string& folder :
         {ConfigFolder(), RuntimeFolder(), TempFolder(), DataFolder()}) {
        fs::create_directories(folder);
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace);
    }
    Set("XDG_CONFIG_HOME", ConfigFolder(), savedConfig_);
    Set("XDG_RUNTIME_DIR", RuntimeFolder(), savedRuntime_);
    Set("TMPDIR", TempFolder(), savedTemp_);
    Set("XDG_DATA_HOME", DataFolder(), savedData_);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromStdString(ConfigFolder()));
}

void AppTest::TearDown() {
    CancelPendingAnswers();
    Restore("XDG_CONFIG_HOME", savedConfig_);
    Restore("XDG_RUNTIME_DIR", savedRuntime_);
    Restore("TMPDIR", savedTemp_);
    Restore("XDG_DATA_HOME", savedData_);
}

std::string AppTest::SettingsFile() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Velk"),
                     QStringLiteral("KT-M220"))
        .fileName()
        .toStdString();
}

std::string DocumentBytes(CKTM220Doc& doc) {
    const bool modified = doc.GetRadio().IsModified();
    CMemoryArchive archive;
    doc.GetRadio().Serialize(archive);
    doc.GetRadio().SetModified(modified ? 1 : 0); // looking must not change it
    return archive.Bytes();
}

void AnswerNextModal(std::function<void(QWidget*)> answer) {
    const int generation = answerGeneration;
    auto since = std::make_shared<QElapsedTimer>();
    since->start();
    QTimer::singleShot(0, [answer, since, generation] { WaitForModal(answer, since, generation); });
}

void CancelPendingAnswers() {
    ++answerGeneration;
}

void AnswerNextBox(SeenBox& seen, int standardButton) {
    AnswerNextModal([&seen, standardButton](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) {
            modal->close();
            return;
        }
        ExpectPlainTexts(*box);
        seen.shown = true;
        seen.text = box->text();
        seen.informativeText = box->informativeText();
        seen.title = box->windowTitle();
        QAbstractButton* button =
            box->button(static_cast<QMessageBox::StandardButton>(standardButton));
        if (button)
            button->click();
        else
            box->reject();
    });
}

std::string DesktopProgramPath() {
    return std::string(KT_BINARY_DIR) + "/src/gui/kt-m220";
}

bool SaveTransceiverImage(const std::string& path) {
    CM220Radio radio;
    radio.NewData();
    radio.SetFrequency(6, "119.250");
    radio.SetName(6, "RADIO");
    radio.SetAppear(6, "ON");
    radio.HealChannel(6);
    return radio.SaveFile(path);
}

} // namespace kt
