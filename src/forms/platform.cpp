#include "forms/platform.h"

#include <QGuiApplication>
#include <QWidget>

#ifdef WORDPOT_HAVE_XCB
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <array>
#include <cstdlib>
#include <cstring>

namespace {
xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t result = reply != nullptr ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}
} // namespace
#endif

namespace platform {

QString missingDisplay() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return QStringLiteral("neither DISPLAY nor WAYLAND_DISPLAY is set. Start it from a desktop session, "
                              "or over SSH with X forwarding (ssh -X).");
#endif
    return {};
}

void keepOutOfTaskbar(QWidget* window) {
#ifdef WORDPOT_HAVE_XCB
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr || window == nullptr || QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    // Qt adds its own states to this property when it maps the window and keeps what is already there.
    const std::array<xcb_atom_t, 2> states{atom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                                           atom(connection, "_NET_WM_STATE_SKIP_PAGER")};
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, xcb_window_t(window->winId()),
                        atom(connection, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32, uint32_t(states.size()),
                        states.data());
    xcb_flush(connection);
#else
    Q_UNUSED(window);
#endif
}

} // namespace platform
