#include "platform/port_map.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "engine/serial_port_control.h"
#include "platform/config_folder.h"

namespace pellandor {

namespace {

#ifndef Q_OS_WIN
// An entry is a symbolic link to the device or a file whose first line is its
// path. The link is followed so that the port's lock file carries the
// device's own name, whichever entry led to it.
QString device_of_entry(const QFileInfo& entry) {
    if (entry.isSymLink()) {
        const QString target = entry.canonicalFilePath();
        return target.isEmpty() ? entry.symLinkTarget() : target;
    }
    QFile file(entry.filePath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return {};
    }
    const QString path = QString::fromLocal8Bit(file.readLine()).trimmed();
    if (path.isEmpty()) {
        return {};
    }
    return QDir(entry.absolutePath()).absoluteFilePath(path);
}

QString default_device(int number) {
    if (number <= 4) {
        return QStringLiteral("/dev/ttyS%1").arg(number - 1);
    }
    if (number <= 10) {
        return QStringLiteral("/dev/ttyUSB%1").arg(number - 5);
    }
    return QStringLiteral("/dev/ttyACM%1").arg(number - 11);
}
#endif

} // namespace

QString ports_folder() {
    return QDir(program_config_folder()).filePath(QStringLiteral("ports"));
}

QString com_port_device(int number) {
    if (number < first_com_port || number > last_com_port) {
        return {};
    }
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(number);
#else
    // exists() follows links; a dangling link is still an entry.
    const QFileInfo entry(QDir(ports_folder()).filePath(QStringLiteral("com%1").arg(number)));
    if (entry.exists() || entry.isSymLink()) {
        return device_of_entry(entry);
    }
    return default_device(number);
#endif
}

} // namespace pellandor
