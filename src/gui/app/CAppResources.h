#pragma once

namespace kt {

// Makes the program's compiled-in resources (icons, help pages) available.
// The resources live in a static library, so they are registered explicitly;
// calling it more than once is harmless.
void InitAppResources();

} // namespace kt
