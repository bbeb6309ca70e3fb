#include "AppTestSupport.h"

#include "CKTM220Doc.h"
#include "CMainFrame.h"
#include "CPortDevicesDlg.h"
#include "CommandIds.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <filesystem>

namespace kt {

namespace {
namespace fs = std::filesystem;

class AppPortDevices : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        devFolder_ = File("dev");
        fs::create_directories(devFolder_ + "/serial/by-id");
        WriteFileBytes(devFolder_ + "/ttyUSB0", "");
        fs::create_symlink(devFolder_ + "/ttyUSB0",
                           devFolder_ + "/serial/by-id/usb-cable-if00-port0");
    }
    QString Folder() const { return QString::fromStdString(devFolder_); }
    std::string devFolder_;
};
} // namespace

TEST_F(AppPortDevices, ListsTheDevicesAndKeepsTheChoices) {
    CPortDevicesDlg::Devices devices;
    devices[1] = QStringLiteral("/dev/serial/by-id/usb-other");
    CPortDevicesDlg dialog(devices, nullptr, Folder());
    const QStringList found = dialog.FoundDevices();
    ASSERT_EQ(found.size(), 2);
    EXPECT_EQ(found[0].toStdString(), devFolder_ + "/serial/by-id/usb-cable-if00-port0");
    EXPECT_EQ(found[1].toStdString(), devFolder_ + "/ttyUSB0");

    EXPECT_EQ(dialog.PortCombo(1)->currentText(), CPortDevicesDlg::kAutomaticText);
    EXPECT_EQ(dialog.PortCombo(2)->currentText(), "/dev/serial/by-id/usb-other");
    // "Automatic" for COM1 finds ttyUSB0 in the folder.
    EXPECT_TRUE(dialog.PortState(1)->text().contains("ttyUSB0, present"));
    EXPECT_EQ(dialog.PortState(2)->text(), "not present");
    EXPECT_EQ(dialog.PortCombo(1)->count(), 3) << "Automatic and the two devices";

    const CPortDevicesDlg::Devices chosen = dialog.ChosenDevices();
    EXPECT_EQ(chosen[0], "");
    EXPECT_EQ(chosen[1], "/dev/serial/by-id/usb-other");
    EXPECT_EQ(chosen[2], "");
}

TEST_F(AppPortDevices, ACablePluggedInLaterAppears) {
    CPortDevicesDlg dialog({}, nullptr, Folder());
    dialog.PortCombo(3)->setEditText(QStringLiteral("/dev/typed-by-hand"));
    WriteFileBytes(devFolder_ + "/ttyACM0", "");
    dialog.Rescan(); // the dialog does so every second
    EXPECT_TRUE(dialog.FoundDevices().contains(Folder() + "/ttyACM0"));
    EXPECT_EQ(dialog.PortCombo(3)->currentText(), "/dev/typed-by-hand") << "the typing stays";
    EXPECT_EQ(dialog.PortCombo(3)->findText(Folder() + "/ttyACM0"), 3);
    fs::remove(devFolder_ + "/ttyACM0");
    dialog.Rescan();
    EXPECT_EQ(dialog.FoundDevices().size(), 2);
    EXPECT_EQ(CPortDevicesDlg::kRescanIntervalMs, 1000);
}

TEST_F(AppPortDevices, TheChoiceReachesTheCloneEngine) {
    CKTM220Doc doc;
    CMainFrame frame(doc);
    AnswerNextModal([](QWidget* modal) {
        auto* dialog = qobject_cast<CPortDevicesDlg*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->PortCombo(1)->setEditText(QStringLiteral("/dev/ttyUSB7"));
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    frame.Action(CommandId::kPortDevices)->trigger();
    EXPECT_EQ(doc.PortDevice(1), "/dev/ttyUSB7");
    EXPECT_EQ(doc.GetCloneComm().PortNames().DeviceOf(1), "/dev/ttyUSB7");

    // Cancel changes nothing.
    AnswerNextModal([](QWidget* modal) {
        auto* dialog = qobject_cast<CPortDevicesDlg*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->PortCombo(1)->setEditText(QStringLiteral("/dev/ttyUSB9"));
        dialog->reject();
    });
    frame.Action(CommandId::kPortDevices)->trigger();
    EXPECT_EQ(doc.PortDevice(1), "/dev/ttyUSB7");
}

// In the demonstration the ticked port stands for the virtual transceiver,
// and Port Devices says so; OK with it left as it is stores nothing.
TEST_F(AppPortDevices, TheDemonstrationShowsTheVirtualTransceiver) {
    CKTM220Doc doc;
    CMainFrame frame(doc);
    doc.SetPortNumber(2);
    doc.SetDemoDevice(2, QStringLiteral("/dev/pts/42"));
    QString shown;
    AnswerNextModal([&shown](QWidget* modal) {
        auto* dialog = qobject_cast<CPortDevicesDlg*>(modal);
        ASSERT_NE(dialog, nullptr);
        shown = dialog->PortCombo(2)->currentText();
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    frame.Action(CommandId::kPortDevices)->trigger();
    EXPECT_EQ(shown, "/dev/pts/42");
    EXPECT_EQ(doc.PortDevice(2), "") << "the demonstration is not kept";
    EXPECT_EQ(doc.GetCloneComm().PortNames().DeviceOf(2), "/dev/pts/42");
}

} // namespace kt
