#pragma once

#include <QString>
#include <QStringList>
class QWidget;

namespace kt {

class CMainFrame;

// The windows of the program drawn to PNG files for the documentation.
// Each set writes into folder and appends to failures a line for every
// window it could not draw.
namespace ScreenshotSets {

// The main window after a read from the virtual transceiver, the progress
// dialog caught during it, Information, About, the banner, Port Devices and
// the help window. work is a folder for the transceiver's image.
void RenderNormal(const QString& folder, const QString& work, QStringList& failures);

// Every window and dialog, drawn from the demonstration image, for the sets
// at other scales and colour schemes; dark draws the help's page of messages
// too.
void RenderLook(const QString& folder, const QString& work, bool dark, QStringList& failures);

// About, the banner and Port Devices over frame, which both sets draw alike.
void RenderAboutBannerAndPorts(CMainFrame& frame, const QString& folder, QStringList& failures);

// Saves the widget's own area as folder/name, packed as tightly as PNG allows.
bool Save(QWidget* widget, const QString& folder, const char* name);

} // namespace ScreenshotSets

} // namespace kt
