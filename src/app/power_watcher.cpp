#include "app/power_watcher.h"

#include <QDBusConnection>
#include <QFileInfo>

namespace novu {

namespace {

// Whether a system bus can be there at all: looking for it through Qt starts a thread of
// Qt's own, which a desktop without one does not need.
bool SystemBusPresent() {
    return !qEnvironmentVariableIsEmpty("DBUS_SYSTEM_BUS_ADDRESS") ||
           QFileInfo::exists(QStringLiteral("/run/dbus/system_bus_socket")) ||
           QFileInfo::exists(QStringLiteral("/var/run/dbus/system_bus_socket"));
}

}  // namespace

PowerWatcher::PowerWatcher(bool watch, QObject* parent) : QObject(parent) {
    if (!watch || !SystemBusPresent()) {
        return;
    }
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        return;
    }
    // Without logind (a container, another init system) waking up simply goes unnoticed.
    static_cast<void>(bus.connect(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), this,
        SLOT(PrepareForSleep(bool))));
}

void PowerWatcher::PrepareForSleep(bool sleeping) {
    if (!sleeping) {
        emit resumed();
    }
}

}  // namespace novu
