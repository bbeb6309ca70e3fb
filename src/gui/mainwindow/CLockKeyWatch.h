#pragma once

#include "CLockKeyState.h"

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <cstdint>

struct xcb_connection_t;

namespace kt {

// Follows Caps Lock, Num Lock and Scroll Lock on the keyboard the user types
// on, as the display server knows them: on X11 the XKB extension's named
// indicators, read at the start and again on each indicator change the server
// reports. Where the state cannot be read (Wayland, no XKB, offscreen) the
// state stays unknown.
class CLockKeyWatch : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    explicit CLockKeyWatch(QObject* parent = nullptr);
    ~CLockKeyWatch() override;

    const CLockKeyState& State() const { return state_; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    void Changed(const CLockKeyState& state);

private:
    void Read();

    xcb_connection_t* connection_ = nullptr;
    std::uint8_t xkbEvent_ = 0;                       // the first event code of the XKB extension
    std::uint32_t atoms_[3] = {};                     // "Caps Lock", "Num Lock", "Scroll Lock"
    CLockKeyState state_{false, false, false, false}; // unknown until read
};

} // namespace kt
