#pragma once

#include "CSettingSheet.h"
#include "CommonSettingCommand.h"
#include "ISettingSheetHost.h"
#include "RecordingRadio.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace kt {

// Drives the Common Setting command in tests: a host that records what the
// command asks of the view and the document, a radio whose answers can be
// forced, and a way to act in the open sheet and end it with OK or Cancel.

// A recording radio whose answers to some commands are given by the test.
class AnsweringRadio : public RecordingRadio {
public:
    std::string Command(std::string_view command) override {
        const auto forced = answers.find(std::string(command));
        if (forced == answers.end())
            return RecordingRadio::Command(command);
        commands.emplace_back(command);
        return forced->second;
    }
    std::map<std::string, std::string> answers;
};

// Puts what the command asks of the host among the radio's commands, as
// "<...>" markers, so that one list shows the order of everything.
class FakeSheetHost : public ISettingSheetHost {
public:
    explicit FakeSheetHost(RecordingRadio& radio) : radio_(radio) {}

    int StartPageIndex() const override { return startPage; }
    void SetStartPageIndex(int index) override {
        startPage = index;
        radio_.commands.push_back("<page " + std::to_string(index) + ">");
    }
    void SetDocumentModified() override {
        modified = true;
        radio_.commands.emplace_back("<modified>");
    }
    void UpdateAllViews() override { radio_.commands.emplace_back("<update>"); }
    void RefreshAllRows() override { radio_.commands.emplace_back("<refresh>"); }
    QWidget* DialogParent() override { return &parent; }

    int startPage = 0;
    bool modified = false;
    QWidget parent;

private:
    RecordingRadio& radio_;
};

enum class SheetEnd { Ok, Cancel };

// Runs the command; act is called while the sheet is open, then the sheet is
// ended with the chosen button. Returns what the command returns.
inline bool RunSheet(RecordingRadio& radio, FakeSheetHost& host,
                     const std::function<void(CSettingSheet&)>& act, SheetEnd end) {
    QTimer::singleShot(0, [&] {
        auto* sheet = qobject_cast<CSettingSheet*>(QApplication::activeModalWidget());
        if (!sheet) {
            ADD_FAILURE() << "the Setting sheet is not open";
            if (QWidget* other = QApplication::activeModalWidget())
                other->close();
            return;
        }
        try {
            if (act)
                act(*sheet);
        } catch (const std::exception& e) {
            ADD_FAILURE() << e.what();
        }
        const auto button = end == SheetEnd::Ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel;
        sheet->Buttons()->button(button)->click();
    });
    return RunCommonSettingCommand(radio, host);
}

// A control of the open sheet by its name in the page's form.
template <class T> T& Control(CSettingSheet& sheet, const char* name) {
    T* control = sheet.findChild<T*>(QString::fromLatin1(name));
    if (!control)
        throw std::runtime_error(std::string("no control ") + name);
    return *control;
}

// Switches pages as the user does, with a click on the page's tab.
inline void ClickTab(CSettingSheet& sheet, int index) {
    QTabBar* bar = sheet.Tabs()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

inline void Choose(QComboBox& combo, const char* text) {
    const int index = combo.findText(QString::fromLatin1(text));
    ASSERT_GE(index, 0) << text;
    combo.setCurrentIndex(index);
}

inline std::vector<std::string> Items(const QComboBox& combo) {
    std::vector<std::string> items;
    for (int i = 0; i < combo.count(); ++i)
        items.push_back(combo.itemText(i).toStdString());
    return items;
}

// The commands that change something (those with "="), in order.
inline std::vector<std::string> Changes(const std::vector<std::string>& commands,
                                        const std::string& prefix = "") {
    std::vector<std::string> changes;
    for (const auto& c : commands) {
        if (c.find('=') != std::string::npos && c.compare(0, prefix.size(), prefix) == 0)
            changes.push_back(c);
    }
    return changes;
}

// A radio with the default image, its setup commands forgotten.
template <class Radio> void Prepare(Radio& radio, const std::function<void(Radio&)>& setup = {}) {
    radio.NewData();
    if (setup)
        setup(radio);
    radio.commands.clear();
}

} // namespace kt
