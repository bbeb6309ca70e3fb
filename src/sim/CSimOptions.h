#pragma once

#include "CCloneCable.h"
#include "CTransceiver.h"

#include <string>
#include <vector>

namespace kt {

// The command line of kt-m220-sim.
struct CSimOptions {
    CTransceiverSetup transceiver;
    CCableFaults cable;
    std::string imagePath;     // start from this data file instead of the default image
    std::string savePath;      // save the image here after each accepted write
    std::string linkPath;      // a symbolic link to the device
    unsigned baud = 9600;      // pace of the line; 0: no pacing
    unsigned slowMs = 0;       // one byte every slowMs milliseconds instead
    int exchanges = 0;         // end after this many answered exchanges; 0: no limit
    bool stdinControl = false; // end when standard input closes
    bool quiet = false;
    bool help = false;
    bool version = false;

    // Reads the arguments (without the program name). False, with the
    // reason in error, on an unknown option or a bad value.
    static bool Parse(const std::vector<std::string>& args, CSimOptions& options,
                      std::string& error);
    static std::string HelpText();
    static std::string VersionText();
};

} // namespace kt
