#include "CAppResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void RegisterResources() {
    Q_INIT_RESOURCE(kt_m220);
}

namespace kt {

void InitAppResources() {
    static const bool done = [] {
        RegisterResources();
        return true;
    }();
    (void)done;
}

} // namespace kt
