#include "CliStatus.h"

#include "DocumentFile.h"

#include <ostream>

namespace kt {

int Usage(std::ostream& err, const char* usage) {
    err << "usage: kt-m220-cli " << usage << "\n";
    return kUsageError;
}

int FileError(std::ostream& err, const DocumentFileResult& result) {
    err << "kt-m220-cli: " << result.message;
    if (!result.answer.empty())
        err << " (" << result.answer << ")";
    err << "\n";
    return kFileError;
}

int Written(const DocumentFileResult& result, std::ostream& out, std::ostream& err,
            const std::string& done) {
    if (!result.ok)
        return FileError(err, result);
    out << done << "\n";
    return 0;
}

} // namespace kt
