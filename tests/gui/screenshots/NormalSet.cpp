#include "ScreenshotSets.h"

#include "CAboutDlg.h"
#include "CCloneProgressDlg.h"
#include "CDemoTransceiver.h"
#include "CHelpWindow.h"
#include "CKTM220Doc.h"
#include "CKTM220View.h"
#include "CMainFrame.h"
#include "CPortDevicesDlg.h"
#include "CSplashDlg.h"
#include "SimProcess.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

namespace kt {

namespace {
// Runs shoot on the first modal window that comes while the timer lives,
// from inside the modal's own event loop.
class ModalCatcher {
public:
    explicit ModalCatcher(std::function<void(QWidget*)> shoot) {
        QObject::connect(&timer_, &QTimer::timeout, [this, shoot] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                timer_.stop();
                shoot(modal);
            }
        });
        timer_.start(5);
    }

private:
    QTimer timer_;
};
} // namespace

void ScreenshotSets::RenderNormal(const QString& folder, const QString& work,
                                  QStringList& failures) {
    const auto save = [&](QWidget* widget, const char* name) {
        if (!Save(widget, folder, name))
            failures << QString::fromLatin1(name);
    };
    const QString image = QDir(work).filePath(QStringLiteral("demo.vkf"));
    if (!CDemoTransceiver::WriteDemoImage(image)) {
        failures << QStringLiteral("the demonstration image could not be written");
        return;
    }
    // A paced line, so that the progress dialog is there long enough to be seen.
    SimProcess sim(
        {"--image", image.toStdString(), "--slow", "1", "--comment", CDemoTransceiver::kComment});
    if (sim.Device().empty()) {
        failures << QStringLiteral("the virtual transceiver did not start");
        return;
    }

    CKTM220Doc doc;
    CMainFrame frame(doc);
    doc.OnNewDocument();
    doc.SetDemoDevice(doc.PortNumber(), QString::fromStdString(sim.Device()));
    frame.resize(720, 480);
    frame.show();

    // The read, with the progress dialog caught half way.
    bool progressSaved = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* progress = qobject_cast<CCloneProgressDlg*>(w))
                if (progress->isVisible() && progress->Pos() >= 50 && !progressSaved) {
                    progressSaved = Save(progress, folder, "progress.png");
                    watch.stop();
                }
    });
    watch.start(5);
    if (doc.OnCloneRead() != 0)
        failures << QStringLiteral("the read from the virtual transceiver");
    watch.stop();
    if (!progressSaved)
        failures << QStringLiteral("progress.png");
    frame.View()->SelectChannel(3);
    save(&frame, "main-window.png");
    RenderEditing(frame, doc, folder, failures);

    {
        ModalCatcher information([&](QWidget* modal) {
            save(modal, "information.png");
            modal->close();
        });
        if (doc.OnCloneInformation() != 0)
            failures << QStringLiteral("information.png");
    }

    RenderAboutBannerAndPorts(frame, folder, failures, QString::fromStdString(sim.Device()));

    frame.OnHelpContents();
    if (CHelpWindow* help = frame.HelpWindow()) {
        save(help, "help.png");
        help->close();
    } else {
        failures << QStringLiteral("help.png");
    }
}

} // namespace kt
