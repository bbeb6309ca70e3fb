#include "CPortAccess.h"
#include "CCloneComm.h"
#include "CCloneCommands.h"
#include "CM220Radio.h"
#include "RecordingCloneUi.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace kt {

namespace {
constexpr uid_t kAlice = 1000;
constexpr gid_t kAliceGroup = 1000;
constexpr gid_t kDialout = 20;
constexpr gid_t kPlugdev = 46;
constexpr char kDevice[] = "/dev/ttyUSB0";
constexpr char kOtherDevice[] = "To use another device, choose it in COM Port > Port "
                                "Devices... (with kt-m220-cli: --port DEVICE).";

CPortAccess::Device Node(uid_t owner, const char* ownerName, gid_t group, const char* groupName,
                         mode_t permissions) {
    CPortAccess::Device device;
    device.known = true;
    device.owner = owner;
    device.ownerName = ownerName;
    device.group = group;
    device.groupName = groupName;
    device.mode = S_IFCHR | permissions;
    return device;
}

const CPortAccess::Device kDialoutNode = Node(0, "root", kDialout, "dialout", 0660);

CPortAccess::User Alice(std::vector<gid_t> session, std::vector<gid_t> account,
                        bool accountKnown = true) {
    CPortAccess::User user;
    user.uid = kAlice;
    user.sessionGroups = std::move(session);
    user.accountGroups = std::move(account);
    user.accountKnown = accountKnown;
    return user;
}

CPortError Error(int code, const std::string& device = kDevice) {
    return {device, code, "reason", ""};
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}
} // namespace

