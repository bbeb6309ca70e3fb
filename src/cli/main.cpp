#include "CliCommand.h"
#include "SignalCleanup.h"

#include <iostream>
#include <string>
#include <vector>

using namespace kt;

int main(int argc, char** argv) {
    // A signal that ends the program first removes its temporary files and
    // closes the port.
    SignalCleanup::Install();
    return RunCli(std::vector<std::string>(argv + 1, argv + argc), std::cin, std::cout, std::cerr);
}
