#pragma once

#include "CCloneComm.h"
#include "ICloneUi.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kt {

// The clone engine on a line made of fuzz bytes. What the port receives is,
// in this order, the echo of what the program wrote (when the cable echoes)
// and then the fuzz bytes; when both have run out, nothing more arrives.
// Time passes only while nothing arrives (one second per idle pass) and the
// fixed pauses take no time, so that an exchange ends at once when its line
// falls silent.
//
// The first input byte sets the line up: bit 0, the cable echoes; bits 1-7,
// when not 0, the pass of the exchange loop at which the user cancels.
class CFuzzClonePort : public CCloneComm {
public:
    explicit CFuzzClonePort(std::string_view input);
    ~CFuzzClonePort() override;

    CFileDescriptor OpenPort(const std::string& name, unsigned baud) override;
    void ClosePort(CFileDescriptor port) override;
    bool Write(const std::uint8_t* bytes, std::size_t count) override;
    bool Read(std::uint8_t* buffer, std::size_t maximum, std::size_t& count) override;
    bool Flush() override { return true; }

    // The frames the program wrote, each whole.
    const std::vector<std::vector<std::uint8_t>>& Written() const { return written_; }
    int Opens() const { return opens_; }

protected:
    long NowSeconds() const override { return seconds_; }
    void Wait(int /*ms*/) override {}

private:
    // Stands in for the progress dialog: never shown as a window, it only
    // passes the cancel on at the chosen pass.
    class CCancelUi : public ICloneUi {
    public:
        explicit CCancelUi(unsigned cancelAtPass) : cancelAtPass_(cancelAtPass) {}
        void SetStatusText(const std::string&) override {}
        bool BeginProgress() override { return true; }
        void SetProgress(int percent) override;
        bool CheckCancel() override { return cancelAtPass_ != 0 && ++passes_ == cancelAtPass_; }
        void EndProgress() override {}
        void MessageBox(const std::string&, const std::string&) override {}
        bool AskOkCancel(const std::string&, const std::string&) override { return true; }
        void BeginWaitCursor() override {}
        void EndWaitCursor() override {}
        void Beep(int, int) override {}
        void Pause(int) override {}
        void ShowInformation(const std::string&, const std::string&) override {}

    private:
        unsigned cancelAtPass_;
        unsigned passes_ = 0;
    };

    std::string_view line_;
    bool echoes_ = false;
    std::vector<std::uint8_t> echo_;
    std::size_t echoRead_ = 0;
    std::vector<std::vector<std::uint8_t>> written_;
    long seconds_ = 1000;
    int opens_ = 0;
    CCancelUi ui_;
};

} // namespace kt
