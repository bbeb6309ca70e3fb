#include "CBackupStore.h"

#include "CFileDescriptor.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kt {

namespace {
constexpr char kSubFolder[] = "/Velk/KT-M220/backups";
constexpr char kLocalShare[] = "/.local/share";
constexpr char kExtension[] = ".vkf";
// "2026-12-07_05-49-55": digits except at these positions.
constexpr std::size_t kStampLength = 19;
constexpr int kMaxSequence = 999;

const char* KindWord(CBackupStore::Kind kind) {
    return kind == CBackupStore::Kind::Read ? "read" : "write";
}

bool IsStamp(std::string_view text) {
    if (text.size() != kStampLength)
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool ok = (i == 4 || i == 7 || i == 13 || i == 16) ? c == '-'
                        : i == 10                                ? c == '_'
                                                                 : (c >= '0' && c <= '9');
        if (!ok)
            return false;
    }
    return true;
}

std::string SystemError(const std::string& what, const std::string& path, int code) {
    return what + " " + path + ": " + CFileDescriptor::ErrorText(code);
}

// Creates the folder and the missing folders above it with mode 0700, as is
// the custom for a user's data folders.
std::string MakeFolders(const std::string& folder) {
    for (std::size_t at = folder.find('/', 1);; at = folder.find('/', at + 1)) {
        const std::string part = folder.substr(0, at);
        if (!part.empty() && mkdir(part.c_str(), 0700) != 0) {
            const int code = errno;
            struct stat st {};
            if (code != EEXIST)
                return SystemError("cannot create the folder", part, code);
            if (stat(part.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
                return SystemError("cannot create the folder", part, ENOTDIR);
        }
        if (at == std::string::npos)
            return {};
    }
}

bool WriteAll(const CFileDescriptor& fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = fd.WriteSome(bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return home;
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir && found->pw_dir[0] == '/')
        return found->pw_dir;
    return {};
}
} // namespace

CBackupStore::CBackupStore(std::string folder, Clock clock)
    : folder_(std::move(folder)), clock_(std::move(clock)) {}

std::string CBackupStore::DefaultFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && data[0] == '/')
        return std::string(data) + kSubFolder;
    const std::string home = HomeFolder();
    if (home.empty())
        return {};
    return home + kLocalShare + kSubFolder;
}

std::string CBackupStore::Stamp(const std::tm& local) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d_%02d-%02d-%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

std::vector<CBackupStore::Entry> CBackupStore::Entries() const {
    std::vector<Entry> entries;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder_, ec), end; !ec && it != end;
         it.increment(ec)) {
        if (!it->is_regular_file(ec))
            continue;
        const std::string name = it->path().filename().string();
        if (!IsStamp(std::string_view(name).substr(0, kStampLength)))
            continue;
        std::string_view rest = std::string_view(name).substr(kStampLength);
        int sequence = 1;
        if (!rest.empty() && rest.front() == '-') {
            rest.remove_prefix(1);
            std::size_t digits = 0;
            sequence = 0;
            while (digits < rest.size() && digits < 4 && rest[digits] >= '0' && rest[digits] <= '9')
                sequence = sequence * 10 + (rest[digits++] - '0');
            if (digits == 0)
                continue;
            rest.remove_prefix(digits);
        }
        if (rest != std::string("_read") + kExtension && rest != std::string("_write") + kExtension)
            continue;
        entries.push_back({name, name.substr(0, kStampLength), sequence});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (a.stamp != b.stamp)
            return a.stamp < b.stamp;
        if (a.sequence != b.sequence)
            return a.sequence < b.sequence;
        return a.name < b.name;
    });
    return entries;
}

std::vector<std::string> CBackupStore::List() const {
    std::vector<std::string> paths;
    for (const Entry& e : Entries())
        paths.push_back(folder_ + "/" + e.name);
    return paths;
}

