#pragma once

class QWidget;

namespace kt {

// Marks of the desktop program's start-up, for finding where its time goes.
// With KT_M220_TRACE_STARTUP set in the environment, each mark prints
// "startup: <ms since main> ms  <step>" on standard error; without it, a mark
// costs one test of a flag.
namespace StartupTrace {

// Starts the clock; called first thing in main.
void Begin();
void Mark(const char* step);
// Marks the first time the window is exposed on the screen and the first time
// the event loop is idle after it.
void WatchFirstExpose(QWidget* window);

} // namespace StartupTrace

} // namespace kt
