#include "app/sessionbus.h"

#include <QFileInfo>
#include <QtGlobal>

void refuseSessionBusLaunch() {
    if (qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"))
        return;
    // libdbus finds the session's bus here by itself before it would launch one.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus")))
        return;
    // An address of no known kind: connecting fails at once, without launching anything.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}
