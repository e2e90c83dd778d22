// A register killed at any moment keeps every line it had saved: a child
// process saves a growing history over and over and is killed with SIGKILL at
// a random moment; the file it leaves must be a complete earlier history.

#ifdef _WIN32
#include <gtest/gtest.h>
// Under Wine a replace is the same rename as on Linux, so only a power cut,
// which no test makes, could tell the Windows save apart.
TEST(CrashLoop, KilledSavesNeverTearOrLoseLines) {
    GTEST_SKIP() << "not on Windows: the loop forks, and Linux's run covers the replace";
}
#else
#include "sale/Invoice.h"
#include "storage/SalesFile.h"

#include "StorageTestSupport.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <random>
#include <thread>
#include <utility>
#include <vector>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tallimo;
using namespace tallimo::test;
using namespace Qt::StringLiterals;

namespace {

constexpr int kTargetKills = 500;
constexpr qint64 kBudgetMs = 60000; // sized for a sanitizer build on a busy machine

// Line i of the deterministic day: accents and "€" exercise Windows-1252.
QString lineAt(int i) {
    const QString quantity = QString::number(i % 7 + 1);
    const QString product = u"Artículo %1 ñ €"_s.arg(i);
    const QString price = QString::number((i * 37) % 1000) + u".25"_s;
    return ComposeInvoiceLine(quantity, product, price, 0, u"."_s).value().line;
}

// The file of the first n lines, built on demand and cached.
class Day {
  public:
    QByteArray fileOf(int n) {
        while (int(mEnds.size()) <= n) {
            mEnds.push_back(mEncoded.size());
            mEncoded += salesFileBytes({lineAt(int(mEnds.size()) - 1)}).chopped(2);
        }
        return mEncoded.left(mEnds[n]) + "\r\n";
    }

  private:
    QByteArray mEncoded;          // every line so far with its CR LF
    std::vector<qsizetype> mEnds; // mEnds[n]: size of the first n lines
};

// Child: continue the day from whatever the file holds; 'R' once the file is
// read, then 'S' after each save that reported success. Never returns.
[[noreturn]] void saveForever(const QString& path, int toParent) {
    QStringList history = readSalesFile(path).value_or(QStringList());
    auto tell = [&](char c) {
        if (::write(toParent, &c, 1) != 1)
            ::_exit(4);
    };
    tell('R');
    for (;;) {
        history.append(lineAt(int(history.size())));
        if (!saveSalesFile(path, history))
            ::_exit(3); // a failed save would break the one-line-per-save count
        tell('S');
    }
}

// Qt names a temporary "<name>." + six random letters; the few that read like
// "backup", "BACKUP" or "Backup" are left alone on purpose, since a user may
// have made such a file.
// The number of lines when bytes are some complete history, else -1.
int completeHistory(Day& day, const QByteArray& bytes) {
    const int n = int(bytes.count("\r\n")) - 1;
    return n >= 0 && bytes == day.fileOf(n) ? n : -1;
}

qint64 micros(std::chrono::steady_clock::duration d) {
    return std::chrono::duration_cast<std::chrono::microseconds>(d).count();
}

} // namespace

