#include "CAddAirportDlg.h"
#include "CAirportData.h"
#include "CM220Radio.h"
#include "CUpdateAirportDataDlg.h"
#include "LocalHttpServer.h"
#include "ScopedEnv.h"
#include "TempDir.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace kt {

TEST(AddAirportDlg, ListsTheAirportAndAddsTheTickedFrequencies) {
    CM220Radio radio;
    radio.NewData();
    CAddAirportDlg dialog(radio, 3);
    dialog.SetSpacingAnswer(0);
    // What the table and the messages say is shown as it stands.
    for (const char* label : {"dataLabel", "statusLabel"})
        EXPECT_EQ(dialog.findChild<QLabel*>(label)->textFormat(), Qt::PlainText) << label;
    dialog.findChild<QLineEdit*>("searchEdit")->setText(QStringLiteral("EDDF"));
    auto* table = dialog.findChild<QTableWidget*>("frequencyTable");
    ASSERT_GT(table->rowCount(), 10);
    // Tick only the towers; rename the first.
    int towers = 0;
    for (int row = 0; row < table->rowCount(); ++row) {
        const bool tower = table->item(row, 1)->text() == QStringLiteral("EDDF TWR");
        table->item(row, 0)->setCheckState(tower ? Qt::Checked : Qt::Unchecked);
        if (tower && towers++ == 0) {
            EXPECT_EQ(table->item(row, 5)->text(), QStringLiteral("EDDFTWR"));
            EXPECT_EQ(table->item(row, 6)->text(),
                      QStringLiteral("needs the 8.33kHz or 25k/8.33kHz spacing"));
            table->item(row, 5)->setText(QStringLiteral("south"));
        }
    }
    ASSERT_EQ(towers, 3);

    // No to the combined spacing: nothing is added, the dialog stays.
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(radio.IsChannelEmpty(3));

    dialog.SetSpacingAnswer(1);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Result().channels, (std::vector<int>{3, 4, 5}));
    EXPECT_EQ(radio.GetChannelSpacing(), "25k/8.33kHz");
    EXPECT_EQ(radio.GetName(3), "SOUTH");
    EXPECT_EQ(radio.GetFrequency(3), "119.905");
    EXPECT_EQ(radio.GetName(4), "EDDFTW2");
    EXPECT_EQ(radio.GetFrequency(5), "136.500");
}

TEST(UpdateAirportDataDlg, DownloadsWithProgressAndSaysWhenItCannot) {
    TempDir home;
    const ScopedEnv data("XDG_DATA_HOME", home.Path().c_str());
    // The download runs in kt-m220-cli, looked for beside the program, then on
    // the PATH.
    const ScopedEnv path(
        "PATH", (KT_BINARY_DIR "/src/cli:" + qEnvironmentVariable("PATH")).toStdString().c_str());
    std::string table = "id,airport_ref,airport_ident,type,description,frequency_mhz\n";
    for (int i = 0; i < 10000; ++i)
        table += std::to_string(i) + ",1,\"ZZ" + std::to_string(i) + "\",\"TWR\",,122.8\n";
    {
        LocalHttpServer server(200, table);
        CUpdateAirportDataDlg dialog;
        QSignalSpy finished(&dialog, &CUpdateAirportDataDlg::Finished);
        dialog.SetUrl(QString::fromStdString(server.Url()));
        dialog.StartUpdate();
        EXPECT_TRUE(dialog.IsRunning());
        ASSERT_TRUE(finished.wait(10000));
        EXPECT_TRUE(dialog.Result().ok) << dialog.Result().message;
        EXPECT_EQ(dialog.Result().path, CAirportData::UserPath());
    }
    std::string url;
    {
        LocalHttpServer gone(200, "");
        url = gone.Url();
    }
    // The address is the user's text and comes back in the reason: it is
    // shown as it stands, never read as markup.
    CUpdateAirportDataDlg dialog;
    QSignalSpy finished(&dialog, &CUpdateAirportDataDlg::Finished);
    dialog.SetUrl(QString::fromStdString(url + "/<b>table</b>"));
    dialog.StartUpdate();
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_FALSE(dialog.Result().ok);
    EXPECT_NE(dialog.Result().message.find("offline"), std::string::npos)
        << dialog.Result().message;
    EXPECT_FALSE(dialog.IsRunning());
    const auto* status = dialog.findChild<QLabel*>(QStringLiteral("statusLabel"));
    ASSERT_NE(status, nullptr);
    EXPECT_TRUE(status->text().contains(QStringLiteral("<b>table</b>")))
        << status->text().toStdString();
    EXPECT_EQ(status->textFormat(), Qt::PlainText);
}

// The dialog as the README shows it; run by hand with KT_SCREENSHOT_DIR set
// and --gtest_also_run_disabled_tests.
TEST(AddAirportDlg, DISABLED_Screenshot) {
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("KT_SCREENSHOT_DIR"));
    CM220Radio radio;
    radio.NewData();
    radio.SetChannelSpacing("25k/8.33kHz");
    CAddAirportDlg dialog(radio, 2);
    dialog.findChild<QLineEdit*>("searchEdit")->setText(QStringLiteral("EDDF"));
    dialog.resize(900, 520);
    dialog.show();
    QCoreApplication::processEvents();
    const QString path =
        QDir(qEnvironmentVariable("KT_SCREENSHOT_DIR")).filePath(QStringLiteral("add-airport.png"));
    EXPECT_TRUE(dialog.grab().save(path));
}

} // namespace kt
