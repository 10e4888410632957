#include "platform/instance_lock.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace pellandor {
namespace {

TEST(InstanceLock, LetsOnlyOneHolderAtATime) {
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("test.lock"));
    {
        instance_lock first(path);
        ASSERT_TRUE(first.acquire());
        instance_lock second(path);
        EXPECT_FALSE(second.acquire());
    }
    instance_lock after_release(path);
    EXPECT_TRUE(after_release.acquire());
}

TEST(InstanceLock, TakesOverTheLockOfAProcessThatDied) {
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("test.lock"));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Ends without unlocking, as a crash would.
        instance_lock crashed(path);
        _exit(crashed.acquire() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    instance_lock next(path);
    EXPECT_TRUE(next.acquire());
}

TEST(InstanceLock, LivesInTheUserRuntimeFolder) {
    const QTemporaryDir runtime;
    const QByteArray old = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    EXPECT_EQ(instance_lock_path(), runtime.filePath(QStringLiteral("quillmere-pellandor.lock")));
    qputenv("XDG_RUNTIME_DIR", old);
}

} // namespace
} // namespace pellandor
