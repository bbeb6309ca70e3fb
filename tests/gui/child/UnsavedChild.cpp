#include "CKTM220App.h"
#include "CKTM220Doc.h"
#include "CM220Radio.h"
#include "CMainFrame.h"
#include "DesktopProgram.h"

#include <QTimer>
#include <cstdio>

// The desktop program for the tests that run it as a process of its own.
// By default it gets an unsaved change (channel 1 becomes 121.500 "KEPT"),
// then prints "ready": the program runs and its signals are taken. With
// KT_CHILD_WATCH_FRAME set it changes nothing and prints "framed L T W H"
// (the whole window's rectangle) once the window manager has put its frame
// round the window and the restored size has taken it in, or "unframed"
// after 20 s without one. With KT_CHILD_REPORT_OPENED set it changes nothing,
// prints "ready", then "opened TITLE" for each file the document opens.
int main(int argc, char** argv) {
    return RunDesktopProgram(argc, argv, [](CKTM220App& app) {
        if (!qEnvironmentVariableIsEmpty("KT_CHILD_REPORT_OPENED")) {
            CKTM220Doc* doc = app.Document();
            QObject::connect(doc, &CKTM220Doc::StateChanged, doc,
                             [doc, last = QString()]() mutable {
                                 if (doc->GetPathName().isEmpty() || doc->GetPathName() == last)
                                     return;
                                 last = doc->GetPathName();
                                 std::printf("opened %s\n", qPrintable(doc->GetTitle()));
                                 std::fflush(stdout);
                             });
            std::puts("ready");
            std::fflush(stdout);
            return;
        }
        if (qEnvironmentVariableIsEmpty("KT_CHILD_WATCH_FRAME")) {
            CM220Radio& radio = app.Document()->GetRadio();
            radio.SetFrequency(1, "121.500");
            radio.SetName(1, "KEPT");
            radio.SetAppear(1, "ON");
            radio.HealChannel(1);
            std::puts("ready");
            std::fflush(stdout);
            return;
        }
        CMainFrame* frame = app.MainFrame();
        const QSize wanted = frame->frameGeometry().size();
        auto* watch = new QTimer(frame);
        auto* deadline = new QTimer(frame);
        deadline->setSingleShot(true);
        QObject::connect(watch, &QTimer::timeout, frame, [frame, wanted, watch, deadline] {
            const QRect outside = frame->frameGeometry();
            if (outside == frame->geometry() || outside.size() != wanted)
                return;
            watch->stop();
            deadline->stop();
            std::printf("framed %d %d %d %d\n", outside.x(), outside.y(), outside.width(),
                        outside.height());
            std::fflush(stdout);
        });
        QObject::connect(deadline, &QTimer::timeout, frame, [watch] {
            watch->stop();
            std::puts("unframed");
            std::fflush(stdout);
        });
        watch->start(20);
        deadline->start(20000);
    });
}
