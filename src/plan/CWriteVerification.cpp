#include "CWriteVerification.h"

#include "CImageComparison.h"

namespace kt {

CWriteVerification CWriteVerification::Compare(CM220Radio& sent, CM220Radio& readBack,
                                               const std::string& sentBackup) {
    const auto differences = CImageComparison::Compare(sent, readBack);
    if (differences.empty())
        return {Verdict::Verified, {"Verified: the transceiver holds what was written."}};
    CWriteVerification result{Verdict::Differs,
                              {"Verification failed: the transceiver does not hold what was "
                               "written (written -> read back):"}};
    for (const CImageComparison::Difference& d : differences)
        result.lines.push_back("  " + CImageComparison::Describe(d));
    result.lines.push_back(sentBackup.empty()
                               ? std::string("No backup keeps what was sent.")
                               : "What was sent is kept in the backup " + sentBackup);
    return result;
}

CWriteVerification CWriteVerification::NotVerified(const std::string& problem) {
    std::string line = "The transceiver was written, but not verified: reading it back failed";
    line += problem.empty() ? "." : ": " + problem;
    return {Verdict::NotVerified, {line}};
}

} // namespace kt
