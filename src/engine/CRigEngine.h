#pragma once

#include <string>
#include <string_view>

// The engine: it owns the 512-byte memory image and everything decoded from
// it, and is the only thing that reads or changes them. Everything else hands
// it a command text and gets an answer text back; an empty answer means that
// no handler understood the command. Command never throws.
class CRigEngine {
public:
    CRigEngine();
    virtual ~CRigEngine();
    CRigEngine(const CRigEngine&) = delete;
    CRigEngine& operator=(const CRigEngine&) = delete;

    std::string Command(std::string_view command) noexcept;

    static constexpr int ModelNumber() { return 2270; }
    static constexpr int RevisionNumber() { return 100; }
};
