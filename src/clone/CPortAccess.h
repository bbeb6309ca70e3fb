#pragma once

#include "CPortError.h"

#include <string>
#include <sys/types.h>
#include <vector>

namespace kt {

// Explains why a serial device could not be opened and what the user can do
// about it: who owns the device, whether the user's groups let them in (and
// whether a group joined since logging in is still missing from this
// session), and which step helps. Explain works on facts handed to it, so that
// every case can be tried without root; Describe gathers them on this machine.
namespace CPortAccess {
// The device node as stat() sees it (through symbolic links).
struct Device {
    bool known = false; // stat() succeeded
    uid_t owner = 0;
    gid_t group = 0;
    mode_t mode = 0;
    std::string ownerName; // the account's name, or the number as text
    std::string groupName; // the group's name, or the number as text
};
// The user running the program.
struct User {
    uid_t uid = 0;
    // The groups this process runs with (getegid and getgroups): those of
    // the session, fixed when the user logged in.
    std::vector<gid_t> sessionGroups;
    // The groups the account has now (/etc/group and the like, through
    // getgrouplist); empty with accountKnown false when they cannot be had.
    std::vector<gid_t> accountGroups;
    bool accountKnown = false;
};

// The lines that follow the device and the system's reason: the
// device's owner and what to do. serialDevices are the serial devices
// present, named when the device does not exist. Empty for errors that
// need no advice.
std::string Advice(const CPortError& error, const Device& device, const User& user,
                   const std::vector<std::string>& serialDevices);

// "<device>: <reason>" and the advice, from this machine's facts. Empty
// when the error names no device.
std::string Describe(const CPortError& error);

// "/dev/ttyUSB0 belongs to root, group dialout (mode 0660)."
std::string OwnerLine(const std::string& path, const Device& device);
// "0660": the permission bits in octal, as chmod takes them.
std::string ModeText(mode_t mode);

Device StatDevice(const std::string& path);
User CurrentUser();
} // namespace CPortAccess

} // namespace kt
