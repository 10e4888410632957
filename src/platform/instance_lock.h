// Keeps the program to one running instance per user.
#pragma once

#include <QLockFile>
#include <QString>

namespace pellandor {

// "quillmere-pellandor.lock" in the user's runtime folder (the temporary
// folder where there is none).
QString instance_lock_path();

class instance_lock {
public:
    explicit instance_lock(const QString& file_path = instance_lock_path());

    // True when no other running instance holds the lock; this object then
    // holds it until it is destroyed. A lock left by a process that has died
    // is taken over. When the lock file cannot be written at all, the answer
    // is true as well: no instance could hold it, and refusing would keep the
    // program from ever starting.
    bool acquire();

private:
    QLockFile file_;
};

} // namespace pellandor
