#pragma once

#include "IChannelListHost.h"
#include "MessageBoxText.h"
#include "RecordingRadio.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace kt {

// Helpers for the channel editing tests: a channel list host that records its
// refreshes, a radio prepared with channels, and the answering of modal
// dialogs and message boxes from inside their event loop.

namespace edit_test {

// Puts every refresh among the radio's commands as a "<row n>" or "<all rows>"
// marker (with " wait" while the wait cursor shows), so that one list gives
// the order of everything the commands did.
class FakeChannelListHost : public IChannelListHost {
public:
    explicit FakeChannelListHost(RecordingRadio& radio) : radio_(radio) {}

    int CurrentChannel() const override { return selected == 0 ? 1 : selected; }
    bool AnyRowSelected() const override { return selected != 0; }
    void RefreshChannel(int channel) override { Mark("<row " + std::to_string(channel)); }
    void RefreshAllRows() override { Mark("<all rows"); }
    QWidget* DialogParent() override { return &parent; }

    // The selected channel, 0 for no selection.
    int selected = 0;
    QWidget parent;

private:
    void Mark(std::string marker) {
        if (QGuiApplication::overrideCursor() != nullptr &&
            QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor)
            marker += " wait";
        radio_.commands.push_back(marker + ">");
    }
    RecordingRadio& radio_;
};

// A radio with the default contents, channels 2 and 3 in use, and an empty
// command record.
inline void Prepare(RecordingRadio& radio) {
    radio.InitializeData();
    const auto fill = [&radio](int n, const char* frequency, const char* name) {
        radio.SetFrequency(n, frequency);
        radio.SetName(n, name);
        radio.SetAppear(n, "ON");
        radio.HealChannel(n);
    };
    fill(2, "119.000", "TWO");
    fill(3, "121.500", "THREE");
    radio.SetModified(0);
    radio.commands.clear();
}

inline void FillLastChannel(RecordingRadio& radio) {
    radio.SetFrequency(20, "136.975");
    radio.SetAppear(20, "ON");
    radio.HealChannel(20);
    radio.commands.clear();
}

inline bool Sent(const RecordingRadio& radio, const std::string& command) {
    return std::find(radio.commands.begin(), radio.commands.end(), command) != radio.commands.end();
}

// Commands that change something (assignments and edits), checks and queries
// left out.
inline std::vector<std::string> Changes(const RecordingRadio& radio) {
    std::vector<std::string> changes;
    for (const std::string& c : radio.commands) {
        const bool edit = c.ends_with(".COPY") || c.ends_with(".PASTE") || c.ends_with(".CLEAR") ||
                          c.ends_with(".DELETE") || c.ends_with(".INSERT");
        if (c.find('=') != std::string::npos || edit || c.starts_with("<"))
            changes.push_back(c);
    }
    return changes;
}

// Answers the next modal dialog or message box once the code under test has
// opened it: the answer runs inside the modal's own event loop. The timer is
// stopped when the answerer goes, so an expected modal that never came leaves
// nothing behind for a later test.
class ModalAnswerer {
public:
    explicit ModalAnswerer(std::function<void(QWidget*)> answer) : answer_(std::move(answer)) {
        timer_.setSingleShot(true);
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr)
                return;
            shown_ = true;
            answer_(modal);
        });
        timer_.start();
    }
    bool Shown() const { return shown_; }

private:
    std::function<void(QWidget*)> answer_;
    QTimer timer_;
    bool shown_ = false;
};

// What a message box showed.
struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

// Answers the next message box with the button, noting what it showed.
class BoxAnswerer : public ModalAnswerer {
public:
    explicit BoxAnswerer(QMessageBox::StandardButton button)
        : ModalAnswerer([this, button](QWidget* modal) {
              auto* box = qobject_cast<QMessageBox*>(modal);
              if (box == nullptr) {
                  modal->close();
                  return;
              }
              ExpectPlainTexts(*box);
              seen.title = box->windowTitle();
              seen.text = box->text();
              seen.icon = box->icon();
              seen.buttons = box->standardButtons();
              if (QAbstractButton* answer = box->button(button))
                  answer->click();
              else
                  box->done(QMessageBox::Cancel);
          }) {}
    SeenBox seen;
};

} // namespace edit_test

} // namespace kt