TEST(CrashLoop, KilledSavesNeverTearOrLoseLines) {
    const char* given = std::getenv("TALLIMO_CRASH_SEED");
    const std::uint64_t seed = given ? std::strtoull(given, nullptr, 10) : std::random_device{}();
    std::cout << "[ crash loop ] seed " << seed << " (TALLIMO_CRASH_SEED to repeat)" << std::endl;
    std::mt19937_64 random(seed);
    auto uniform = [&](qint64 hi) {
        return std::uniform_int_distribution<qint64>(0, std::max<qint64>(hi, 0))(random);
    };

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString name = u"Ventas de 05-03-2024.txt"_s;
    const QString path = dir.filePath(name);
    Day day;

    // The child's start (fork to 'R') as a running mean, and the longest delay
    // after it: that grows while kills come before the first save and shrinks
    // once they come two saves deep, so kills land in the first few saves.
    double startUs = 3000, delayUs = 3000, delaySumUs = 0;
    int lines = -1; // -1: no complete save yet
    int kills = 0, killsInFirstSave = 0, killsAtStart = 0, leftoversSeen = 0;
    QStringList leftovers; // temporaries found after the previous kill
    QElapsedTimer clock;
    clock.start();

    while (kills < kTargetKills && clock.elapsed() < kBudgetMs) {
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const auto forked = std::chrono::steady_clock::now();
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::close(fds[0]);
            saveForever(path, fds[1]);
        }
        ::close(fds[1]);

        // One kill in eight lands while the child is still reading the file.
        const bool atStart = uniform(7) == 0;
        bool ready = false;
        if (atStart) {
            std::this_thread::sleep_for(std::chrono::microseconds(uniform(qint64(startUs))));
        } else {
            pollfd p{fds[0], POLLIN, 0};
            char c = 0;
            ready = ::poll(&p, 1, 10000) == 1 && ::read(fds[0], &c, 1) == 1 && c == 'R';
            if (ready) {
                startUs =
                    0.9 * startUs + 0.1 * double(micros(std::chrono::steady_clock::now() - forked));
                const qint64 delay = uniform(qint64(delayUs));
                delaySumUs += double(delay);
                std::this_thread::sleep_for(std::chrono::microseconds(delay));
            }
        }
        ::kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);

        QByteArray said;
        char buffer[4096];
        for (ssize_t got; (got = ::read(fds[0], buffer, sizeof buffer)) > 0;)
            said.append(buffer, got);
        ::close(fds[0]);
        if (!atStart) {
            ASSERT_TRUE(ready) << "the child never read the file";
        }
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the child ended by itself, status " << status << " (3: a save failed)";
        ++kills;
        const int saves = int(said.count('S'));
        ready = ready || said.contains('R');
        killsAtStart += ready ? 0 : 1;
        killsInFirstSave += (ready && saves == 0) ? 1 : 0;
        if (ready && saves == 0)
            delayUs = std::min(delayUs * 1.15, 200000.0);
        else if (saves >= 2)
            delayUs = std::max(delayUs * 0.85, 100.0);

        // The file is absent only before the first save, else a whole history
        // that holds every line a save reported, and at most one more.
        const bool exists = QFileInfo::exists(path);
        if (!exists) {
            ASSERT_EQ(lines, -1) << "the sales file vanished after kill " << kills;
            ASSERT_EQ(saves, 0) << "a save reported success but left no file";
        } else {
            const QByteArray bytes = fileBytes(path);
            const int n = completeHistory(day, bytes);
            ASSERT_GE(n, 0) << "kill " << kills << " left a torn file of " << bytes.size()
                            << " bytes: " << printable(bytes.right(200));
            const int before = std::max(lines, 0);
            ASSERT_GE(n, before + saves) << "kill " << kills << ": lines lost";
            ASSERT_LE(n, before + saves + 1) << "kill " << kills << ": lines from nowhere";
            lines = n;
        }

        // A later save removes what an interrupted one left behind.
        QStringList now = folderEntries(dir.path());
        now.removeOne(name);
        if (saves > 0) {
            for (const QString& old : std::as_const(leftovers))
                EXPECT_FALSE(now.contains(old))
                    << "leftover " << old.toStdString() << " survived a save";
        }
        for (const QString& entry : std::as_const(now)) {
            if (!leftovers.contains(entry)) {
                ++leftoversSeen;
                std::cout << "[ crash loop ] kill " << kills << " left " << entry.toStdString()
                          << std::endl;
            }
        }
        leftovers = now;
    }

    // One more save in this process: every line is there and nothing else.
    const QStringList history = readSalesFile(path).value_or(QStringList());
    ASSERT_EQ(int(history.size()), std::max(lines, 0));
    QStringList next = history;
    next.append(lineAt(int(next.size())));
    ASSERT_TRUE(saveSalesFile(path, next));
    EXPECT_EQ(fileBytes(path), day.fileOf(int(next.size())));
    QStringList rest = folderEntries(dir.path());
    EXPECT_TRUE(rest.removeOne(name));
    EXPECT_TRUE(rest.isEmpty()) << "left behind: " << rest.join(u", "_s).toStdString();

    std::cout << "[ crash loop ] " << kills << " kills in " << clock.elapsed() << " ms ("
              << killsAtStart << " while starting, " << killsInFirstSave << " in the first save), "
              << std::max(lines, 0) << " lines kept, 0 lost, " << leftoversSeen
              << " leftover temporaries seen; mean delay after start "
              << qint64(delaySumUs / std::max(1, kills - killsAtStart)) << " us" << std::endl;
    if (kills < kTargetKills)
        std::cout << "[ crash loop ] time budget spent before " << kTargetKills << " kills"
                  << std::endl;
    EXPECT_GT(lines, 0) << "no save ever completed: the kills came too early";
}
#endif
