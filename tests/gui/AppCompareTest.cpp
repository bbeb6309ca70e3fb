#include "AppFrameFixture.h"

#include "CCompareCommand.h"
#include "CCompareDlg.h"

#include <QMessageBox>

namespace kt {

namespace {
// What the compare window showed, one row of cells after the headings.
std::vector<QStringList> CompareAndClose(CKTM220Doc& doc, QWidget* parent, const QString& path,
                                         QString& summary) {
    std::vector<QStringList> rows;
    AnswerNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CCompareDlg*>(modal);
        ASSERT_NE(dialog, nullptr);
        summary = dialog->Summary();
        QStringList headers;
        for (int c = 0; c < CCompareDlg::kColumns; ++c)
            headers << dialog->HeaderText(c);
        rows.push_back(headers);
        for (int r = 0; r < dialog->RowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < CCompareDlg::kColumns; ++c)
                row << dialog->CellText(r, c);
            rows.push_back(row);
        }
        dialog->reject();
    });
    EXPECT_TRUE(CCompareCommand(doc, parent).CompareWith(path));
    return rows;
}

using AppCompare = AppFrameTest;
} // namespace

// The document "mine.vkf" with channel 5 named APP, against a file that names
// it DEP, and against itself.
TEST_F(AppCompare, ListsTheChannelNameThatDiffers) {
    Fill(5, "119.100", "APP");
    SaveAndOpen("mine.vkf");
    CM220Radio other;
    other.NewData();
    ASSERT_TRUE(CKTM220Doc::LoadDataFile(other, doc_->GetPathName()).ok);
    other.SetName(5, "DEP");
    other.HealChannel(5);
    other.SaveDataFile(File("other.vkf"));

    QString summary;
    const auto rows =
        CompareAndClose(*doc_, frame_.get(), QString::fromStdString(File("other.vkf")), summary);
    ASSERT_EQ(rows.size(), 2u) << summary.toStdString();
    EXPECT_EQ(rows[0],
              QStringList({"Channel", "Property", "This document (mine.vkf)", "other.vkf"}));
    EXPECT_EQ(rows[1], QStringList({"CH 5", "Name", "APP", "DEP"}));
    EXPECT_EQ(summary, "1 difference between this document (mine.vkf) and other.vkf:");

    EXPECT_EQ(CompareAndClose(*doc_, frame_.get(), doc_->GetPathName(), summary).size(), 1u);
    EXPECT_EQ(summary, "The two images are the same.");
}

// A file that does not load is said as Open says it, and the document stays
// exactly as it was.
TEST_F(AppCompare, AFileThatDoesNotLoadChangesNothing) {
    Fill(7, "127.000", "SEVEN");
    const std::string before = DocumentBytes(*doc_);
    const std::string broken = File("broken.vkf");
    WriteFileBytes(broken, "hello\r\n");
    struct Case {
        std::string path;
        const char* message;
    };
    for (const Case& c : {Case{broken, "Unexpected file format."},
                          Case{File("missing.vkf"), "Failed to open document."}}) {
        SCOPED_TRACE(c.path);
        SeenBox box;
        AnswerNextBox(box, QMessageBox::Ok);
        EXPECT_FALSE(
            CCompareCommand(*doc_, frame_.get()).CompareWith(QString::fromStdString(c.path)));
        ASSERT_TRUE(box.shown);
        EXPECT_EQ(box.text, c.message);
        EXPECT_TRUE(box.informativeText.contains(QString::fromStdString(c.path)));
    }
    EXPECT_EQ(DocumentBytes(*doc_), before);
    EXPECT_TRUE(doc_->IsModified());
    EXPECT_EQ(doc_->GetTitle(), "Untitled");
}

} // namespace kt
