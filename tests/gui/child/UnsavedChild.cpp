#include "CKTM220App.h"
#include "CKTM220Doc.h"
#include "CLockKeyWatch.h"
#include "CM220Radio.h"
#include "CMainFrame.h"
#include "DesktopProgram.h"

#include <QGuiApplication>
#include <QTimer>

using namespace kt;

// The XKB header names a field "explicit", which C++ reserves.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit
#include <cstdio>

// The desktop program for the tests that run it as a process of its own.
// By default it gets an unsaved change (channel 1 becomes 121.500 "KEPT"),
// then prints "ready": the program runs and its signals are taken. With
// KT_CHILD_WATCH_FRAME set it changes nothing and prints "framed L T W H"
// (the whole window's rectangle) once the window manager has put its frame
// round the window and the restored size has taken it in, or "unframed"
// after 20 s without one. With KT_CHILD_REPORT_OPENED set it changes nothing,
// prints "ready", then "opened TITLE" for each file the document opens.
// With KT_CHILD_LOCK_CAPS set (on X11) it prints "locks C N S" for the lock
// keys it shows, locks Caps Lock through XKB as a key press would, and prints
// "locks C N S" again each time the shown state changes.
int main(int argc, char** argv) {
    return RunDesktopProgram(argc, argv, [](CKTM220App& app) {
        if (!qEnvironmentVariableIsEmpty("KT_CHILD_LOCK_CAPS")) {
            auto* watch = app.MainFrame()->findChild<CLockKeyWatch*>();
            auto print = [](const CLockKeyState& s) {
                std::printf("locks %d %d %d\n", s.caps, s.num, s.scroll);
                std::fflush(stdout);
            };
            print(watch->State());
            QObject::connect(watch, &CLockKeyWatch::Changed, watch, print);
            auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
            xcb_xkb_latch_lock_state(x11->connection(), XCB_XKB_ID_USE_CORE_KBD, XCB_MOD_MASK_LOCK,
                                     XCB_MOD_MASK_LOCK, 0, 0, 0, 0, 0);
            xcb_flush(x11->connection());
            return;
        }
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
