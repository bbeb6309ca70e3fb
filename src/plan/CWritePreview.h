#pragma once

#include <string>
#include <vector>

namespace kt {

class CM220Radio;

// What a write will change on the transceiver, told before the question that
// starts it: the differences between the image about to be written and the
// newest image read from the transceiver (its read backup), naming when that
// read was and the transceiver's clone comment then, since the radios carry no
// serial number. Without such a read it says that no earlier read is known.
class CWritePreview {
public:
    // lastRead: the newest read backup, empty when none is known; readDate:
    // when it was taken, as the backup's name gives it. The first line is the
    // heading; each difference follows on a line of its own, indented. Texts
    // from the images are as they are held: a terminal caller makes them safe.
    static std::vector<std::string> Lines(CM220Radio& image, const std::string& lastRead,
                                          const std::string& readDate);
};

} // namespace kt
