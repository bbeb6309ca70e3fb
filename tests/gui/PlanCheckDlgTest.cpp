#include "AppFrameFixture.h"

#include "CPlanCheck.h"
#include "CPlanCheckDlg.h"
#include "CommandIds.h"

namespace kt {

namespace {
using PlanCheckDialog = AppFrameTest;
} // namespace

TEST_F(PlanCheckDialog, ListsTheFindingsOfTheDocument) {
    Fill(1, "118.100", "TWR");
    Fill(2, "127.600", "EDDFATI");
    CPlanCheckDlg dialog;
    dialog.SetFindings(CPlanCheck::Run(Radio()));
    ASSERT_EQ(dialog.RowCount(), 2);
    EXPECT_EQ(dialog.Summary(), "2 things to look at:");
    EXPECT_EQ(dialog.CellText(0, 0), "Plan");
    EXPECT_EQ(dialog.CellText(0, 1), "warning");
    EXPECT_TRUE(dialog.CellText(0, 2).startsWith("The emergency frequency 121.500"));
    EXPECT_EQ(dialog.CellText(1, 0), "2");
    EXPECT_TRUE(dialog.CellText(1, 2).contains("\"EDDFATI\" looks like ATIS"));

    Fill(2, "121.500", "GUARD");
    dialog.SetFindings(CPlanCheck::Run(Radio()));
    EXPECT_EQ(dialog.RowCount(), 0);
    EXPECT_EQ(dialog.Summary(), "There is nothing to report.");
}

TEST_F(PlanCheckDialog, TheFileMenuOpensIt) {
    Fill(1, "118.100", "");
    QString summary;
    int rows = -1;
    AnswerNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CPlanCheckDlg*>(modal);
        ASSERT_NE(dialog, nullptr);
        summary = dialog->Summary();
        rows = dialog->RowCount();
        dialog->reject();
    });
    Trigger(CommandId::kFileCheckPlan);
    EXPECT_EQ(summary, "2 things to look at:");
    EXPECT_EQ(rows, 2);
}

} // namespace kt
