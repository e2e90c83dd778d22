// A register killed at any moment keeps every line it had saved: a child
// process saves a growing history over and over and is killed with SIGKILL at
// a random moment; the file it leaves must be a complete earlier history.

#include "storage/LineList.h"
#include "storage/SalesFile.h"

#include "StorageTestSupport.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <iostream>
#include <random>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tallimo;
using namespace tallimo::test;
using namespace Qt::StringLiterals;

namespace {

constexpr int kTargetKills = 500;
constexpr qint64 kBudgetMs = 60000; // sized for a sanitizer build on a busy machine

// The first n lines of a deterministic day; accents and "€" exercise Windows-1252.
QStringList dayOf(int n) {
    static QStringList day;
    for (int i = int(day.size()); i < n; ++i)
        day.append(u"%1 x Artículo %2 ñ € de $%3.25"_s.arg(i % 7 + 1).arg(i).arg(i * 37 % 1000));
    return day.first(n);
}

// Child: continue the day from whatever the file holds; 'R' once the file is
// read, then 'S' after each save that reported success. Never returns.
[[noreturn]] void saveForever(const QString& path, int toParent) {
    LineList history; // saved the way the register saves its history
    history.keepEncoded();
    history.setLines(readSalesFile(path).value_or(QStringList()));
    for (char said = 'R';; said = 'S') {
        if (::write(toParent, &said, 1) != 1)
            ::_exit(4);
        history.append(dayOf(int(history.count()) + 1).last());
        if (!saveSalesFile(path, history))
            ::_exit(3); // a failed save would break the one-line-per-save count
    }
}

} // namespace

TEST(CrashLoop, KilledSavesNeverTearOrLoseLines) {
    const char* given = std::getenv("TALLIMO_CRASH_SEED");
    const std::uint64_t seed = given ? std::strtoull(given, nullptr, 10) : std::random_device{}();
    std::cout << "[ crash loop ] seed " << seed << " (TALLIMO_CRASH_SEED to repeat)" << std::endl;
    std::mt19937_64 random(seed);
    auto upTo = [&](double hi) { return std::uniform_int_distribution<int>(0, int(hi))(random); };

    QTemporaryDir dir;
    const QString name = u"Ventas de 05-03-2024.txt"_s;
    const QString path = dir.filePath(name);
    // The child's start (fork to 'R') as a running mean, and the longest delay
    // after it, in microseconds: that grows while kills come before the first
    // save and shrinks once they come two saves deep, so kills land in the
    // first few saves.
    double startUs = 3000, delayUs = 3000;
    int lines = -1; // -1: no complete save yet
    int kills = 0, inFirstSave = 0, leftoversSeen = 0;
    QStringList leftovers; // temporaries found after the previous kill
    QElapsedTimer clock;
    clock.start();

    while (kills < kTargetKills && clock.elapsed() < kBudgetMs) {
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        QElapsedTimer forked;
        forked.start();
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::close(fds[0]);
            saveForever(path, fds[1]);
        }
        ::close(fds[1]);

        // One kill in eight lands while the child is still reading the file.
        const bool atStart = upTo(7) == 0;
        pollfd ready{fds[0], POLLIN, 0};
        if (atStart) {
            ::usleep(useconds_t(upTo(startUs)));
        } else if (::poll(&ready, 1, 10000) == 1) {
            startUs = 0.9 * startUs + 0.1 * double(forked.nsecsElapsed()) / 1000;
            ::usleep(useconds_t(upTo(delayUs)));
        }
        ::kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        char buffer[1 << 16]; // more than the child can say before it is killed
        const QByteArray said(buffer, std::max<ssize_t>(::read(fds[0], buffer, sizeof buffer), 0));
        ::close(fds[0]);
        ASSERT_TRUE(atStart || said.startsWith('R')) << "the child never read the file";
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the child ended by itself, status " << status << " (3: a save failed)";
        ++kills;
        const int saves = int(said.count('S'));
        if (said == "R") {
            ++inFirstSave;
            delayUs = std::min(delayUs * 1.15, 200000.0);
        } else if (saves >= 2) {
            delayUs = std::max(delayUs * 0.85, 100.0);
        }

        // The file is absent only before the first save, else a whole history
        // that holds every line a save reported, and at most one more.
        const QByteArray bytes = fileBytes(path);
        const int n = int(bytes.count("\r\n")) - 1;
        if (!QFileInfo::exists(path)) {
            ASSERT_TRUE(lines == -1 && saves == 0) << "kill " << kills << ": no file";
        } else {
            ASSERT_TRUE(n >= 0 && bytes == salesFileBytes(dayOf(n)))
                << "kill " << kills << " left a torn file: " << printable(bytes.right(200));
            const int before = std::max(lines, 0);
            ASSERT_TRUE(n >= before + saves && n <= before + saves + 1)
                << "kill " << kills << ": " << n << " lines after " << before << " and " << saves
                << " saves";
            lines = n;
        }

        // A later save removes what an interrupted one left behind.
        QStringList now = folderEntries(dir.path());
        now.removeOne(name);
        for (const QString& old : std::as_const(leftovers))
            EXPECT_FALSE(saves > 0 && now.contains(old)) << old.toStdString() << " survived a save";
        for (const QString& entry : std::as_const(now))
            leftoversSeen += leftovers.contains(entry) ? 0 : 1;
        leftovers = now;
    }

    // One more save in this process: every line is there and nothing else.
    lines = std::max(lines, 0);
    ASSERT_EQ(readSalesFile(path), dayOf(lines));
    ASSERT_TRUE(saveSalesFile(path, dayOf(lines + 1)));
    EXPECT_EQ(fileBytes(path), salesFileBytes(dayOf(lines + 1)));
    EXPECT_EQ(folderEntries(dir.path()), QStringList{name});

    std::cout << "[ crash loop ] " << kills << " kills in " << clock.elapsed() << " ms, "
              << inFirstSave << " in the first save, " << lines << " lines kept, 0 lost, "
              << leftoversSeen << " leftover temporaries seen" << std::endl;
    EXPECT_GT(lines, 0) << "no save ever completed: the kills came too early";
}
