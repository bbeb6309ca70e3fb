#include "CCloneComm.h"
#include "CCloneCommands.h"
#include "CM220Radio.h"
#include "CloneMessages.h"
#include "RecordingCloneUi.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace kt {

// Write asks its question with what the write will change, as the front end
// tells it, before anything is sent; Read's question carries no such list.
TEST(CloneWriteQuestion, TheDetailComesWithTheQuestionBeforeAnythingIsSent) {
    TempDir dir;
    CM220Radio radio;
    radio.NewData();
    RecordingCloneUi ui;
    CCloneComm comm;
    comm.SetUi(&ui);
    comm.SetPortDevice(dir.File("no-such-device"));
    std::size_t eventsBefore = 0;
    CCloneCommands::Document document;
    document.isModified = [] { return true; };
    document.writeDetail = [&] {
        EXPECT_EQ(ui.Events().size(), eventsBefore) << "told before anything else happens";
        return std::string("This write changes:\n  CH 5 Name: APP -> DEP");
    };
    CCloneCommands commands(radio, comm, ui, dir.File("clone.vkf"), document);

    ui.AnswerNext(false);
    EXPECT_EQ(commands.Write(), CCloneCommands::kDeclined);
    EXPECT_EQ(ui.Events(), std::vector<std::string>{"ask: " + std::string(CloneText::kAskWrite)})
        << "Cancel sends nothing";
    EXPECT_EQ(ui.QuestionDetails().back(), "This write changes:\n  CH 5 Name: APP -> DEP");

    // OK goes on to the exchange, here to a port that cannot be opened.
    eventsBefore = ui.Events().size();
    EXPECT_EQ(commands.Write(), CloneOutcome::kPortFailed);
    ui.AnswerNext(false);
    EXPECT_EQ(commands.Read(), CCloneCommands::kDeclined);
    EXPECT_EQ(ui.QuestionDetails(),
              (std::vector<std::string>{"This write changes:\n  CH 5 Name: APP -> DEP",
                                        "This write changes:\n  CH 5 Name: APP -> DEP", ""}));
    comm.SetUi(nullptr);
}

} // namespace kt
