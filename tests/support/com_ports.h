// The COM port entries of the configuration folder in force (a test's own,
// see temporary_config_folder.h): which device each of COM1 to COM16 is.
#pragma once

#include <QDir>
#include <QFile>
#include <QString>

#include "platform/port_map.h"

namespace pellandor::testing {

// The entry of COM`number` (what adapter-sim --link takes).
inline QString com_port_entry(int number) {
    return QDir(ports_folder()).filePath(QStringLiteral("com%1").arg(number));
}

// COM`number` becomes the device at the path.
inline void link_com_port(int number, const QString& device) {
    QDir().mkpath(ports_folder());
    QFile entry(com_port_entry(number));
    entry.remove();
    if (entry.open(QIODevice::WriteOnly)) {
        entry.write(device.toLocal8Bit() + "\n");
    }
}

// Every port names a device that is not there, so that a start probes
// nothing of the machine's own until a test links a port.
inline void link_no_com_ports() {
    for (int n = 1; n <= 16; ++n) {
        link_com_port(n, QStringLiteral("/nonexistent/tty%1").arg(n));
    }
}

} // namespace pellandor::testing
