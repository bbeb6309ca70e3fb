#include "AppFrameFixture.h"

#include "CAdvancedPage.h"
#include "CChannelPlan.h"
#include "CChannelPlanPrinter.h"
#include "CCommonPage.h"
#include "CPrintCommands.h"
#include "CommandIds.h"
#include "TextFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <functional>
#include <map>

namespace kt {

namespace {
// What a Setting sheet page shows: each checkbox's text with "On" or "Off",
// each labelled list or text with its label, as the user sees them.
std::map<std::string, std::string> Shown(QWidget& page) {
    std::map<std::string, std::string> shown;
    for (QCheckBox* box : page.findChildren<QCheckBox*>())
        if (box->isVisibleTo(&page))
            shown[box->text().toStdString()] = box->isChecked() ? "On" : "Off";
    for (QLabel* label : page.findChildren<QLabel*>()) {
        if (!label->isVisibleTo(&page) || !label->buddy())
            continue;
        QString value;
        if (auto* combo = qobject_cast<QComboBox*>(label->buddy()))
            value = combo->currentText();
        else if (auto* edit = qobject_cast<QLineEdit*>(label->buddy()))
            value = edit->text().trimmed().isEmpty() ? QStringLiteral("(none)")
                                                     : edit->text().trimmed();
        shown[label->text().toStdString()] = value.toLatin1().toStdString();
    }
    return shown;
}

std::map<std::string, std::string> Printed(const CChannelPlan::Group& group) {
    std::map<std::string, std::string> printed;
    for (const CChannelPlan::Setting& s : group.settings)
        printed[s.label] = s.value;
    return printed;
}

// Whether every pixel of the part of the image is white.
bool White(const QImage& image, const QRect& part) {
    for (int y = part.top(); y <= part.bottom(); ++y)
        for (int x = part.left(); x <= part.right(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return false;
    return true;
}
} // namespace

TEST(ChannelPlan, SettingsArePrintedAsTheSettingSheetShowsThem) {
    const struct {
        const char* name;
        std::function<void(CM220Radio&)> setup;
    } cases[] = {
        {"default", {}},
        {"backlight off, text, 25 kHz",
         [](CM220Radio& r) {
             r.SetLcdBacklight("OFF");
             r.SetIndicationMode("TEXT");
             r.SetChannelSpacing("25kHz");
             r.SetBeep("OFF");
         }},
        {"dimmer low, priority on channel 3, texts",
         [](CM220Radio& r) {
             r.SetLcdBacklight("ON");
             r.SetLcdDimmer("LOW");
             r.SetFrequency(3, "121.500");
             r.SetAppear(3, "ON");
             r.HealChannel(3);
             r.SetPriorityChannel("3");
             r.SetOpeningText("HELLO");
             r.SetCloneComment("MY RADIO");
             r.SetVfoTxInhibit("ENABLE");
             r.SetScanMode("PRIO");
         }},
        {"priority on an empty channel",
         [](CM220Radio& r) {
             r.SetPriorityChannel("7");
             r.SetAdjustEnable("ENABLE");
             r.SetChannelSpacing("8.33kHz");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CM220Radio radio;
        radio.NewData();
        if (c.setup)
            c.setup(radio);
        radio.Heal();
        const CChannelPlan plan = CChannelPlan::Build(radio, "plan.vkf");
        ASSERT_EQ(plan.groups.size(), 2u);

        CCommonPage common(&radio);
        CAdvancedPage advanced(&radio);
        common.show();
        advanced.show();
        EXPECT_EQ(Printed(plan.groups[0]), Shown(common));
        EXPECT_EQ(Printed(plan.groups[1]), Shown(advanced));
        EXPECT_EQ(plan.groups[0].title, "Common");
        EXPECT_EQ(plan.groups[1].title, "Advanced");
        EXPECT_EQ(plan.title, "plan.vkf");
        EXPECT_EQ(plan.cloneComment, Trim(radio.GetCloneComment()));
    }
}

TEST(ChannelPlan, ThePageStaysInsideItsMarginsOnAnyPaper) {
    CM220Radio radio;
    radio.NewData();
    for (int n = 1; n <= CM220Radio::kChannelCount; ++n) {
        radio.SetFrequency(n, "136.975");
        radio.SetName(n, "WWWWWWW");
        radio.SetAppear(n, "ON");
        radio.SetTxInhibit(n, "ON");
        radio.SetLockout(n, "ON");
        radio.HealChannel(n);
    }
    radio.SetCloneComment("WWWWWWWWWWWWWWWW");
    const CChannelPlanPrinter printer(CChannelPlan::Build(radio, std::string(200, 'W') + ".vkf"));
    for (QPageSize::PageSizeId size : {QPageSize::A4, QPageSize::Letter, QPageSize::A6}) {
        for (QPageLayout::Orientation orientation :
             {QPageLayout::Portrait, QPageLayout::Landscape}) {
            SCOPED_TRACE(QPageSize::name(size).toStdString() +
                         (orientation == QPageLayout::Portrait ? " portrait" : " landscape"));
            const QPageLayout layout(QPageSize(size), orientation, QMarginsF(10, 10, 10, 10),
                                     QPageLayout::Millimeter);
            constexpr int kDpi = 60;
            const QImage page = printer.Render(layout, kDpi);
            const QRect paint = layout.paintRectPixels(kDpi);
            const QRect full = layout.fullRectPixels(kDpi);
            EXPECT_FALSE(White(page, paint)) << "something is printed";
            // One pixel of slack at the edges for antialiased lines.
            EXPECT_TRUE(White(page, QRect(0, 0, full.width(), paint.top() - 1)));
            EXPECT_TRUE(White(page, QRect(0, paint.bottom() + 2, full.width(),
                                          full.height() - paint.bottom() - 2)));
            EXPECT_TRUE(White(page, QRect(0, 0, paint.left() - 1, full.height())));
            EXPECT_TRUE(White(page, QRect(paint.right() + 2, 0, full.width() - paint.right() - 2,
                                          full.height())));
        }
    }
}

namespace {
class AppPrint : public AppFrameTest {};

int PageCount(const std::string& pdf) {
    int pages = 0;
    for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos;
         at = pdf.find("/Type /Page", at + 1))
        if (pdf.compare(at, 12, "/Type /Pages") != 0)
            ++pages;
    return pages;
}
} // namespace

TEST_F(AppPrint, ExportPdfWritesOnePage) {
    Fill(1, "118.100", "TOWER");
    Fill(2, "121.500", "GUARD");
    SaveAndOpen("plan.vkf");
    const std::string pdf = File("plan.pdf");
    AnswerNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->selectedFiles().value(0).endsWith("/plan.pdf"));
        dialog->selectFile(QString::fromStdString(pdf));
        static_cast<QDialog*>(dialog)->accept();
    });
    Trigger(CommandId::kFileExportPdf);
    const std::string bytes = ReadFileBytes(pdf);
    ASSERT_GT(bytes.size(), 1000u);
    EXPECT_EQ(bytes.substr(0, 4), "%PDF");
    EXPECT_EQ(PageCount(bytes), 1);
    EXPECT_FALSE(doc_->IsModified());
}

TEST_F(AppPrint, APrinterGetsTheSamePage) {
    // The print dialog's printer, printing to a file as "Print to File" does.
    Fill(1, "118.100", "TOWER");
    const std::string pdf = File("printed.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf));
    const CChannelPlanPrinter plan(CChannelPlan::Build(Radio(), "Untitled"));
    ASSERT_TRUE(plan.Print(printer));
    const std::string bytes = ReadFileBytes(pdf);
    EXPECT_EQ(bytes.substr(0, 4), "%PDF");
    EXPECT_EQ(PageCount(bytes), 1);
}

TEST_F(AppPrint, APdfThatCannotBeWrittenIsReported) {
    const CKTM220Doc::FileResult result =
        frame_->PrintCommands().ExportPdf(QString::fromStdString(File("no/such/plan.pdf")));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "The channel plan could not be exported as PDF.");
    EXPECT_TRUE(result.detail.contains("no/such/plan.pdf"));
    EXPECT_EQ(frame_->PrintCommands().DefaultPdfName(), "Untitled.pdf");
}

} // namespace kt
