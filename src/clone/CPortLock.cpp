#include "CPortLock.h"

#include "ReadWholeFile.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace kt {

namespace {
constexpr char kDeviceFolder[] = "/dev/";
// Old lock files hold the process number as a binary int of 4 bytes.
constexpr std::size_t kBinaryPidSize = 4;
// The longest process number text worth parsing.
constexpr std::size_t kMaxPidDigits = 10;
// More than /proc/locks holds on any machine this program serves.
constexpr std::size_t kMaxTextBytes = 4 * 1024 * 1024;

std::optional<std::string> ReadText(const std::string& path) {
    std::string text;
    if (!ReadWholeFile(path, kMaxTextBytes, text).Ok())
        return std::nullopt;
    return text;
}

// The process number of a UUCP lock file: ten digits with blanks and a line
// end (the usual form), or a binary int (the oldest one).
int PidOfLockFile(const std::string& content) {
    const bool allText = std::all_of(content.begin(), content.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) ||
               std::isspace(static_cast<unsigned char>(c));
    });
    if (!allText) {
        if (content.size() != kBinaryPidSize)
            return 0;
        std::int32_t pid = 0;
        std::memcpy(&pid, content.data(), sizeof pid);
        return pid > 0 ? pid : 0;
    }
    std::string digits;
    for (char c : content)
        if (std::isdigit(static_cast<unsigned char>(c)))
            digits += c;
    if (digits.empty() || digits.size() > kMaxPidDigits)
        return 0;
    const long pid = std::strtol(digits.c_str(), nullptr, 10);
    return pid > 0 && pid <= INT32_MAX ? static_cast<int>(pid) : 0;
}

// "08:01:1234": the device and inode field of /proc/locks.
bool SameNode(const std::string& field, const struct stat& node) {
    unsigned long major = 0;
    unsigned long minor = 0;
    unsigned long inode = 0;
    char rest = 0;
    if (std::sscanf(field.c_str(), "%lx:%lx:%lu%c", &major, &minor, &inode, &rest) != 3)
        return false;
    return major == ::major(node.st_dev) && minor == ::minor(node.st_dev) && inode == node.st_ino;
}
} // namespace

CPortLock::CPortLock(std::string procFolder, std::string lockFolder)
    : procFolder_(std::move(procFolder)), lockFolder_(std::move(lockFolder)) {}

std::optional<CPortLock::Holder> CPortLock::FindHolder(const std::string& device) const {
    if (auto holder = LockFileHolder(device))
        return holder;
    return DeviceLockHolder(device);
}

std::optional<CPortLock::Holder> CPortLock::LockFileHolder(const std::string& device) const {
    std::error_code ec;
    const std::filesystem::path real = std::filesystem::canonical(device, ec);
    const std::string lockFile = lockFolder_ + "/" + LockFileName(ec ? device : real.string());
    const auto content = ReadText(lockFile);
    if (!content)
        return std::nullopt;
    const int pid = PidOfLockFile(*content);
    // A lock file of a process that has ended is stale, and one of this
    // process is not another program's.
    if (pid == 0 || pid == getpid() || !IsAlive(pid))
        return std::nullopt;
    return Holder{pid, ProgramOf(pid), lockFile};
}

std::optional<CPortLock::Holder> CPortLock::DeviceLockHolder(const std::string& device) const {
    struct stat node {};
    if (stat(device.c_str(), &node) != 0)
        return std::nullopt;
    const auto locks = ReadText(procFolder_ + "/locks");
    if (!locks)
        return std::nullopt;
    std::istringstream lines(*locks);
    std::string line;
    while (std::getline(lines, line)) {
        // "1: FLOCK  ADVISORY  WRITE 4242 00:05:87 0 EOF"; a line with "->"
        // is a process waiting for the lock, not one holding it.
        std::istringstream fields(line);
        std::string number, kind, mode, access, pidText, node_;
        fields >> number >> kind;
        if (kind == "->")
            continue;
        fields >> mode >> access >> pidText >> node_;
        if (!SameNode(node_, node))
            continue;
        const long pid = std::strtol(pidText.c_str(), nullptr, 10);
        if (pid == getpid())
            continue;
        Holder holder;
        if (pid > 0 && pid <= INT32_MAX) {
            holder.pid = static_cast<int>(pid);
            holder.program = ProgramOf(holder.pid);
        }
        return holder;
    }
    return std::nullopt;
}

std::string CPortLock::LockFileName(const std::string& device) {
    std::string name = device;
    if (name.rfind(kDeviceFolder, 0) == 0)
        name.erase(0, std::strlen(kDeviceFolder));
    else
        name = std::filesystem::path(device).filename().string();
    for (char& c : name)
        if (c == '/')
            c = '_';
    return "LCK.." + name;
}

std::string CPortLock::InUseReason(const std::optional<Holder>& holder) {
    std::string reason = kInUseText;
    if (!holder || (holder->pid == 0 && holder->program.empty()))
        return reason;
    reason += ": ";
    if (!holder->program.empty())
        reason += holder->program + " ";
    if (holder->pid != 0)
        reason += "(process " + std::to_string(holder->pid);
    else
        reason += "(";
    if (!holder->lockFile.empty())
        reason += (holder->pid != 0 ? ", lock file " : "lock file ") + holder->lockFile;
    return reason + ")";
}

bool CPortLock::IsAlive(int pid) const {
    struct stat info {};
    return stat((procFolder_ + "/" + std::to_string(pid)).c_str(), &info) == 0;
}

std::string CPortLock::ProgramOf(int pid) const {
    const auto comm = ReadText(procFolder_ + "/" + std::to_string(pid) + "/comm");
    if (!comm)
        return {};
    std::string name = *comm;
    while (!name.empty() && (name.back() == '\n' || name.back() == '\r'))
        name.pop_back();
    // A process name is chosen by the process: only printable ASCII is kept.
    for (char& c : name)
        if (c < ' ' || c > '~')
            c = '.';
    return name;
}

} // namespace kt
