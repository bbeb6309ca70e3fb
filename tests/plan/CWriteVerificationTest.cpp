#include "CWriteVerification.h"
#include "CM220Radio.h"

#include <gtest/gtest.h>

namespace kt {

TEST(WriteVerification, VerdictsAndTheirLines) {
    CM220Radio sent;
    CM220Radio back;
    sent.NewData();
    back.NewData();
    EXPECT_EQ(CWriteVerification::Compare(sent, back, "/b/w.vkf").verdict,
              CWriteVerification::Verdict::Verified);

    back.SetBeep("OFF");
    back.Heal();
    const auto differs = CWriteVerification::Compare(sent, back, "/b/w.vkf");
    EXPECT_EQ(differs.verdict, CWriteVerification::Verdict::Differs);
    ASSERT_EQ(differs.lines.size(), 3u);
    EXPECT_EQ(differs.lines[1], "  Operation Beep: [x] -> [ ]");
    EXPECT_EQ(differs.lines[2], "What was sent is kept in the backup /b/w.vkf");
    EXPECT_EQ(CWriteVerification::Compare(sent, back, "").lines.back(),
              "No backup keeps what was sent.");

    const auto silent = CWriteVerification::NotVerified("no answer");
    EXPECT_EQ(silent.verdict, CWriteVerification::Verdict::NotVerified);
    EXPECT_EQ(silent.lines, std::vector<std::string>{"The transceiver was written, but not "
                                                     "verified: reading it back failed: no "
                                                     "answer"});
}

} // namespace kt
