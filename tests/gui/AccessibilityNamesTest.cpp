#include "AppFrameFixture.h"

#include "CAboutDlg.h"
#include "CAdvancedPage.h"
#include "CCloneProgressDlg.h"
#include "CCommonPage.h"
#include "CEditMemoryDlg.h"
#include "CInformationDlg.h"
#include "CKTM220Doc.h"
#include "CKTM220View.h"
#include "CLockKeyState.h"
#include "CMainFrame.h"
#include "CPortDevicesDlg.h"
#include "CSettingSheet.h"
#include "CSplashDlg.h"
#include "CStatusPanes.h"
#include "RecordingRadio.h"
#include "ViewTempSettings.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kt {

// What a screen reader finds in the program's windows: a name for every
// control the keyboard reaches, rows of the channel list read in words, and
// the status bar's texts.
namespace {
QString SpokenName(QWidget* widget) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(QAccessible::Name) : QString();
}

// The names a screen reader has for a control: its own, and those of the
// labels that the accessibility layer says label it (this is how the
// platform names a drop-down list, whose own name is its current text).
QStringList SpokenNames(QWidget* widget) {
    QStringList names;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    if (!iface)
        return names;
    names << iface->text(QAccessible::Name);
    for (const auto& [other, relation] : iface->relations(QAccessible::Label))
        names << other->text(QAccessible::Name);
    return names;
}

// Every widget of window that Tab can reach (hidden ones too: a page not
// shown yet, a control shown later) and that has no name of its own and
// none that the accessibility layer finds for it.
QStringList UnnamedFocusable(QWidget& window) {
    QStringList unnamed;
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    widgets.prepend(&window);
    for (QWidget* widget : widgets) {
        if (widget->window() != &window || (widget->focusPolicy() & Qt::TabFocus) == 0)
            continue;
        if (widget->accessibleName().isEmpty() && SpokenName(widget).trimmed().isEmpty())
            unnamed << QStringLiteral("%1 \"%2\"")
                           .arg(QLatin1String(widget->metaObject()->className()),
                                widget->objectName());
    }
    return unnamed;
}

using AccessibilityNames = AppFrameTest;

TEST_F(AccessibilityNames, EveryControlTheKeyboardReachesHasAName) {
    CM220Radio& radio = doc_->GetRadio();
    radio.SetFrequency(2, "118.100");
    radio.SetAppear(2, "ON");
    radio.HealChannel(2);

    struct Window {
        const char* name;
        std::function<void(const std::function<void(QWidget&)>&)> open;
    };
    const std::vector<Window> windows = {
        {"main window", [&](auto check) { check(*frame_); }},
        {"Edit Memory ch",
         [&](auto check) {
             CEditMemoryDlg dialog(radio, 2, frame_.get());
             check(dialog);
         }},
        {"Setting",
         [&](auto check) {
             CSettingSheet sheet(frame_.get(), 0);
             CCommonPage common(&radio);
             CAdvancedPage advanced(&radio);
             sheet.AddPage(&common);
             sheet.AddPage(&advanced);
             check(sheet);
         }},
        {"Information",
         [&](auto check) {
             CInformationDlg dialog(frame_.get());
             dialog.SetModel(QStringLiteral("VR-M220"));
             check(dialog);
         }},
        {"Cloning",
         [&](auto check) {
             CCloneProgressDlg dialog(frame_.get());
             check(dialog);
         }},
        {"About",
         [&](auto check) {
             CAboutDlg dialog(frame_.get());
             check(dialog);
         }},
        {"banner",
         [&](auto check) {
             CSplashDlg::EnableBanner(true);
             CSplashDlg::ShowBanner(frame_.get());
             CSplashDlg::EnableBanner(false);
             ASSERT_NE(CSplashDlg::Banner(), nullptr);
             check(*CSplashDlg::Banner());
             CSplashDlg::Banner()->HideBanner();
         }},
        {"Port Devices",
         [&](auto check) {
             CPortDevicesDlg dialog(CPortDevicesDlg::Devices{}, frame_.get());
             check(dialog);
         }},
    };
    for (const Window& window : windows) {
        SCOPED_TRACE(window.name);
        window.open([](QWidget& top) {
            top.show();
            EXPECT_EQ(UnnamedFocusable(top), QStringList());
            top.hide();
        });
    }
}

TEST_F(AccessibilityNames, EditsAndListsAreNamedAfterTheirLabels) {
    CEditMemoryDlg edit(doc_->GetRadio(), 1, frame_.get());
    CCommonPage common(&doc_->GetRadio());
    CAdvancedPage advanced(&doc_->GetRadio());
    CPortDevicesDlg ports(CPortDevicesDlg::Devices{}, frame_.get());
    const std::vector<std::pair<QWidget*, std::map<std::string, QString>>> forms = {
        {&edit, {{"frequencyEdit", "Operating Frequency"}, {"nameEdit", "Name"}}},
        {&common,
         {{"indicationModeCombo", "Indication Mode"},
          {"lcdBacklightCombo", "LCD Backlight"},
          {"scanModeCombo", "Scan Mode"},
          {"priorityChannelCombo", "Priority CH"},
          {"openingTextEdit", "Opening Text"}}},
        {&advanced,
         {{"channelSpacingCombo", "Channel Spacing"}, {"cloneCommentEdit", "Clone Comment"}}},
        {&ports,
         {{"comboCom1", "COM1"}, {"comboCom4", "COM4"}, {"deviceList", "Serial devices found"}}},
    };
    for (const auto& [form, names] : forms) {
        for (const auto& [objectName, label] : names) {
            SCOPED_TRACE(objectName);
            auto* control = form->findChild<QWidget*>(QString::fromStdString(objectName));
            ASSERT_NE(control, nullptr);
            EXPECT_EQ(control->accessibleName(), label);
            EXPECT_TRUE(SpokenNames(control).contains(label))
                << SpokenNames(control).join('|').toStdString();
        }
    }
    // The typing field of a port's list, which takes the focus, carries the
    // list's name, and the device state shown beside it.
    QLineEdit* typing = ports.PortCombo(1)->lineEdit();
    EXPECT_EQ(SpokenName(typing), "COM1");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(typing)->text(QAccessible::Description),
              ports.PortState(1)->text());
}