std::string CBackupStore::Newest(Kind kind) const {
    const std::string ending = std::string("_") + KindWord(kind) + kExtension;
    const std::vector<Entry> entries = Entries();
    for (auto it = entries.rbegin(); it != entries.rend(); ++it)
        if (it->name.ends_with(ending))
            return folder_ + "/" + it->name;
    return {};
}

std::string CBackupStore::DateOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (!IsStamp(name.substr(0, kStampLength)))
        return {};
    std::string date(name.substr(0, kStampLength));
    date[10] = ' ';
    date[13] = ':';
    date[16] = ':';
    return date;
}

CBackupStore::Result CBackupStore::Store(std::string_view image, Kind kind) {
    if (folder_.empty())
        return {{}, "no home folder is known to keep backups in"};
    if (image.empty())
        return {{}, "there is no image to keep"};
    if (std::string error = MakeFolders(folder_); !error.empty())
        return {{}, error};

    const std::time_t now = std::chrono::system_clock::to_time_t(clock_());
    std::tm local{};
    localtime_r(&now, &local);
    const std::string stamp = Stamp(local);
    int sequence = 1;
    for (const Entry& e : Entries())
        if (e.stamp == stamp)
            sequence = std::max(sequence, e.sequence + 1);

    for (; sequence <= kMaxSequence; ++sequence) {
        const std::string path = folder_ + "/" + stamp +
                                 (sequence > 1 ? "-" + std::to_string(sequence) : "") + "_" +
                                 KindWord(kind) + kExtension;
        CFileDescriptor fd =
            CFileDescriptor::Open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (!fd.IsValid()) {
            if (errno == EEXIST)
                continue; // taken a moment ago by another copy of the program
            return {{}, SystemError("cannot write", path, errno)};
        }
        if (!WriteAll(fd, image) || fsync(fd.Get()) != 0 || close(fd.Release()) != 0) {
            const int code = errno;
            unlink(path.c_str());
            return {{}, SystemError("cannot write", path, code)};
        }
        Prune(path);
        return {path, {}};
    }
    return {{}, "too many backups in " + folder_ + " within one second"};
}

CBackupStore::Result CBackupStore::StoreFile(const std::string& path, Kind kind) {
    CFileDescriptor fd = CFileDescriptor::Open(path, O_RDONLY | O_CLOEXEC);
    if (!fd.IsValid())
        return {{}, SystemError("cannot read", path, errno)};
    std::string bytes;
    char chunk[4096];
    for (;;) {
        const ssize_t n = fd.ReadSome(chunk, sizeof chunk);
        if (n < 0)
            return {{}, SystemError("cannot read", path, errno)};
        if (n == 0)
            break;
        bytes.append(chunk, static_cast<std::size_t>(n));
    }
    return Store(bytes, kind);
}

void CBackupStore::Prune(const std::string& keep) {
    const std::time_t now = std::chrono::system_clock::to_time_t(clock_());
    std::tm local{};
    localtime_r(&now, &local);
    const std::string nowStamp = Stamp(local);
    local.tm_year -= kKeepYears;
    const std::string oldestKept = Stamp(local);

    const std::vector<Entry> entries = Entries();
    // A clock behind the newest backup is wrong, or the backups are not from
    // this clock: their ages mean nothing then. A backup stamped after now
    // counts as new, which the newest always is here.
    if (entries.empty() || entries.back().stamp > nowStamp)
        return;
    // Oldest first; the newest kKeptNewest stay whatever their age.
    const std::size_t ageable = entries.size() > kKeptNewest ? entries.size() - kKeptNewest : 0;
    std::vector<std::string> left;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string path = folder_ + "/" + entries[i].name;
        if (i < ageable && path != keep && entries[i].stamp < oldestKept)
            unlink(path.c_str());
        else
            left.push_back(path);
    }
    std::size_t excess = left.size() > kMaxBackups ? left.size() - kMaxBackups : 0;
    for (const std::string& path : left) {
        if (excess == 0)
            break;
        if (path == keep)
            continue;
        unlink(path.c_str());
        --excess;
    }
}

} // namespace kt
