#pragma once

#include "AppTestSupport.h"
#include "CChannelRow.h"
#include "CDocumentCommands.h"
#include "CKTM220Doc.h"
#include "CKTM220View.h"
#include "CMainFrame.h"

#include <QAction>
#include <memory>
#include <string>

namespace kt {

// A document and its main window for the tests of the document's commands:
// the channel list, undo and redo, channel lists, backups and printing.

class AppFrameTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        doc_ = std::make_unique<CKTM220Doc>();
        frame_ = std::make_unique<CMainFrame>(*doc_);
        doc_->OnNewDocument();
    }
    void TearDown() override {
        frame_.reset();
        doc_.reset();
        AppTest::TearDown();
    }

    CM220Radio& Radio() { return doc_->GetRadio(); }
    CDocumentCommands& Commands() { return frame_->DocumentCommands(); }
    CKTM220View& View() { return *frame_->View(); }
    void Trigger(int commandId) { frame_->Action(commandId)->trigger(); }
    bool Enabled(int commandId) { return frame_->Action(commandId)->isEnabled(); }

    // Puts a channel in use straight through the radio, as a file would.
    void Fill(int n, const char* frequency, const char* name) {
        Radio().SetFrequency(n, frequency);
        Radio().SetName(n, name);
        Radio().SetAppear(n, "ON");
        Radio().HealChannel(n);
    }

    // Saves the contents as a data file and opens it: an unmodified document
    // with a fresh history.
    void SaveAndOpen(const std::string& name) {
        const QString path = QString::fromStdString(File(name));
        ASSERT_TRUE(doc_->OnSaveDocument(path).ok);
        ASSERT_TRUE(doc_->OnOpenDocument(path).ok);
    }

    // Whether every cell of the list shows what the radio holds now.
    ::testing::AssertionResult ListShowsTheRadio() {
        for (int n = 1; n <= CKTM220View::kRowCount; ++n) {
            const CChannelRow row = CChannelRow::Build(Radio(), n);
            for (int c = 0; c < CChannelRow::kColumns; ++c) {
                const QString expected =
                    QString::fromLatin1(row.cells[static_cast<std::size_t>(c)]);
                if (View().CellText(n, c) != expected)
                    return ::testing::AssertionFailure()
                           << "channel " << n << " column " << c << " shows \""
                           << View().CellText(n, c).toStdString() << "\", not \""
                           << expected.toStdString() << "\"";
            }
        }
        return ::testing::AssertionSuccess();
    }

    std::unique_ptr<CKTM220Doc> doc_;
    std::unique_ptr<CMainFrame> frame_;
};

} // namespace kt
