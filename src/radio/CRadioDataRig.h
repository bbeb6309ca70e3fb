#pragma once

#include "CRadioData.h"

#include <memory>
#include <string>
#include <string_view>

namespace kt {

class CRigEngine;

// The radio data object that owns an engine and carries out the data
// operations by sending command texts to it. Command is the one way the
// channel list, the dialogs and the settings pages reach the engine.
class CRadioDataRig : public CRadioData {
public:
    CRadioDataRig();
    ~CRadioDataRig() override;

    const char* RuntimeClassName() const override { return "CRadioDataRig"; }
    void InitializeData() override;
    bool SaveFile(const std::string& path) override;
    bool LoadFile(const std::string& path) override;
    void OnFileLoaded() override {}
    void SaveTemp() override;
    void LoadTemp() override;
    void OnTempLoaded() override {}
    bool IsModified() override;
    void SetModified(int modified) override;

    // Hands the text to the engine and returns its answer unchanged; empty
    // when no handler knew the command.
    virtual std::string Command(std::string_view command);

    // The save and load commands for a path: the path between double quotes.
    static std::string SaveCommand(const std::string& path);
    static std::string LoadCommand(const std::string& path);

protected:
    void ReplaceEngine(std::unique_ptr<CRigEngine> engine);

private:
    std::unique_ptr<CRigEngine> engine_;
};

} // namespace kt
