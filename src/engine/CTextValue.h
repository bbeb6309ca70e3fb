#pragma once

#include <string>

namespace kt {

// A text of bounded length. In channel-name mode (1) letters become upper case
// and every character the transceiver cannot show becomes a blank; in mode 0
// every byte passes. The text is padded with blanks to the minimum length.
class CTextValue {
public:
    static constexpr int kModeAny = 0;
    static constexpr int kModeChannelName = 1;
    static constexpr int kMaxLength = 256;

    CTextValue() { SetLimits(1, 1); }

    // minimum = smaller (at least 1), maximum = larger (at most 256); the text
    // becomes maximum-many blanks.
    void SetLimits(int a, int b);
    void SetMode(int mode);
    int Mode() const { return mode_; }
    int MinLength() const { return min_; }
    int MaxLength() const { return max_; }

    // The text up to its first zero byte and at most maximum-many bytes, normalised.
    void Set(const std::string& text);
    const std::string& Get() const { return text_; }

    // Answers the value part of a command with the text; every form sets the text.
    std::string Command(const std::string& valuePart);

private:
    void Normalize();

    int min_ = 1;
    int max_ = 1;
    int mode_ = kModeChannelName;
    std::string text_;
};

} // namespace kt
