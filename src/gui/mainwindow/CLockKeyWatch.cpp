#include "CLockKeyWatch.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace kt {

// The XKB header names a field "explicit", which C++ reserves.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

namespace {
struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

constexpr const char* kIndicatorNames[3] = {"Caps Lock", "Num Lock", "Scroll Lock"};

// The fields every XKB event starts with.
struct XkbEventHead {
    std::uint8_t response_type;
    std::uint8_t xkbType;
};
} // namespace

CLockKeyWatch::CLockKeyWatch(QObject* parent) : QObject(parent) {
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return;
    xcb_connection_t* connection = x11->connection();
    const Reply<xcb_xkb_use_extension_reply_t> use(xcb_xkb_use_extension_reply(
        connection, xcb_xkb_use_extension(connection, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION),
        nullptr));
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_xkb_id);
    if (!use || !use->supported || !extension || !extension->present)
        return;
    for (int i = 0; i < 3; ++i) {
        const char* name = kIndicatorNames[i];
        const Reply<xcb_intern_atom_reply_t> atom(xcb_intern_atom_reply(
            connection,
            xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(std::strlen(name)), name),
            nullptr));
        atoms_[i] = atom ? atom->atom : std::uint32_t{XCB_ATOM_NONE};
    }
    connection_ = connection;
    xkbEvent_ = extension->first_event;
    // Only the indicator changes are added to what the program hears from
    // XKB; Qt's own choice of XKB events stays as it is.
    const std::uint16_t indicators = XCB_XKB_EVENT_TYPE_INDICATOR_STATE_NOTIFY;
    xcb_xkb_select_events(connection_, XCB_XKB_ID_USE_CORE_KBD, indicators, 0, indicators, 0, 0,
                          nullptr);
    xcb_flush(connection_);
    QCoreApplication::instance()->installNativeEventFilter(this);
    Read();
}

CLockKeyWatch::~CLockKeyWatch() {
    if (connection_ && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool CLockKeyWatch::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (!connection_ || eventType != "xcb_generic_event_t")
        return false;
    const auto* head = static_cast<const XkbEventHead*>(message);
    if ((head->response_type & 0x7f) == xkbEvent_ &&
        head->xkbType == XCB_XKB_INDICATOR_STATE_NOTIFY)
        Read();
    return false; // Qt sees the event as well
}

void CLockKeyWatch::Read() {
    CLockKeyState state;
    state.known = true;
    bool* keys[3] = {&state.caps, &state.num, &state.scroll};
    for (int i = 0; i < 3; ++i) {
        if (atoms_[i] == XCB_ATOM_NONE)
            continue;
        const Reply<xcb_xkb_get_named_indicator_reply_t> indicator(
            xcb_xkb_get_named_indicator_reply(
                connection_,
                xcb_xkb_get_named_indicator(connection_, XCB_XKB_ID_USE_CORE_KBD,
                                            XCB_XKB_LED_CLASS_DFLT_XI_CLASS, XCB_XKB_ID_DFLT_XI_ID,
                                            atoms_[i]),
                nullptr));
        *keys[i] = indicator && indicator->found && indicator->on;
    }
    if (state == state_)
        return;
    state_ = state;
    emit Changed(state_);
}

} // namespace kt
