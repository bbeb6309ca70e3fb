#include "CAirportUpdate.h"

#include "AtomicReplace.h"
#include "CAirportData.h"
#include "CAirportTable.h"

#include <cerrno>
#include <cstring>
#include <curl/curl.h>
#include <memory>
#include <sys/stat.h>

namespace kt {

namespace {
// The table is about 1.3 MB; far more is no table.
constexpr curl_off_t kMaxBytes = 64 * 1024 * 1024;
constexpr long kConnectSeconds = 15;
// A transfer slower than 100 bytes a second for 30 seconds counts as lost.
constexpr long kLowSpeedBytes = 100;
constexpr long kLowSpeedSeconds = 30;

struct Transfer {
    std::string* text = nullptr;
    const CAirportUpdate::Progress* progress = nullptr;
    bool tooLarge = false;
    bool cancelled = false;
};

size_t Receive(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    if (static_cast<curl_off_t>(transfer->text->size() + bytes) > kMaxBytes) {
        transfer->tooLarge = true;
        return 0;
    }
    transfer->text->append(data, bytes);
    return bytes;
}

int OnProgress(void* user, curl_off_t total, curl_off_t received, curl_off_t, curl_off_t) {
    auto* transfer = static_cast<Transfer*>(user);
    if (*transfer->progress && !(*transfer->progress)(received, total)) {
        transfer->cancelled = true;
        return 1;
    }
    return 0;
}

// Makes the folder and the folders above it.
bool MakeFolders(const std::string& folder, std::string& error) {
    for (std::size_t at = 1; at != std::string::npos;) {
        at = folder.find('/', at + 1);
        const std::string part = folder.substr(0, at);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            error = "the folder " + part + " cannot be made: " + std::strerror(errno);
            return false;
        }
    }
    return true;
}

// What a failed transfer means for the user.
std::string Explain(CURLcode code, const char* detail) {
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return "the server's name cannot be looked up; is the computer offline?";
    case CURLE_COULDNT_CONNECT:
        return "the server cannot be reached; is the computer offline?";
    case CURLE_OPERATION_TIMEDOUT:
        return "the server did not answer in time";
    default:
        break;
    }
    return detail && detail[0] ? detail : curl_easy_strerror(code);
}
} // namespace

CAirportUpdate::Result CAirportUpdate::Download(const std::string& url, std::string& text,
                                                const Progress& progress) {
    Result result;
    static const CURLcode initialised = curl_global_init(CURL_GLOBAL_DEFAULT);
    const std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(
        initialised == CURLE_OK ? curl_easy_init() : nullptr, &curl_easy_cleanup);
    if (!curl) {
        result.message = "the download cannot be started (libcurl could not be set up)";
        return result;
    }
    Transfer transfer;
    transfer.text = &text;
    transfer.progress = &progress;
    char detail[CURL_ERROR_SIZE] = "";
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(c, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, kConnectSeconds);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, kLowSpeedBytes);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, kLowSpeedSeconds);
    curl_easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE, kMaxBytes);
    curl_easy_setopt(c, CURLOPT_USERAGENT, "kt-m220/" KTM220_VERSION);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, detail);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &Receive);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &OnProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    const CURLcode code = curl_easy_perform(c);
    if (transfer.cancelled) {
        result.cancelled = true;
        result.message = "the download was cancelled";
    } else if (transfer.tooLarge || code == CURLE_FILESIZE_EXCEEDED) {
        result.message = "the file at " + url + " is far larger than the airport table";
    } else if (code != CURLE_OK) {
        result.message = url + " cannot be downloaded: " + Explain(code, detail);
    } else {
        result.ok = true;
    }
    return result;
}

CAirportUpdate::Result CAirportUpdate::Check(const std::string& text) {
    Result result;
    CAirportTable table;
    std::string error;
    if (!table.Parse(text, error)) {
        result.message = "the downloaded file is not the airport table: " + error;
        return result;
    }
    result.rows = table.Size();
    result.inBand = table.InBandCount();
    if (result.inBand < kMinimumInBandRows) {
        result.message = "the downloaded table holds only " + std::to_string(result.inBand) +
                         " frequencies in the airband (at least " +
                         std::to_string(kMinimumInBandRows) + " expected); it is not taken";
        return result;
    }
    result.ok = true;
    return result;
}

CAirportUpdate::Result CAirportUpdate::Run(const std::string& url, const Progress& progress) {
    std::string text;
    Result result = Download(url, text, progress);
    if (!result.ok)
        return result;
    result = Check(text);
    if (!result.ok)
        return result;
    result.path = CAirportData::UserPath();
    std::string error;
    if (!MakeFolders(CAirportData::UserFolder(), error)) {
        result.ok = false;
        result.message = error;
        return result;
    }
    const CReplaceResult replaced = AtomicReplace(result.path, text);
    if (!replaced.Ok()) {
        result.ok = false;
        result.message = result.path + " cannot be written: " + replaced.Reason();
        return result;
    }
    result.message = "the airport table now holds " + std::to_string(result.rows) +
                     " frequencies (" + std::to_string(result.inBand) + " in the airband)";
    return result;
}

} // namespace kt
