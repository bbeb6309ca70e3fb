#pragma once

#include <string>
#include <vector>

namespace kt {

class CM220Radio;

// The verdict on a write after the transceiver was read back: it holds what
// was sent, it holds something else (each channel property and setting that
// differs, sent value first, and the backup that keeps what was sent), or the
// read-back got no answer, so the write went through but is not verified.
class CWriteVerification {
public:
    enum class Verdict { Verified, Differs, NotVerified };

    Verdict verdict = Verdict::NotVerified;
    std::vector<std::string> lines; // for the user, the first the heading

    // sentBackup: where the image sent is kept; empty when it could not be.
    static CWriteVerification Compare(CM220Radio& sent, CM220Radio& readBack,
                                      const std::string& sentBackup);
    // problem: why the read-back failed, in plain words; may be empty.
    static CWriteVerification NotVerified(const std::string& problem);
};

} // namespace kt
