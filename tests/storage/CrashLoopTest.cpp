// A register killed at any moment keeps every line it had saved: a child
// process saves a growing history over and over and is killed with SIGKILL at
// a random moment; the file it leaves must be a complete earlier history.

#include "sale/Invoice.h"
#include "storage/SalesFile.h"

#include "StorageTestSupport.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <iostream>
#include <random>
#include <thread>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tallimo;
using namespace tallimo::test;
using namespace Qt::StringLiterals;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kTargetKills = 500;
constexpr qint64 kBudgetMs = 60000; // sized for a sanitizer build on a busy machine

// The first n lines of a deterministic day; accents and "€" exercise Windows-1252.
QStringList dayOf(int n) {
    static QStringList day;
    for (int i = int(day.size()); i < n; ++i) {
        const QString product = u"Artículo %1 ñ €"_s.arg(i);
        const QString price = QString::number((i * 37) % 1000) + u".25"_s;
        day.append(
            ComposeInvoiceLine(QString::number(i % 7 + 1), product, price, 0, u"."_s).value().line);
    }
    return day.first(n);
}

// Child: continue the day from whatever the file holds; 'R' once the file is
// read, then 'S' after each save that reported success. Never returns.
[[noreturn]] void saveForever(const QString& path, int toParent) {
    int lines = int(readSalesFile(path).value_or(QStringList()).size());
    for (char said = 'R';; said = 'S') {
        if (::write(toParent, &said, 1) != 1)
            ::_exit(4);
        if (!saveSalesFile(path, dayOf(++lines)))
            ::_exit(3); // a failed save would break the one-line-per-save count
    }
}

// The number of lines when bytes are some complete history, else -1.
int completeHistory(const QByteArray& bytes) {
    const int n = int(bytes.count("\r\n")) - 1;
    return n >= 0 && bytes == salesFileBytes(dayOf(n)) ? n : -1;
}

} // namespace

TEST(CrashLoop, KilledSavesNeverTearOrLoseLines) {
    const char* given = std::getenv("TALLIMO_CRASH_SEED");
    const std::uint64_t seed = given ? std::strtoull(given, nullptr, 10) : std::random_device{}();
    std::cout << "[ crash loop ] seed " << seed << " (TALLIMO_CRASH_SEED to repeat)" << std::endl;
    std::mt19937_64 random(seed);
    auto upTo = [&](double hi) {
        return std::chrono::microseconds(
            std::uniform_int_distribution<qint64>(0, qint64(hi))(random));
    };

    QTemporaryDir dir;
    const QString name = u"Ventas de 05-03-2024.txt"_s;
    const QString path = dir.filePath(name);
    // The child's start (fork to 'R') as a running mean, and the longest delay
    // after it: that grows while kills come before the first save and shrinks
    // once they come two saves deep, so kills land in the first few saves.
    double startUs = 3000, delayUs = 3000;
    int lines = -1; // -1: no complete save yet
    int kills = 0, inFirstSave = 0, leftoversSeen = 0;
    QStringList leftovers; // temporaries found after the previous kill
    QElapsedTimer clock;
    clock.start();

    while (kills < kTargetKills && clock.elapsed() < kBudgetMs) {
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const auto forked = Clock::now();
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::close(fds[0]);
            saveForever(path, fds[1]);
        }
        ::close(fds[1]);

        // One kill in eight lands while the child is still reading the file.
        const bool atStart = upTo(7).count() == 0;
        pollfd ready{fds[0], POLLIN, 0};
        if (atStart) {
            std::this_thread::sleep_for(upTo(startUs));
        } else if (::poll(&ready, 1, 10000) == 1) {
            startUs =
                0.9 * startUs +
                0.1 * std::chrono::duration<double, std::micro>(Clock::now() - forked).count();
            std::this_thread::sleep_for(upTo(delayUs));
        }
        ::kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        QByteArray said;
        char buffer[4096];
        for (ssize_t got; (got = ::read(fds[0], buffer, sizeof buffer)) > 0;)
            said.append(buffer, got);
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
        if (!QFileInfo::exists(path)) {
            ASSERT_EQ(lines, -1) << "the sales file vanished after kill " << kills;
            ASSERT_EQ(saves, 0) << "a save reported success but left no file";
        } else {
            const QByteArray bytes = fileBytes(path);
            const int n = completeHistory(bytes);
            ASSERT_GE(n, 0) << "kill " << kills << " left a torn file of " << bytes.size()
                            << " bytes: " << printable(bytes.right(200));
            ASSERT_GE(n, std::max(lines, 0) + saves) << "kill " << kills << ": lines lost";
            ASSERT_LE(n, std::max(lines, 0) + saves + 1)
                << "kill " << kills << ": lines from nowhere";
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
