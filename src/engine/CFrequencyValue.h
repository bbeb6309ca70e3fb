#pragma once

#include <string>

namespace kt {

// A frequency in whole hertz; 0 means no frequency. It is shown in megahertz
// with three decimals ("118.012"); the hertz below a kilohertz are not shown.
class CFrequencyValue {
public:
    // The largest frequency a value holds: 2000 MHz.
    static constexpr long kMaxHz = 2000000000;

    // Negative values become 0, values above kMaxHz become kMaxHz.
    void SetHz(long long hz);
    long Hz() const { return hz_; }
    // "%ld.%03ld": whole megahertz, then the kilohertz within the megahertz.
    std::string Text() const;
    // Reads a frequency in megahertz ("118.0125", "  136.975"). A text that
    // holds no number leaves the value unchanged; answers whether it held one.
    bool Parse(const std::string& text);

    // Answers the value part of a command. ByNumber exchanges hertz ("%ld"),
    // the other forms megahertz text.
    std::string Command(const std::string& valuePart);

private:
    long hz_ = 0;
};

} // namespace kt
