#include "CompanionProgram.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kt {

QString FindCompanionProgram(const char* name, const char* buildFolder) {
    const QString program = QString::fromLatin1(name);
    const QDir here(QCoreApplication::applicationDirPath());
    for (const QString& candidate :
         {here.filePath(program),
          here.filePath(QStringLiteral("../%1/%2").arg(QLatin1String(buildFolder), program))}) {
        const QFileInfo info(candidate);
        if (info.isFile() && info.isExecutable())
            return info.canonicalFilePath();
    }
    return QStandardPaths::findExecutable(program);
}

} // namespace kt
