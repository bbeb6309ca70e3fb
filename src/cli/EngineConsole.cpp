#include "EngineConsole.h"

#include "CRigEngine.h"

#include <istream>
#include <ostream>
#include <string>

namespace kt {

int RunEngineConsole(std::istream& in, std::ostream& out) {
    CRigEngine engine;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string answer = engine.Command(line);
        out.write(answer.data(), static_cast<std::streamsize>(answer.size()));
        out.put('\n');
        out.flush();
    }
    return 0;
}

} // namespace kt
