#include "ScopedEnv.h"
#include "TempDir.h"

namespace kt {

namespace {
// The command line keeps a backup of every image it reads from or writes to
// the transceiver, under the user's data folder. These tests run it against
// the virtual transceiver again and again: their backups go into a private
// folder that is removed at the end, never into the home folder of whoever
// runs the tests.
struct PrivateDataHome {
    TempDir dir;
    ScopedEnv env{"XDG_DATA_HOME", dir.Path().c_str()};
};
const PrivateDataHome kPrivateDataHome;
} // namespace

} // namespace kt
