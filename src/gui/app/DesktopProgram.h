#pragma once

#include <functional>

namespace kt {

class CKTM220App;

// The desktop program from its command line to its exit status: the
// application object, the termination signals and the event loop. started
// runs once the program is up, before the event loop (a test's child process
// puts its document in the state it needs there).
int RunDesktopProgram(int argc, char** argv, const std::function<void(CKTM220App&)>& started = {});

} // namespace kt
