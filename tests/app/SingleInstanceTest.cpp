#include "app/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tallimo {

// A drive root "C" and the folder the locks go in.
struct SingleInstanceTest : ::testing::Test {
    QTemporaryDir locks, base;
    QString root = base.path() + "/C";
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(root)); }
    auto acquire(const QString& path) { return SingleInstance::acquire(path, locks.path()); }
};

// The same root, however written, is refused; another root is another register; a closed copy
// frees it.
TEST_F(SingleInstanceTest, ASecondCopyOnTheSameRootIsRefused) {
    auto first = acquire(root);
    ASSERT_TRUE(first);
    ASSERT_TRUE(QFile::link(root, base.path() + "/enlace"));
    for (const QString& same : {root, root + "/", base.path() + "/enlace"})
        EXPECT_FALSE(acquire(same)) << same.toStdString();
    QDir().mkpath(base.path() + "/D");
    EXPECT_TRUE(acquire(base.path() + "/D"));
    first.reset();
    EXPECT_TRUE(acquire(root));
}

TEST_F(SingleInstanceTest, ALockLeftByACrashedCopyDoesNotBlock) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto lock = acquire(root);
        _exit(lock.release() ? 0 : 1); // dies holding it, as a crash would
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(QFile::exists(SingleInstance::lockPath(root, locks.path())));
    EXPECT_TRUE(acquire(root));
}

} // namespace tallimo
