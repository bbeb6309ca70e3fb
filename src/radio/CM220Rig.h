#pragma once

#include "CRigEngine.h"

namespace kt {

// The engine of the VR-M220 as an object of its own. Nothing in the program
// makes one except CM220Radio::CreateRig.
class CM220Rig : public CRigEngine {
public:
    const char* RuntimeClassName() const { return "CM220Rig"; }
};

} // namespace kt
