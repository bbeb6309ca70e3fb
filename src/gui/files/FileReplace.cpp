#include "FileReplace.h"

#include "AtomicReplace.h"

#include <QFile>

namespace kt {

QString ReplaceFile(const QString& path, std::string_view bytes) {
    const CReplaceResult result = AtomicReplace(QFile::encodeName(path).toStdString(), bytes);
    return result.Ok() ? QString() : QString::fromStdString(result.Reason());
}

} // namespace kt