TEST_F(AccessibilityNames, InformationTextsAreTheDialogsDescription) {
    CInformationDlg dialog;
    dialog.SetModel(QStringLiteral("VR-M220"));
    dialog.SetComment(QStringLiteral("FLYING CLUB"));
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&dialog);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->text(QAccessible::Description), "Model: VR-M220. Comment: FLYING CLUB");
}

TEST_F(AccessibilityNames, StatusBarMessageAndLockKeysAreSpoken) {
    frame_->show();
    frame_->SetMessageText(QStringLiteral(" Cloning completed."));
    EXPECT_EQ(SpokenName(frame_->statusBar()).trimmed(), "Cloning completed.");

    CStatusPanes& panes = frame_->StatusPanes();
    CLockKeyState keys;
    keys.caps = true;
    keys.scroll = false;
    keys.num = false;
    panes.ShowLockKeys(keys);
    EXPECT_EQ(SpokenName(panes.Pane(0)), "Caps Lock on");
    EXPECT_EQ(SpokenName(panes.Pane(1)), "Num Lock off");
    EXPECT_EQ(SpokenName(panes.Pane(2)), "Scroll Lock off");
    keys.caps = false;
    keys.num = true;
    panes.ShowLockKeys(keys);
    EXPECT_EQ(SpokenName(panes.Pane(0)), "Caps Lock off");
    EXPECT_EQ(SpokenName(panes.Pane(1)), "Num Lock on");
}

// The toolbar's buttons say their command as the menu shows it, without the
// mnemonic mark, the "..." and the key text after the tab. The main window
// gives its tool buttons the action texts, so this waits for the main
// window to set each action's icon text (see the report of this change).
TEST_F(AccessibilityNames, ToolbarButtonsSayTheirCommand) {
    QToolBar* bar = frame_->findChild<QToolBar*>();
    ASSERT_NE(bar, nullptr);
    QStringList spoken;
    for (QAction* action : bar->actions()) {
        if (action->isSeparator())
            continue;
        auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action));
        ASSERT_NE(button, nullptr);
        spoken << SpokenName(button);
    }
    EXPECT_EQ(spoken, (QStringList{"New", "Open", "Save", "Edit Memory", "Copy", "Paste", "Clear",
                                   "Common Setting", "COM1", "COM2", "COM3", "COM4", "Read <- TR",
                                   "Write -> TR", "Information"}));
}

// A recording radio that answers chosen commands as the test says.
class ScriptedRadio : public RecordingRadio {
public:
    std::string Command(std::string_view command) override {
        const auto answer = answers.find(std::string(command));
        if (answer == answers.end())
            return RecordingRadio::Command(command);
        commands.emplace_back(command);
        return answer->second;
    }
    std::map<std::string, std::string> answers;
};

TEST(AccessibilityChannelRows, EachRowIsReadInWords) {
    ViewTempSettings settings;
    ScriptedRadio radio;
    radio.NewData();
    radio.SetFrequency(2, "118.100");
    radio.SetName(2, "TOWER");
    radio.SetAppear(2, "ON");
    radio.HealChannel(2);
    radio.SetFrequency(3, "121.500");
    radio.SetName(3, "GUARD");
    radio.SetTxInhibit(3, "ON");
    radio.SetLockout(3, "ON");
    radio.SetAppear(3, "ON");
    radio.HealChannel(3);
    radio.SetPriorityChannel("3");
    radio.answers["CH.MCH.1.ISLEGAL"] = "NG";
    CKTM220View view(radio);

    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&view);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->text(QAccessible::Name), "Memory channels");
    ASSERT_NE(list->tableInterface(), nullptr);

    const std::vector<std::pair<int, QString>> rows = {
        {1, "Channel 1: 118.000 MHz, not a legal frequency"},
        {2, "Channel 2: 118.100 MHz, name TOWER"},
        {3, "Channel 3: priority channel, 121.500 MHz, name GUARD, Tx Inhibit, Memory Lockout"},
        {12, "Channel 12, empty"},
    };
    for (const auto& [channel, words] : rows) {
        SCOPED_TRACE(channel);
        EXPECT_EQ(view.RowAccessibleText(channel), words);
        // The cell that takes the focus speaks for the row; the others keep
        // what they show.
        QAccessibleInterface* first = list->tableInterface()->cellAt(channel - 1, 0);
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first->text(QAccessible::Name), words);
        QAccessibleInterface* frequency = list->tableInterface()->cellAt(channel - 1, 2);
        ASSERT_NE(frequency, nullptr);
        EXPECT_EQ(frequency->text(QAccessible::Name), view.CellText(channel, 2));
    }

    // A row follows its channel when it is refreshed.
    radio.SetName(2, "APPR");
    radio.HealChannel(2);
    view.RefreshChannel(2);
    EXPECT_EQ(view.RowAccessibleText(2), "Channel 2: 118.100 MHz, name APPR");
}
} // namespace

} // namespace kt
