#pragma once

#include <chrono>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kt {

// The folder of automatic backups: every image read from the transceiver and
// every image about to be written to it is kept as a data file named after
// the local time it was taken and why, for example
// 2026-12-07_05-49-55_read.vkf or 2026-12-07_05-49-55_write.vkf (a second
// backup in the same second is 2026-12-07_05-49-55-2_write.vkf). Backups are
// kept for a year, and of more than 200 the oldest are removed; the newest 50
// are kept whatever their age, and a clock that stands before the newest
// backup (set wrong, or the backups came from another machine) removes
// nothing. Files in the folder whose names are not backup names are never
// touched.
class CBackupStore {
public:
    enum class Kind { Read, Write };
    using Clock = std::function<std::chrono::system_clock::time_point()>;

    static constexpr std::size_t kMaxBackups = 200;
    // Kept whatever their age.
    static constexpr std::size_t kKeptNewest = 50;
    static constexpr int kKeepYears = 1;

    struct Result {
        std::string path;  // the backup written; empty when none was
        std::string error; // why none was written
        bool Ok() const { return error.empty(); }
    };

    explicit CBackupStore(std::string folder, Clock clock = std::chrono::system_clock::now);

    // $XDG_DATA_HOME/Velk/KT-M220/backups; ~/.local/share in place of an unset,
    // empty or relative XDG_DATA_HOME. Empty when no home folder is known.
    static std::string DefaultFolder();

    const std::string& Folder() const { return folder_; }

    // Writes the image as a new backup (creating the folder, mode 0700, when it
    // is missing), then prunes. Never throws.
    Result Store(std::string_view image, Kind kind);
    // Stores the contents of a data file.
    Result StoreFile(const std::string& path, Kind kind);

    // The backups in the folder, oldest first, as full paths.
    std::vector<std::string> List() const;
    // The newest backup of that kind as a full path; empty when there is none.
    std::string Newest(Kind kind) const;
    // "2026-12-07 05:49:55", the local time a backup's file name gives; empty
    // for a path that is not a backup's.
    static std::string DateOf(std::string_view path);
    // Removes the backups taken more than a year before now and then the
    // oldest beyond kMaxBackups, never the one named keep nor the newest
    // kKeptNewest, and nothing at all while now is before the newest backup's
    // time.
    void Prune(const std::string& keep = {});

    // "2026-12-07_05-49-55" for a local time.
    static std::string Stamp(const std::tm& local);

private:
    struct Entry {
        std::string name;
        std::string stamp;
        int sequence = 1;
    };
    std::vector<Entry> Entries() const;

    std::string folder_;
    Clock clock_;
};

} // namespace kt
