#pragma once

#include "CAirportData.h"

#include <functional>
#include <string>

namespace kt {

// Brings the user's copy of the airport frequency table up to date: downloads
// the current table (libcurl), checks it (the table's header and at least
// 10,000 frequencies in the airband), and replaces the user's copy atomically.
// The shipped table stays as the fallback; a failure leaves the user's copy as
// it was.
class CAirportUpdate {
public:
    static constexpr const char* kDefaultUrl = CAirportData::kDownloadUrl;
    static constexpr std::size_t kMinimumInBandRows = 10000;

    // Told the bytes received and the whole size (0 when unknown); answers
    // false to cancel the download.
    using Progress = std::function<bool(long long received, long long total)>;

    struct Result {
        bool ok = false;
        bool cancelled = false;
        std::string message; // what went wrong, or what was installed
        std::size_t rows = 0;
        std::size_t inBand = 0;
        std::string path;
    };

    // Downloads url, checks it and installs it as the user's copy.
    static Result Run(const std::string& url, const Progress& progress = {});
    // The check of a downloaded table; fills rows and inBand, ok when it passes.
    static Result Check(const std::string& text);
    // The download alone; ok with the body in text.
    static Result Download(const std::string& url, std::string& text, const Progress& progress);
};

} // namespace kt
