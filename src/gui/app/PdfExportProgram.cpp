#include "PdfExportProgram.h"

#include "CAppVersion.h"
#include "CKTM220App.h"
#include "CKTM220Doc.h"
#include "CKneeboardCommands.h"
#include "CPrintCommands.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstring>

namespace kt {

namespace {
constexpr int kFileError = 3;

int Failed(const CKTM220Doc::FileResult& result) {
    std::fprintf(stderr, "kt-m220: %s\n%s\n", qPrintable(result.message),
                 qPrintable(result.detail));
    return kFileError;
}
} // namespace

bool AsksForPdfExport(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--export-pdf") == 0)
            return true;
    return false;
}

int RunPdfExport(int argc, char** argv) {
    // A PDF needs fonts, not a screen: the offscreen platform has them on any
    // machine, with or without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Velk"));
    QCoreApplication::setApplicationName(QString::fromLatin1(CAppVersion::kAppName));
    QCoreApplication::setApplicationVersion(CAppVersion::BuildVersion());

    CKTM220App::Options options;
    QString message;
    int exitCode = 0;
    if (!CKTM220App::ParseCommandLine(QCoreApplication::arguments(), options, message, exitCode)) {
        std::fputs(qPrintable(message), exitCode == 0 ? stdout : stderr);
        return exitCode;
    }

    CKTM220Doc doc;
    doc.OnNewDocument();
    if (const CKTM220Doc::FileResult opened = doc.OnOpenDocument(options.file); !opened.ok)
        return Failed(opened);
    CKTM220Doc::FileResult written;
    if (options.kneeboard) {
        const CKneeboardCard::Options card{*CKneeboardCard::SizeFromWord(options.card),
                                           options.night};
        written = CKneeboardCommands::ExportPdf(
            CKneeboardCard::Build(doc.GetRadio(), doc.GetTitle().toStdString(), card),
            doc.GetTitle(), options.output);
    } else {
        written = CPrintCommands(doc, nullptr).ExportPdf(options.output);
    }
    if (!written.ok)
        return Failed(written);
    return 0;
}

} // namespace kt