TEST(CPortAccessTest, RefusedPermissionSaysWhatHelps) {
    struct Case {
        const char* what;
        int code;
        CPortAccess::Device device;
        CPortAccess::User user;
        const char* expected; // a part of the advice
        bool suggestsJoining; // the usermod command appears
    };
    const Case cases[] = {
        {"not in the group", EACCES, kDialoutNode, Alice({kAliceGroup}, {kAliceGroup, kPlugdev}),
         "You are not in the group dialout. Join it with\n    sudo usermod -aG dialout $USER\n"
         "then log out and in again.",
         true},
        {"EPERM is a refused permission too", EPERM, kDialoutNode, Alice({kAliceGroup}, {}),
         "You are not in the group dialout.", true},
        {"joined, but not logged in again", EACCES, kDialoutNode,
         Alice({kAliceGroup}, {kAliceGroup, kDialout}),
         "You are in the group dialout, but this session began before you joined it: log out "
         "and in again",
         false},
        {"the account's groups unknown", EACCES, kDialoutNode,
         Alice({kAliceGroup}, {kDialout}, false), "You are not in the group dialout.", true},
        {"a group of another name", EACCES, Node(0, "root", 987, "uucp", 0660),
         Alice({kAliceGroup}, {kAliceGroup}), "sudo usermod -aG uucp $USER", true},
        {"in the group already", EACCES, kDialoutNode,
         Alice({kAliceGroup, kDialout}, {kAliceGroup, kDialout}), "yet the system refused", false},
        {"the owner", EACCES, Node(kAlice, "alice", kDialout, "dialout", 0600),
         Alice({kAliceGroup}, {kAliceGroup}), "yet the system refused", false},
        {"open to everyone", EACCES, Node(0, "root", kDialout, "dialout", 0666),
         Alice({kAliceGroup}, {kAliceGroup}), "yet the system refused", false},
        {"only the owner may", EACCES, Node(10, "uucp", kDialout, "dialout", 0600),
         Alice({kAliceGroup}, {kAliceGroup}), "Only uucp may read and write it. So joining", false},
        {"the group may only read", EACCES, Node(0, "root", kDialout, "dialout", 0640),
         Alice({kAliceGroup}, {kAliceGroup}), "Only root may read and write it.", false},
        {"the root group is none to join", EACCES, Node(0, "root", 0, "root", 0660),
         Alice({kAliceGroup}, {kAliceGroup}),
         "Only root and the group root may read and write it. So joining a group does not help: "
         "the system's device rules (udev) must give a group such as dialout read and write "
         "access. The rules installed with this program (60-kt-m220.rules)",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string advice = CPortAccess::Advice(Error(c.code), c.device, c.user, {});
        EXPECT_TRUE(Contains(advice, c.expected)) << advice;
        EXPECT_EQ(Contains(advice, "usermod"), c.suggestsJoining) << advice;
        // The owner comes first, another device last.
        EXPECT_EQ(advice.rfind(CPortAccess::OwnerLine(kDevice, c.device) + "\n\n", 0), 0u)
            << advice;
        EXPECT_TRUE(advice.ends_with(std::string("\n\n") + kOtherDevice)) << advice;
    }
}

TEST(CPortAccessTest, OwnerLineNamesOwnerGroupAndMode) {
    EXPECT_EQ(CPortAccess::OwnerLine(kDevice, kDialoutNode),
              "/dev/ttyUSB0 belongs to root, group dialout (mode 0660).");
}

TEST(CPortAccessTest, DeviceThatCannotBeExaminedGetsTheGeneralAdvice) {
    const std::string advice =
        CPortAccess::Advice(Error(EACCES), CPortAccess::Device{}, Alice({}, {}), {});
    EXPECT_EQ(advice, "Your user must be in the \"dialout\" group to use serial ports: "
                      "sudo usermod -aG dialout $USER, then log out and in again.\n\n" +
                          std::string(kOtherDevice));
}

TEST(CPortAccessTest, OtherFailuresAreExplained) {
    CPortAccess::Device file;
    file.known = true;
    file.mode = S_IFREG | 0644;
    struct Case {
        const char* what;
        int code;
        CPortAccess::Device device;
        std::vector<std::string> present;
        const char* expected; // the advice, less the line about another device
    };
    const Case cases[] = {
        {"busy",
         EBUSY,
         kDialoutNode,
         {},
         "Another program is using the port; close it and try again.\nJust after a USB cable is "
         "plugged in, ModemManager may probe it for a few seconds; the rules installed with this "
         "program (60-kt-m220.rules) tell it to leave the usual cloning cables alone."},
        {"missing, others present",
         ENOENT,
         {},
         {"/dev/ttyUSB1", "/dev/ttyS0"},
         "No such device: check that the cable is plugged in, or choose another port.\n"
         "Serial devices present: /dev/ttyUSB1, /dev/ttyS0."},
        {"missing, none present",
         ENOENT,
         {},
         {},
         "No such device: check that the cable is plugged in, or choose another port.\n"
         "No serial device is present."},
        {"a regular file",
         ENOTTY,
         file,
         {},
         "/dev/ttyUSB0 is not a serial device but a regular file: choose the cloning cable's "
         "device."},
        {"a character device without a line",
         ENOTTY,
         kDialoutNode,
         {},
         "/dev/ttyUSB0 is not a serial device: choose the cloning cable's device."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CPortAccess::Advice(Error(c.code), c.device, Alice({}, {}), c.present),
                  std::string(c.expected) + "\n\n" + kOtherDevice);
    }
    // A failure with no advice to give adds nothing to the system's reason.
    EXPECT_EQ(CPortAccess::Advice(Error(EIO), kDialoutNode, Alice({}, {}), {}), "");
}

TEST(CPortAccessTest, ExaminesThisMachine) {
    TempDir dir;
    const std::string file = dir.File("ttyFake");
    WriteFileBytes(file, "");
    chmod(file.c_str(), 0640);
    const CPortAccess::Device device = CPortAccess::StatDevice(file);
    ASSERT_TRUE(device.known);
    EXPECT_EQ(device.owner, getuid());
    EXPECT_EQ(CPortAccess::ModeText(device.mode), "0640");
    EXPECT_FALSE(device.ownerName.empty());
    EXPECT_FALSE(device.groupName.empty());
    EXPECT_FALSE(CPortAccess::StatDevice(dir.File("missing")).known);

    const CPortAccess::User user = CPortAccess::CurrentUser();
    EXPECT_EQ(user.uid, getuid());
    EXPECT_NE(std::find(user.sessionGroups.begin(), user.sessionGroups.end(), getegid()),
              user.sessionGroups.end());
}

TEST(CPortAccessTest, DescribeKeepsTheSystemsReasonFirst) {
    EXPECT_EQ(CPortAccess::Describe({}), "");
    TempDir dir;
    const std::string file = dir.File("plain");
    WriteFileBytes(file, "");
    EXPECT_EQ(CPortAccess::Describe({file, ENOTTY, "Inappropriate ioctl for device", ""}),
              file + ": Inappropriate ioctl for device\n" + file +
                  " is not a serial device but a regular file: choose the cloning cable's "
                  "device.\n\n" +
                  kOtherDevice);
    // An error without advice is the device and the reason alone.
    EXPECT_EQ(CPortAccess::Describe({file, EIO, "Input/output error", ""}),
              file + ": Input/output error");
}

// A regular file in place of the port: the open fails at tcgetattr, and the
// message box explains it after the clone's own texts.
TEST(CPortAccessTest, CloneCommandsExplainAPortThatIsNoTerminal) {
    TempDir dir;
    const std::string file = dir.File("not-a-port");
    WriteFileBytes(file, "");
    CM220Radio radio;
    radio.NewData();
    RecordingCloneUi ui;
    CCloneComm comm;
    comm.SetUi(&ui);
    comm.SetPortDevice(file);
    CCloneCommands commands(radio, comm, ui, dir.File("clone"), {});
    EXPECT_EQ(commands.Information(), CloneOutcome::kPortFailed);
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].text, CloneText::kBoxPort);
    const std::string& detail = ui.Boxes()[0].detail;
    EXPECT_EQ(detail.rfind(file + ": ", 0), 0u) << detail;
    EXPECT_TRUE(Contains(detail, file + " is not a serial device but a regular file")) << detail;
}

} // namespace kt
