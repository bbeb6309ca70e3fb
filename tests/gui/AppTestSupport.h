#pragma once

#include "TempDir.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
class QWidget;

// Lets the test messages show texts as texts.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace kt {

class CKTM220Doc;

// Saves the virtual transceiver's memory for the clone tests: the default
// image with channel 6 in use (119.250, "RADIO").
bool SaveTransceiverImage(const std::string& path);

// A fixture for the application-shell tests: private folders for the
// settings ($XDG_CONFIG_HOME), the lock file ($XDG_RUNTIME_DIR), the data
// (backups, recovery: $XDG_DATA_HOME) and the temporary files ($TMPDIR), set
// before anything reads them.
class AppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string ConfigFolder() const { return (root_.Path() / "config").string(); }
    std::string RuntimeFolder() const { return (root_.Path() / "runtime").string(); }
    std::string TempFolder() const { return (root_.Path() / "tmp").string(); }
    std::string DataFolder() const { return (root_.Path() / "data").string(); }
    // A file name in a folder of the test's own (not created).
    std::string File(const std::string& name) const { return (root_.Path() / name).string(); }
    // The settings file the program writes.
    static std::string SettingsFile();

private:
    TempDir root_;
    QByteArray savedConfig_;
    QByteArray savedRuntime_;
    QByteArray savedTemp_;
    QByteArray savedData_;
};

// The bytes a document's radio data object would save now: its contents.
std::string DocumentBytes(CKTM220Doc& doc);

// Arranges for the next modal window (a message box, a dialog) to be handed
// to answer as soon as it runs; answer must close it. Returns at once.
void AnswerNextModal(std::function<void(QWidget*)> answer);
// The same for a message box: records its text and informative text, then
// presses the button with the given standard-button value.
struct SeenBox {
    QString text;
    QString informativeText;
    QString title;
    bool shown = false;
};
void AnswerNextBox(SeenBox& seen, int standardButton);

// Forgets the answers arranged but not given (no modal window came).
void CancelPendingAnswers();

// The path of the desktop program in the build tree.
std::string DesktopProgramPath();

} // namespace kt
