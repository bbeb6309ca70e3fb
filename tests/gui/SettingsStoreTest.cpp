#include "CCliSettings.h"
#include "CPortNames.h"
#include "CSettingsStore.h"
#include "ProcessRunner.h"
#include "ViewTempSettings.h"

#include <gtest/gtest.h>

namespace kt {

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

// Device paths as QSettings writes them: quoted, escaped, in UTF-8 or as \x
// code units. The command line's own reader must read back each one exactly.
TEST(SettingsStore, TheCommandLineReadsEveryPathQSettingsWrites) {
    const std::string paths[] = {
        "/dev/serial/by-id/usb-FTDI_a,b-if00",
        "/dev/my cable ",
        " /dev/lead",
        "C:\\odd\\path",
        "/dev/serial/by-id/usb-Kabel_f\xc3\xbcr_Funk",
        "/dev/x;y=z\"q\"",
        "@odd",
    };
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        ViewTempSettings temp;
        {
            CSettingsStore store;
            store.WriteString(SettingsKey::kCommPortSection,
                              QString::fromLatin1(SettingsKey::kDevicePrefix) + QLatin1Char('2'),
                              QString::fromStdString(path));
            ASSERT_TRUE(store.Sync());
        }
        CPortNames names;
        CCliSettings::Load().ApplyTo(names);
        EXPECT_EQ(names.DeviceOf(2), path);
    }
}

} // namespace kt
