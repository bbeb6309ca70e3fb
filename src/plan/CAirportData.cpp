#include "CAirportData.h"

#include "ReadWholeFile.h"

#include <cstdlib>
#include <ctime>
#include <regex>
#include <sys/stat.h>

namespace kt {

namespace {
// The table is about 1.3 MB; a file many times larger is no table.
constexpr std::size_t kMaxTableBytes = 64 * 1024 * 1024;

bool ReadText(const std::string& path, std::string& text) {
    return ReadWholeFile(path, kMaxTableBytes, text).Ok();
}

std::string Folder(const std::string& path) {
    return path.substr(0, path.rfind('/') + 1);
}

std::string ModificationDate(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return {};
    std::tm utc{};
    gmtime_r(&st.st_mtime, &utc);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &utc);
    return text;
}
} // namespace

std::string CAirportData::UserFolder() {
    const char* home = std::getenv("XDG_DATA_HOME");
    std::string base;
    if (home && home[0] == '/')
        base = home;
    else if (const char* user = std::getenv("HOME"); user && user[0])
        base = std::string(user) + "/.local/share";
    else
        base = "/tmp";
    return base + "/Velk/KT-M220";
}

std::string CAirportData::UserPath() {
    return UserFolder() + "/" + kFileName;
}

std::string CAirportData::ShippedPath() {
    for (const char* folder : {KTM220_DATA_DIR, KTM220_SOURCE_DATA_DIR}) {
        const std::string path = std::string(folder) + "/ourairports/" + kFileName;
        struct stat st {};
        if (::stat(path.c_str(), &st) == 0)
            return path;
    }
    return std::string(KTM220_DATA_DIR) + "/ourairports/" + kFileName;
}

std::string CAirportData::ShippedDate() {
    std::string readme;
    if (!ReadText(Folder(ShippedPath()) + "README.md", readme))
        return {};
    std::smatch match;
    if (std::regex_search(readme, match, std::regex("published on (\\d{4}-\\d{2}-\\d{2})")))
        return match[1];
    return {};
}

bool CAirportData::Load(std::string& error) {
    std::string text;
    std::string userError;
    const std::string user = UserPath();
    if (ReadText(user, text)) {
        CAirportTable table;
        if (table.Parse(text, userError)) {
            table_ = std::move(table);
            path_ = user;
            date_ = ModificationDate(user) + " (updated)";
            return true;
        }
    }
    const std::string shipped = ShippedPath();
    if (!ReadText(shipped, text)) {
        error = "the airport table " + shipped + " cannot be read";
        return false;
    }
    if (!table_.Parse(text, error))
        return false;
    path_ = shipped;
    date_ = ShippedDate() + " (shipped)";
    return true;
}

} // namespace kt
