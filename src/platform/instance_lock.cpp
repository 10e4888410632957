#include "platform/instance_lock.h"

#include <QDir>
#include <QStandardPaths>

namespace pellandor {

QString instance_lock_path() {
#ifdef Q_OS_WIN
    // The runtime location on Windows is the home folder, where a lock file
    // would be in the user's way.
    QString folder = QDir::tempPath();
#else
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
#endif
    return folder + QStringLiteral("/quillmere-pellandor.lock");
}

instance_lock::instance_lock(const QString& file_path) : file_(file_path) {
    // The lock is held for the whole run, so its age says nothing: only a
    // holder that is no longer running makes it stale.
    file_.setStaleLockTime(0);
}

bool instance_lock::acquire() {
    return file_.tryLock(0) || file_.error() != QLockFile::LockFailedError;
}

} // namespace pellandor
