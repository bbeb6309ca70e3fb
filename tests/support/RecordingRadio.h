#pragma once

#include "CM220Radio.h"

#include <string>
#include <vector>

namespace kt {

// A VR-M220 radio data object that records every command it sends to its
// engine (and still sends it, so that answers are real).
class RecordingRadio : public CM220Radio {
public:
    std::string Command(std::string_view command) override {
        commands.emplace_back(command);
        return CM220Radio::Command(command);
    }
    std::vector<std::string> commands;
};

} // namespace kt
