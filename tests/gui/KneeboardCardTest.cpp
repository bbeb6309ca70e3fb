#include "AppFrameFixture.h"

#include "CKneeboardCard.h"
#include "CKneeboardCommands.h"
#include "CKneeboardDlg.h"
#include "ProcessRunner.h"

#include <QImage>

namespace kt {

namespace {
class Kneeboard : public AppFrameTest {
protected:
    // All 20 channels in use with full names, 8.33 kHz channels among them
    // (their carriers take the widest cell) and receive-only ones.
    void FillAll() {
        Radio().SetChannelSpacing("25k/8.33kHz");
        for (int n = 1; n <= 20; ++n) {
            const std::string frequency = "132." + std::to_string(805 + 5 * n);
            Fill(n, frequency.c_str(), ("WWWWWW" + std::to_string(n % 10)).c_str());
            if (n % 3 == 0)
                Radio().SetTxInhibit(n, "ON");
        }
        Radio().Heal();
    }

    CKneeboardCard Card(CKneeboardCard::Size size, bool night) {
        return CKneeboardCard::Build(Radio(), "plan.vkf", {size, night},
                                     QDateTime(QDate(2026, 12, 7), QTime(12, 0)));
    }
};

int PageCount(const std::string& pdf) {
    int pages = 0;
    for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos;
         at = pdf.find("/Type /Page", at + 1))
        if (pdf.compare(at, 12, "/Type /Pages") != 0)
            ++pages;
    return pages;
}

// The share of the image's pixels that are dark.
double DarkShare(const QImage& image) {
    long dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    return static_cast<double>(dark) / (static_cast<double>(image.width()) * image.height());
}

// Whether a band of the image holds nothing but the given colour.
bool Plain(const QImage& image, const QRect& band, QRgb colour) {
    for (int y = band.top(); y <= band.bottom(); ++y)
        for (int x = band.left(); x <= band.right(); ++x)
            if (image.pixel(x, y) != colour)
                return false;
    return true;
}
} // namespace

TEST_F(Kneeboard, TwentyChannelsFitOnOneCardOfEitherSize) {
    FillAll();
    const struct {
        CKneeboardCard::Size size;
        const char* mediaBox; // the sheet in points
    } sizes[] = {{CKneeboardCard::Size::kA5, "420"}, {CKneeboardCard::Size::k5x8, "360"}};
    for (const auto& s : sizes) {
        SCOPED_TRACE(s.mediaBox);
        const std::string pdf = File("card.pdf");
        ASSERT_TRUE(CKneeboardCommands::ExportPdf(Card(s.size, false), "plan.vkf",
                                                  QString::fromStdString(pdf))
                        .ok);
        const std::string bytes = ReadFileBytes(pdf);
        EXPECT_EQ(bytes.substr(0, 4), "%PDF");
        EXPECT_EQ(PageCount(bytes), 1);
        EXPECT_NE(bytes.find(std::string("/MediaBox [0 0 ") + s.mediaBox), std::string::npos);

        // Nothing is drawn into the margins: the lines are laid out inside
        // the card, however many there are.
        const QImage image = Card(s.size, false).Render(72);
        const int margin = 18; // 7 mm less a point
        EXPECT_TRUE(Plain(image, QRect(0, image.height() - margin, image.width(), margin),
                          qRgb(255, 255, 255)));
        EXPECT_TRUE(Plain(image, QRect(image.width() - margin, 0, margin, image.height()),
                          qRgb(255, 255, 255)));
    }
}

TEST_F(Kneeboard, TheNightCardIsLightOnDark) {
    FillAll();
    const QImage day = Card(CKneeboardCard::Size::kA5, false).Render(72);
    const QImage night = Card(CKneeboardCard::Size::kA5, true).Render(72);
    ASSERT_EQ(day.size(), night.size());
    EXPECT_EQ(day.pixel(2, 2), qRgb(255, 255, 255));
    EXPECT_EQ(night.pixel(2, 2), qRgb(0, 0, 0));
    EXPECT_LT(DarkShare(day), 0.3);
    EXPECT_GT(DarkShare(night), 0.7);
}

TEST_F(Kneeboard, AReceiveOnlyChannelIsMarked) {
    Fill(4, "127.600", "VOLMET");
    const QImage plain = Card(CKneeboardCard::Size::kA5, false).Render(72);
    Radio().SetTxInhibit(4, "ON");
    Radio().Heal();
    const QImage marked = Card(CKneeboardCard::Size::kA5, false).Render(72);
    // The solid mark darkens its line.
    EXPECT_GT(DarkShare(marked), DarkShare(plain));
}

TEST_F(Kneeboard, TheDialogKeepsTheChoice) {
    CKneeboardDlg dialog;
    EXPECT_EQ(dialog.GetOptions().size, CKneeboardCard::Size::kA5);
    EXPECT_FALSE(dialog.GetOptions().night);
    dialog.SetOptions({CKneeboardCard::Size::k5x8, true});
    EXPECT_EQ(dialog.GetOptions().size, CKneeboardCard::Size::k5x8);
    EXPECT_TRUE(dialog.GetOptions().night);
    EXPECT_EQ(CKneeboardCard::SizeFromWord("5X8"), CKneeboardCard::Size::k5x8);
    EXPECT_EQ(CKneeboardCard::SizeFromWord("A4"), std::nullopt);
}

TEST_F(Kneeboard, TheDesktopProgramWritesTheCardWithoutAWindow) {
    FillAll();
    SaveAndOpen("plan.vkf");
    const std::string plan = File("plan.vkf");
    const std::string card = File("night.pdf");
    const std::string program = DesktopProgramPath();

    const ProcessResult written = RunProcess(
        {program, "--export-pdf", "--kneeboard", "--card", "5x8", "--night", plan, "-o", card});
    ASSERT_EQ(written.status, 0) << written.err;
    const std::string bytes = ReadFileBytes(card);
    EXPECT_EQ(PageCount(bytes), 1);
    EXPECT_NE(bytes.find("/MediaBox [0 0 360.000000 576.000000]"), std::string::npos);

    // The channel plan, as File > Export PDF writes it.
    const ProcessResult planPdf =
        RunProcess({program, "--export-pdf", plan, "-o", File("plan.pdf")});
    EXPECT_EQ(planPdf.status, 0) << planPdf.err;
    EXPECT_EQ(PageCount(ReadFileBytes(File("plan.pdf"))), 1);

    const ProcessResult missing =
        RunProcess({program, "--export-pdf", "--kneeboard", File("none.vkf"), "-o", card});
    EXPECT_EQ(missing.status, 3);
    EXPECT_NE(missing.err.find("none.vkf"), std::string::npos) << missing.err;
    const ProcessResult unwritable =
        RunProcess({program, "--export-pdf", "--kneeboard", plan, "-o", File("no/such/card.pdf")});
    EXPECT_EQ(unwritable.status, 3);
    EXPECT_NE(unwritable.err.find("The kneeboard card could not be exported as PDF."),
              std::string::npos)
        << unwritable.err;

    EXPECT_EQ(RunProcess({program, "--export-pdf", "--kneeboard", "--card", "a4", plan, "-o", card})
                  .status,
              2);
    EXPECT_EQ(RunProcess({program, "--export-pdf", plan}).status, 2);
    EXPECT_EQ(RunProcess({program, "--night", plan}).status, 2);
}

} // namespace kt
