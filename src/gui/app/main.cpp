#include "DesktopProgram.h"
#include "StartupTrace.h"

#include <QGuiApplication>

using namespace kt;

int main(int argc, char** argv) {
    StartupTrace::Begin();
    // The name the desktop knows the program by: its desktop entry and its
    // AppStream id.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.velk.ktm220"));
    return RunDesktopProgram(argc, argv);
}
