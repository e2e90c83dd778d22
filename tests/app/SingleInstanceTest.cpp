#include "app/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tallimo {
namespace {

struct Roots {
    QTemporaryDir locks;
    QTemporaryDir base;
    QString root = base.path() + "/C";
    Roots() { QDir().mkpath(root); }
};

TEST(SingleInstance, ASecondCopyOnTheSameRootIsRefused) {
    Roots r;
    auto first = SingleInstance::acquire(r.root, r.locks.path());
    ASSERT_TRUE(first);
    ASSERT_TRUE(QFile::link(r.root, r.base.path() + "/enlace"));
    for (const QString& same : {r.root, r.root + "/", r.base.path() + "/enlace"})
        EXPECT_FALSE(SingleInstance::acquire(same, r.locks.path())) << same.toStdString();

    // Another root is another register.
    QDir().mkpath(r.base.path() + "/D");
    EXPECT_TRUE(SingleInstance::acquire(r.base.path() + "/D", r.locks.path()));

    first.reset(); // the first copy closed
    EXPECT_TRUE(SingleInstance::acquire(r.root, r.locks.path()));
}

TEST(SingleInstance, ALockLeftByACrashedCopyDoesNotBlock) {
    Roots r;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto lock = SingleInstance::acquire(r.root, r.locks.path());
        const bool held = lock != nullptr;
        (void)lock.release(); // dies holding it, as a crash would
        _exit(held ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(QFile::exists(SingleInstance::lockPath(r.root, r.locks.path())));
    EXPECT_TRUE(SingleInstance::acquire(r.root, r.locks.path()));
}

} // namespace
} // namespace tallimo
