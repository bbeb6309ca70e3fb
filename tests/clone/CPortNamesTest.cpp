#include "CPortNames.h"
#include "SerialDeviceList.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kt {

namespace fs = std::filesystem;

TEST(CPortNamesTest, PortNumberOfComNames) {
    struct Case {
        const char* name;
        unsigned number;
    };
    const Case cases[] = {
        {"COM1", 1}, {"COM4", 4}, {"com2", 2},  {"COM1:", 1},        {"COM5", 0},
        {"COM0", 0}, {"COM", 0},  {"COM11", 0}, {"/dev/ttyUSB0", 0}, {"", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CPortNames::PortNumberOf(c.name), c.number);
    }
}

TEST(CPortNamesTest, ConfiguredDeviceWins) {
    TempDir dev;
    WriteFileBytes(dev.File("ttyUSB1"), "");
    CPortNames names(dev.Path().string());
    names.SetDevice(2, "/dev/serial/by-id/usb-cable");
    EXPECT_EQ(names.Resolve("COM2"), "/dev/serial/by-id/usb-cable");
    names.SetDevice(2, "");
    EXPECT_EQ(names.Resolve("COM2"), dev.File("ttyUSB1"));
}

TEST(CPortNamesTest, UnsetPortTakesTheFirstExistingCandidate) {
    TempDir dev;
    CPortNames names(dev.Path().string());
    // None exists: the first candidate, so that opening it says what is missing.
    EXPECT_EQ(names.Resolve("COM3"), dev.File("ttyUSB2"));
    WriteFileBytes(dev.File("ttyS2"), "");
    EXPECT_EQ(names.Resolve("COM3"), dev.File("ttyS2"));
    WriteFileBytes(dev.File("ttyACM2"), "");
    EXPECT_EQ(names.Resolve("COM3"), dev.File("ttyACM2"));
    WriteFileBytes(dev.File("ttyUSB2"), "");
    EXPECT_EQ(names.Resolve("COM3"), dev.File("ttyUSB2"));
    // Other ports are not affected.
    EXPECT_EQ(names.Resolve("COM1"), dev.File("ttyUSB0"));
}

TEST(CPortNamesTest, OtherNamesAreUsedAsGiven) {
    CPortNames names;
    names.SetDevice(1, "/dev/ttyUSB7");
    EXPECT_EQ(names.Resolve("/dev/pts/5"), "/dev/pts/5");
    EXPECT_EQ(names.Resolve("COM5"), "COM5");
    EXPECT_EQ(names.Resolve("com1"), "/dev/ttyUSB7");
}

TEST(SerialDeviceListTest, ListsLinksThenUsbAndAcmThenTerminalsOnly) {
    TempDir dev;
    for (const char* node : {"ttyUSB10", "ttyUSB2", "ttyACM0", "ttyS0", "ttyUSBx", "tty0"})
        WriteFileBytes(dev.File(node), "");
    fs::create_directories(dev.Path() / "serial" / "by-id");
    fs::create_symlink("../../ttyUSB2", dev.Path() / "serial" / "by-id" / "usb-Cable_123-if00");

    const std::vector<SerialDevice> devices = ListSerialDevices(dev.Path().string());
    ASSERT_EQ(devices.size(), 4u);
    EXPECT_EQ(devices[0].path, (dev.Path() / "serial" / "by-id" / "usb-Cable_123-if00").string());
    EXPECT_EQ(devices[0].target, fs::canonical(dev.File("ttyUSB2")).string());
    EXPECT_EQ(devices[1].path, dev.File("ttyUSB2"));
    EXPECT_EQ(devices[2].path, dev.File("ttyUSB10"));
    EXPECT_EQ(devices[3].path, dev.File("ttyACM0"));
    // ttyS0 here is a plain file, no terminal: not listed.
}

} // namespace kt
