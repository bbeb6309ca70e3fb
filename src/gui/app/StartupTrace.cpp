#include "StartupTrace.h"

#include <QAbstractEventDispatcher>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace kt {

namespace {
bool gTracing = false;
QElapsedTimer gClock;
// Marks the first expose event of a window, then the next time the event
// loop waits, and goes.
class ExposeWatch : public QObject {
public:
    explicit ExposeWatch(QWindow* window) : QObject(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && !exposed_) {
            exposed_ = true;
            StartupTrace::Mark("first expose of the main window");
            watched->removeEventFilter(this);
            if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
                connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
                    StartupTrace::Mark("event loop idle after the first expose");
                    deleteLater();
                });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool exposed_ = false;
};
} // namespace

void StartupTrace::Begin() {
    gTracing = std::getenv("KT_M220_TRACE_STARTUP") != nullptr;
    if (!gTracing)
        return;
    gClock.start();
    // A launcher that sets KT_LAUNCH_NS (nanoseconds since the epoch) learns
    // how long the program took to reach main: loading and linking.
    if (const char* launched = std::getenv("KT_LAUNCH_NS")) {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        const long long ns = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
        std::fprintf(stderr, "startup: %7.2f ms  main reached after launch\n",
                     static_cast<double>(ns - std::atoll(launched)) / 1e6);
    }
}

void StartupTrace::Mark(const char* step) {
    if (!gTracing)
        return;
    // The process's processor time beside the wall clock: it does not grow
    // while other programs have the processor.
    timespec cpu{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    std::fprintf(stderr, "startup: %7.2f ms  (processor %7.2f ms)  %s\n",
                 static_cast<double>(gClock.nsecsElapsed()) / 1e6,
                 static_cast<double>(cpu.tv_sec) * 1e3 + static_cast<double>(cpu.tv_nsec) / 1e6,
                 step);
}

void StartupTrace::WatchFirstExpose(QWidget* window) {
    if (gTracing && window->windowHandle())
        new ExposeWatch(window->windowHandle()); // the window's child; goes when done
}

} // namespace kt
