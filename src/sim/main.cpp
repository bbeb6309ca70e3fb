
#include "CCloneCable.h"
#include "CDeviceLink.h"
#include "CDeviceWatch.h"
#include "CImageStore.h"
#include "CPacedLine.h"
#include "CPseudoTerminal.h"
#include "CSimOptions.h"
#include "CSimulator.h"
#include "CTransceiver.h"
#include "HexCodec.h"

#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <sys/signalfd.h>
#include <unistd.h>
#include <vector>

using namespace kt;

// kt-m220-sim: a virtual VR-M220 transceiver and its cloning cable on a
// pseudo-terminal. See --help.

namespace {

int Fail(const std::string& message, int status = 1) {
    std::cerr << "kt-m220-sim: " << message << std::endl;
    return status;
}

// Signals that end the run arrive through a descriptor, so that the run
// loop sees them between two bytes and ends in order.
CFileDescriptor StopSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    sigprocmask(SIG_BLOCK, &set, nullptr);
    return CFileDescriptor(::signalfd(-1, &set, SFD_CLOEXEC));
}

} // namespace

int main(int argc, char** argv) {
    CSimOptions options;
    std::string error;
    if (!CSimOptions::Parse(std::vector<std::string>(argv + 1, argv + argc), options, error))
        return Fail(error + "\nTry 'kt-m220-sim --help'.", 2);
    if (options.help) {
        std::cout << CSimOptions::HelpText();
        return 0;
    }
    if (options.version) {
        std::cout << CSimOptions::VersionText() << std::endl;
        return 0;
    }
    std::signal(SIGPIPE, SIG_IGN);
    const CFileDescriptor signals = StopSignals();
    if (!signals.IsValid())
        return Fail("cannot receive signals");

    CImageStore store;
    SimImage image{};
    if (options.imagePath.empty() ? !store.Initialize(image, error)
                                  : !store.Load(options.imagePath, image, error))
        return Fail("no image: " + error);

    CPseudoTerminal pty;
    if (!pty.Open(error))
        return Fail("cannot open a pseudo-terminal: " + error);
    CDeviceWatch watch;
    const bool watching = watch.Start(pty.DevicePath());
    CDeviceLink link;
    if (!options.linkPath.empty() && !link.Make(options.linkPath, pty.DevicePath(), error))
        return Fail(error);

    std::cout << pty.DevicePath() << std::endl;

    std::ostream* log = options.quiet ? nullptr : &std::cerr;
    if (log != nullptr) {
        *log << "VR-M220 " << HexCodec::Text(options.transceiver.model, 4) << "/"
             << HexCodec::Text(options.transceiver.revision, 4) << " on " << pty.DevicePath();
        if (options.slowMs > 0)
            *log << ", one byte every " << options.slowMs << " ms";
        else if (options.baud > 0)
            *log << ", " << options.baud << " baud";
        else
            *log << ", no pacing";
        *log << std::endl;
        if (options.cable.pullAfter == 0)
            *log << "cable: not connected" << std::endl;
        if (!watching)
            *log << "(the program's opening and closing of the device cannot be watched)"
                 << std::endl;
    }

    CTransceiver transceiver(options.transceiver, image);
    CCloneCable cable(transceiver, options.cable);
    CSimulator::Settings settings;
    settings.exchanges = options.exchanges;
    settings.log = log;
    if (!options.savePath.empty()) {
        settings.saver = [&store, &options](const SimImage& written, std::string& why) {
            return store.Save(options.savePath, written, why);
        };
    }
    CSimulator simulator(pty, watch, cable,
                         options.slowMs > 0 ? CPacedLine::ForInterval(options.slowMs)
                                            : CPacedLine::ForBaud(options.baud),
                         settings);

    std::vector<CSimulator::StopSource> stops{
        {signals.Get(), CSimulator::StopSource::Kind::Signal}};
    if (options.stdinControl)
        stops.push_back({STDIN_FILENO, CSimulator::StopSource::Kind::EndOfInput});
    return simulator.Run(stops);
}
