#include "CPortAccess.h"

#include "SerialDeviceList.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kt {

namespace {
// The buffer for one passwd or group entry when the system does not say.
constexpr long kDefaultEntrySize = 16384;
// More groups than any account has; getgrouplist says when it needs more.
constexpr int kGroupListStart = 64;
constexpr gid_t kRootGroup = 0;
// Read, write and execute for owner, group and others, with the set-id and
// sticky bits.
constexpr mode_t kPermissionBits = 07777;

constexpr char kOtherDevice[] = "To use another device, choose it in COM Port > Port "
                                "Devices... (with kt-m220-cli: --port DEVICE).";
constexpr char kUnknownOwner[] = "Your user must be in the \"dialout\" group to use serial ports: "
                                 "sudo usermod -aG dialout $USER, then log out and in again.";
constexpr char kRefusedAnyway[] =
    "Its permissions let you in, yet the system refused: an access list or a security "
    "policy (a sandbox, for example) keeps this program from the device.";
constexpr char kNoGroupHelps[] =
    "So joining a group does not help: the system's device rules (udev) must give a group "
    "such as dialout read and write access. The rules installed with this program "
    "(60-kt-m220.rules) do that for the usual USB cloning cables; for any other device, ask "
    "the system's administrator.";
constexpr char kBusy[] = "Another program is using the port; close it and try again.";
constexpr char kModemManager[] =
    "Just after a USB cable is plugged in, ModemManager may probe it for a few seconds; the "
    "rules installed with this program (60-kt-m220.rules) tell it to leave the usual cloning "
    "cables alone.";
constexpr char kModemManagerName[] = "ModemManager";
constexpr char kMissing[] =
    "No such device: check that the cable is plugged in, or choose another port.";

bool ReadWrite(mode_t mode, mode_t readBit, mode_t writeBit) {
    return (mode & readBit) != 0 && (mode & writeBit) != 0;
}

bool Holds(const std::vector<gid_t>& groups, gid_t group) {
    return std::find(groups.begin(), groups.end(), group) != groups.end();
}

std::string KindOf(mode_t mode) {
    switch (mode & S_IFMT) {
    case S_IFREG:
        return "a regular file";
    case S_IFDIR:
        return "a folder";
    case S_IFBLK:
        return "a block device";
    case S_IFIFO:
        return "a pipe";
    case S_IFSOCK:
        return "a socket";
    default:
        return {};
    }
}

// What to do about a refused permission, from the device's owner and mode
// and the user's groups.
std::string PermissionAdvice(const std::string& path, const CPortAccess::Device& device,
                             const CPortAccess::User& user) {
    if (!device.known)
        return kUnknownOwner;
    std::string advice = CPortAccess::OwnerLine(path, device) + "\n\n";
    const bool ownerMay = user.uid == device.owner && ReadWrite(device.mode, S_IRUSR, S_IWUSR);
    const bool groupMay = ReadWrite(device.mode, S_IRGRP, S_IWGRP);
    const bool anyoneMay = ReadWrite(device.mode, S_IROTH, S_IWOTH);
    if (ownerMay || anyoneMay || (groupMay && Holds(user.sessionGroups, device.group)))
        return advice + kRefusedAnyway;
    if (!groupMay)
        return advice + "Only " + device.ownerName + " may read and write it. " + kNoGroupHelps;
    // The root group is no group to join for a device.
    if (device.group == kRootGroup)
        return advice + "Only " + device.ownerName + " and the group " + device.groupName +
               " may read and write it. " + kNoGroupHelps;
    const std::string& group = device.groupName;
    if (user.accountKnown && Holds(user.accountGroups, device.group))
        return advice + "You are in the group " + group +
               ", but this session began before you joined it: log out and in again (or "
               "restart the computer), then try once more.";
    return advice + "You are not in the group " + group + ". Join it with\n    sudo usermod -aG " +
           group + " $USER\nthen log out and in again.";
}

std::string MissingAdvice(const std::vector<std::string>& serialDevices) {
    std::string advice = kMissing;
    if (serialDevices.empty())
        return advice + "\nNo serial device is present.";
    advice += "\nSerial devices present: ";
    for (std::size_t i = 0; i < serialDevices.size(); ++i)
        advice += (i == 0 ? "" : ", ") + serialDevices[i];
    return advice + ".";
}

std::string NotSerialAdvice(const std::string& path, const CPortAccess::Device& device) {
    std::string advice = path + " is not a serial device";
    if (device.known) {
        const std::string kind = KindOf(device.mode);
        if (!kind.empty())
            advice += " but " + kind;
    }
    return advice + ": choose the cloning cable's device.";
}

// The name in the passwd or group entry of id, looked up with the reentrant
// call lookup; empty when there is none.
template <typename Entry, typename Id>
std::string EntryName(Id id, int sizeName, int (*lookup)(Id, Entry*, char*, std::size_t, Entry**),
                      char* Entry::*name) {
    const long size = sysconf(sizeName);
    std::vector<char> buffer(static_cast<std::size_t>(size > 0 ? size : kDefaultEntrySize));
    Entry entry{};
    Entry* found = nullptr;
    if (lookup(id, &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr)
        return found->*name;
    return {};
}

std::string UserName(uid_t uid) {
    return EntryName<passwd, uid_t>(uid, _SC_GETPW_R_SIZE_MAX, getpwuid_r, &passwd::pw_name);
}

std::string GroupName(gid_t gid) {
    return EntryName<group, gid_t>(gid, _SC_GETGR_R_SIZE_MAX, getgrgid_r, &group::gr_name);
}
} // namespace

std::string CPortAccess::Advice(const CPortError& error, const Device& device, const User& user,
                                const std::vector<std::string>& serialDevices) {
    std::string advice;
    switch (error.code) {
    case EACCES:
    case EPERM:
        advice = PermissionAdvice(error.device, device, user);
        break;
    case EBUSY:
        // A holder named by its lock is the program to close; the note on
        // ModemManager's probe is for a busy port whose holder is not known.
        advice = kBusy;
        if (error.holder.empty() || error.holder == kModemManagerName)
            advice += std::string("\n") + kModemManager;
        break;
    case ENOENT:
        advice = MissingAdvice(serialDevices);
        break;
    case ENOTTY:
        advice = NotSerialAdvice(error.device, device);
        break;
    default:
        return {};
    }
    return advice + "\n\n" + kOtherDevice;
}

std::string CPortAccess::Describe(const CPortError& error) {
    if (error.device.empty())
        return {};
    std::string detail = error.device + ": " + error.reason;
    std::vector<std::string> present;
    if (error.code == ENOENT)
        for (const SerialDevice& found : ListSerialDevices())
            present.push_back(found.path);
    const std::string advice = Advice(error, StatDevice(error.device), CurrentUser(), present);
    if (!advice.empty())
        detail += "\n" + advice;
    return detail;
}

std::string CPortAccess::OwnerLine(const std::string& path, const Device& device) {
    return path + " belongs to " + device.ownerName + ", group " + device.groupName + " (mode " +
           ModeText(device.mode) + ").";
}

std::string CPortAccess::ModeText(mode_t mode) {
    char text[8];
    std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode & kPermissionBits));
    return text;
}

