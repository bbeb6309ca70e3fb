#include "CSettingsStore.h"
#include "ProcessRunner.h"
#include "ViewTempSettings.h"

#include <gtest/gtest.h>

// The desktop program and the command line share one settings file: a port
// chosen in the window is the port kt-m220-cli uses without --port.
TEST(SettingsStore, TheCommandLineSeesThePortsChosenInTheWindow) {
    ViewTempSettings temp;
    {
        CSettingsStore store;
        store.WriteInt(SettingsKey::kCommPortSection, SettingsKey::kPortNumber, 3);
        store.WriteString(SettingsKey::kCommPortSection,
                          QString::fromLatin1(SettingsKey::kDevicePrefix) + QLatin1Char('3'),
                          QStringLiteral("/dev/serial/by-id/usb-my-cable"));
        ASSERT_TRUE(store.Sync());
    }
    const auto r = RunProcess({ProgramPath("kt-m220-cli"), "ports"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("COM3  /dev/serial/by-id/usb-my-cable  (set in the settings)  (not "
                         "present)  <- used without --port\n"),
              std::string::npos)
        << r.out;
}
