#pragma once

#include "CRadioDataRig.h"

#include <string>

namespace kt {

// The radio data object of the VR-M220. It carries the transceiver's identity
// and typed operations that build the channel, clone-comment and setting
// commands, so that the user interface never assembles a command key itself.
// Each operation sends its command through Command and returns the answer.
class CM220Radio : public CRadioDataRig {
public:
    static constexpr unsigned kModelCode = 0x2270;
    static constexpr unsigned kRevisionCode = 0x0100;
    static constexpr int kChannelCount = 20;

    CM220Radio();

    const char* RuntimeClassName() const override { return "CM220Radio"; }
    bool AcceptIdentity(const CIdentityRecord& /*identity*/) override { return true; }
    std::string GetModelName() const override { return "VR-M220"; }
    std::string GetModelComment() const override;
    // True when the record names this model and revision. Without checkOnly a
    // matching record's data is taken over, and the result is false.
    bool CheckIdentity(const CIdentityRecord& identity, bool checkOnly) override;
    void ResetIdentity() override;
    // Makes a CM220Rig and takes it as the engine.
    void CreateRig();

    // "CH.MCH.n." for 1 <= n <= 20, otherwise the empty text.
    static std::string ChannelPrefix(int n);

    // Channels.
    std::string Heal();
    std::string HealChannel(int n);
    std::string GetLegalMark(int n); // "?" when the frequency is not legal
    std::string GetAppear(int n);
    std::string GetFrequency(int n);
    std::string GetName(int n);
    std::string GetTxInhibit(int n);
    std::string GetLockout(int n);
    std::string SetAppear(int n, const std::string& value);
    std::string SetFrequency(int n, const std::string& value);
    std::string SetName(int n, const std::string& value);
    std::string SetTxInhibit(int n, const std::string& value);
    std::string SetLockout(int n, const std::string& value);
    bool IsChannelEmpty(int n);

    // Channel edits; check asks whether the edit may be made without making it.
    bool CopyChannel(int n, bool check);
    bool ClearChannel(int n, bool check);
    // 1 when "OK", 0 when "NG", 2 for any other answer ("WARNING").
    int PasteChannel(int n, bool check);
    int DeleteChannel(int n, bool check);
    int InsertChannel(int n, bool check);

    // Common settings.
    std::string GetCloneComment();
    std::string SetCloneComment(const std::string& value);
    std::string GetBeep();
    std::string SetBeep(const std::string& value);
    std::string GetBeepUpDownKey();
    std::string SetBeepUpDownKey(const std::string& value);
    std::string GetSideTone();
    std::string SetSideTone(const std::string& value);
    std::string GetScanFunction();
    std::string SetScanFunction(const std::string& value);
    std::string GetHangerScan();
    std::string SetHangerScan(const std::string& value);
    std::string GetIndicationMode();
    std::string SetIndicationMode(const std::string& value);
    std::string GetLcdBacklight();
    std::string SetLcdBacklight(const std::string& value);
    std::string GetLcdDimmer();
    std::string SetLcdDimmer(const std::string& value);
    std::string GetScanMode();
    std::string SetScanMode(const std::string& value);
    std::string GetPriorityChannel();
    // Switches priority scanning off for a value that is not a channel number
    // ("Off"), on otherwise, then sends the value as the priority channel.
    std::string SetPriorityChannel(const std::string& value);
    std::string GetPriorityScan();
    std::string SetPriorityScan(const std::string& value);
    // An empty opening text travels as the single byte 0xFF.
    std::string GetOpeningText();
    std::string SetOpeningText(const std::string& value);
    std::string GetAdjustEnable();
    std::string SetAdjustEnable(const std::string& value);
    std::string GetChannelSpacing();
    std::string SetChannelSpacing(const std::string& value);
    std::string GetVfoModeEnable();
    std::string SetVfoModeEnable(const std::string& value);
    std::string GetMemoryWriteEnable();
    std::string SetMemoryWriteEnable(const std::string& value);
    std::string GetVfoTxInhibit();
    std::string SetVfoTxInhibit(const std::string& value);

private:
    std::string Get(const char* key);
    std::string Set(const char* key, const std::string& value);
    std::string ChannelCommand(int n, const char* item);
    int ThreeWayAnswer(int n, bool check, const char* checked, const char* plain);
};

} // namespace kt