CPortAccess::Device CPortAccess::StatDevice(const std::string& path) {
    Device device;
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return device;
    device.known = true;
    device.owner = info.st_uid;
    device.group = info.st_gid;
    device.mode = info.st_mode;
    device.ownerName = UserName(info.st_uid);
    if (device.ownerName.empty())
        device.ownerName = std::to_string(info.st_uid);
    device.groupName = GroupName(info.st_gid);
    if (device.groupName.empty())
        device.groupName = std::to_string(info.st_gid);
    return device;
}

CPortAccess::User CPortAccess::CurrentUser() {
    User user;
    user.uid = getuid();
    user.sessionGroups.push_back(getegid());
    const int count = getgroups(0, nullptr);
    if (count > 0) {
        std::vector<gid_t> groups(static_cast<std::size_t>(count));
        const int got = getgroups(count, groups.data());
        if (got > 0)
            user.sessionGroups.insert(user.sessionGroups.end(), groups.begin(),
                                      groups.begin() + got);
    }

    // The account's groups as they stand now, which may include a group
    // joined after this session began.
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(static_cast<std::size_t>(size > 0 ? size : kDefaultEntrySize));
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(user.uid, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr)
        return user;
    int wanted = kGroupListStart;
    std::vector<gid_t> groups(static_cast<std::size_t>(wanted));
    while (getgrouplist(found->pw_name, found->pw_gid, groups.data(), &wanted) < 0) {
        if (static_cast<std::size_t>(wanted) <= groups.size())
            return user; // the system gives no sound count
        groups.resize(static_cast<std::size_t>(wanted));
    }
    groups.resize(static_cast<std::size_t>(wanted));
    user.accountGroups = std::move(groups);
    user.accountKnown = true;
    return user;
}

} // namespace kt
