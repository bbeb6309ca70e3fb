#pragma once

#include <QString>
#include <QStringList>
class QWidget;

namespace kt {

class CKTM220Doc;
class CMainFrame;

// The windows of the program drawn to PNG files for the documentation.
// Each set writes into folder and appends to failures a line for every
// window it could not draw.
namespace ScreenshotSets {

// The main window after a read from the virtual transceiver, the progress
// dialog caught during it, the popup menu and Edit Memory, Information,
// About, the banner, Port Devices with the transceiver's cable and the help
// window. work is a folder for the transceiver's image.
void RenderNormal(const QString& folder, const QString& work, QStringList& failures);

// Every window and dialog, drawn from the demonstration image, for the sets
// at other scales and colour schemes; dark draws the help's page of messages
// too.
void RenderLook(const QString& folder, const QString& work, bool dark, QStringList& failures);

// About, the banner and Port Devices over frame, which both sets draw alike.
// With a cable device (the virtual transceiver's), Port Devices lists it
// behind a /dev/serial/by-id link, as a USB cloning cable shows.
void RenderAboutBannerAndPorts(CMainFrame& frame, const QString& folder, QStringList& failures,
                               const QString& cableDevice = {});

// The channel list's popup menu and the Edit Memory dialog, of a channel in
// use, of one with a frequency the radio would store otherwise, and of an
// empty one.
void RenderEditing(CMainFrame& frame, CKTM220Doc& doc, const QString& folder,
                   QStringList& failures);

// Saves the widget as folder/name, packed as tightly as PNG allows. Under a
// window manager (the xcb platform) a window is taken from the screen with
// its frame and title; offscreen, the widget's own area is drawn.
bool Save(QWidget* widget, const QString& folder, const char* name);

} // namespace ScreenshotSets

} // namespace kt
