#include "AppTestSupport.h"

#include "CDemoTransceiver.h"
#include "CKTM220Doc.h"
#include "CKTM220View.h"
#include "CMainFrame.h"
#include "RecordingCloneUi.h"

#include <QSignalSpy>

namespace kt {

TEST_F(AppTest, TheDemoTransceiverAnswersOnTheCurrentPort) {
    // kt-m220-sim is looked for beside the program, then on the PATH.
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray(KT_BINARY_DIR "/src/sim:") + path);
    CKTM220Doc doc;
    CMainFrame frame(doc);
    doc.OnNewDocument();
    RecordingCloneUi ui;
    doc.SetCloneUi(&ui);
    doc.SetPortNumber(2);

    CDemoTransceiver demo;
    QSignalSpy ready(&demo, &CDemoTransceiver::Ready);
    QSignalSpy failed(&demo, &CDemoTransceiver::Failed);
    demo.Start();
    qputenv("PATH", path);
    ASSERT_TRUE(ready.wait(10000)) << failed.value(0).value(0).toString().toStdString();
    EXPECT_TRUE(demo.Device().startsWith("/dev/"));
    doc.SetDemoDevice(doc.PortNumber(), demo.Device());

    EXPECT_EQ(doc.OnCloneRead(), 0);
    EXPECT_EQ(frame.View()->CellText(2, 3), "TOWER");
    EXPECT_EQ(frame.View()->CellText(3, 2), "121.500");
    EXPECT_EQ(doc.OnCloneInformation(), 0);
    ASSERT_EQ(ui.Informations().size(), 1u);
    EXPECT_EQ(ui.Informations()[0].second, CDemoTransceiver::kComment);
    EXPECT_EQ(doc.PortDevice(2), "") << "the demonstration is not kept in the settings";
}

} // namespace kt
