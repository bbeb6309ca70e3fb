#include "CRigEngine.h"

// Placeholder until the handlers arrive.
CRigEngine::CRigEngine() = default;
CRigEngine::~CRigEngine() = default;
std::string CRigEngine::Command(std::string_view) noexcept { return {}; }
