// What saves leave behind. A register killed at any moment keeps every line it
// had saved: a child process saves a growing history over and over and is
// killed (SIGKILL, or TerminateProcess on Windows) at a random moment; the file
// it leaves must be a complete earlier history. A save that fails says why and changes nothing.

#include "storage/LineList.h"
#include "storage/SalesFile.h"
#include "storage/TextFile.h"

#include "support/GTestHelpers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <random>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <poll.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

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
[[noreturn]] void saveForever(const QString& path, std::FILE* toParent) {
    LineList history; // saved the way the register saves its history
    history.keepEncoded();
    history.setLines(readSalesFile(path).value_or(QStringList()));
    for (char said = 'R';; said = 'S') {
        if (std::fputc(said, toParent) == EOF || std::fflush(toParent) != 0)
            std::_Exit(4);
        history.append(dayOf(int(history.count()) + 1).last());
        if (!saveSalesFile(path, history))
            std::_Exit(3); // a failed save would break the one-line-per-save count
    }
}

#ifdef _WIN32
// A limited row saves into a folder on a disk that is already full (made by
// scripts/test-windows), which is what the limit stands for elsewhere.
using Limit = qint64;
constexpr Limit kNoLimit = -1;

QString saveWithSizeLimit(const QString& path, const QStringList& items, Limit) {
    return saveSalesFile(path, items).reason;
}

// The child is this program again, running only the crash loop, which turns
// into saveForever when TALLIMO_CRASH_CHILD names the file; it speaks on stderr.
class SavingChild {
  public:
    explicit SavingChild(const QString& path) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"TALLIMO_CRASH_CHILD"_s, path);
        mProcess.setProcessEnvironment(environment);
        mProcess.setStandardOutputFile(QProcess::nullDevice());
        mProcess.setReadChannel(QProcess::StandardError);
        mProcess.start(QCoreApplication::applicationFilePath(), {u"--gtest_filter=CrashLoop.*"_s});
    }
    bool waitForWord(int ms) { return mProcess.waitForReadyRead(ms); }
    // What it said; killed tells whether it was still running (it never ends by itself).
    QByteArray kill(bool& killed) {
        mProcess.kill();
        killed = mProcess.waitForFinished(-1) && mProcess.exitStatus() == QProcess::CrashExit;
        return mProcess.readAllStandardError();
    }

  private:
    QProcess mProcess;
};
#else
using Limit = rlim_t;
constexpr Limit kNoLimit = RLIM_INFINITY;

class SavingChild {
  public:
    explicit SavingChild(const QString& path) {
        int fds[2];
        if (::pipe(fds) != 0)
            return;
        mPid = ::fork();
        if (mPid == 0) {
            ::close(fds[0]);
            saveForever(path, ::fdopen(fds[1], "w"));
        }
        ::close(fds[1]);
        mFd = fds[0];
    }
    ~SavingChild() { ::close(mFd); }
    bool waitForWord(int ms) {
        pollfd ready{mFd, POLLIN, 0};
        return ::poll(&ready, 1, ms) == 1;
    }
    QByteArray kill(bool& killed) {
        if (mPid > 0) // never -1: that would reach every process we may signal
            ::kill(mPid, SIGKILL);
        int status = 0;
        killed = ::waitpid(mPid, &status, 0) == mPid && WIFSIGNALED(status) &&
                 WTERMSIG(status) == SIGKILL;
        char buffer[1 << 16]; // more than the child can say before it is killed
        return {buffer, std::max<ssize_t>(::read(mFd, buffer, sizeof buffer), 0)};
    }

  private:
    pid_t mPid = -1;
    int mFd = -1;
};

// Saves while files may not grow beyond limit bytes: to the save this is exactly a full disk.
// Gives what the save said.
QString saveWithSizeLimit(const QString& path, const QStringList& items, rlim_t limit) {
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN); // make the write fail with EFBIG instead
    const rlimit limited{std::min(limit, saved.rlim_cur), saved.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &limited);
    const SaveResult result = saveSalesFile(path, items);
    ::setrlimit(RLIMIT_FSIZE, &saved), std::signal(SIGXFSZ, handler);
    return result.ok ? u"<saved>"_s : result.reason;
}
#endif

struct Failure {
    const char* name;
    const char* file; // in a folder that holds "Carpeta.txt/" and "Lista.txt"
    int lines;
    Limit limit;
    const char* reason; // how the reason starts
};

// A large history fails inside one write; a small one would sit in a write
// buffer until the flush if the save buffered.
const Failure kFailures[] = {
    {"missing folder", "Escritorio/Lista.txt", 1, kNoLimit, "La carpeta no existe."},
    {"folder in the file's place", "Carpeta.txt", 1, kNoLimit, "Error al escribir el archivo ("},
    {"full disk in one write", "Lista.txt", 10000, 64 * 1024, "No queda espacio en el disco."},
    {"full disk at the flush", "Lista.txt", 3, 16, "No queda espacio en el disco."},
};

class FailedSave : public testing::TestWithParam<Failure> {};

} // namespace

TEST(CrashLoop, KilledSavesNeverTearOrLoseLines) {
    if (const QString child = qEnvironmentVariable("TALLIMO_CRASH_CHILD"); !child.isEmpty())
        saveForever(child, stderr);
    const char* given = std::getenv("TALLIMO_CRASH_SEED");
    const std::uint64_t seed = given ? std::strtoull(given, nullptr, 10) : std::random_device{}();
    std::cout << "[ crash loop ] seed " << seed << " (TALLIMO_CRASH_SEED to repeat)" << std::endl;
    std::mt19937_64 random(seed);
    auto upTo = [&](double hi) { return std::uniform_int_distribution<int>(0, int(hi))(random); };

    QTemporaryDir dir;
    const QString name = u"Ventas de 05-03-2024.txt"_s;
    const QString path = dir.filePath(name);
    // The longest delay before a kill, in microseconds: it grows while kills
    // come before the first save and shrinks once they come two saves deep, so
    // kills land in the first few saves.
    double delayUs = 3000;
    int lines = -1; // -1: no complete save yet
    int kills = 0, inFirstSave = 0, leftoversSeen = 0;
    QStringList leftovers; // temporaries found after the previous kill
    QElapsedTimer clock;
    clock.start();

    while (kills < kTargetKills && clock.elapsed() < kBudgetMs) {
        SavingChild child(path);
        // One kill in eight is timed from the start, so it may land while the
        // child is still reading the file; the others from its first word.
        const bool atStart = upTo(7) == 0;
        if (atStart || child.waitForWord(10000))
            std::this_thread::sleep_for(std::chrono::microseconds(upTo(delayUs)));
        bool killed = false;
        const QByteArray said = child.kill(killed);
        ASSERT_TRUE(atStart || said.startsWith('R')) << "the child never read the file";
        ASSERT_TRUE(killed) << "the child ended by itself (3: a save failed)";
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

TEST_P(FailedSave, SaysWhyAndChangesNothing) {
    QTemporaryDir temporary;
    QDir dir(temporary.path());
#ifdef _WIN32
    if (GetParam().limit != kNoLimit) {
        dir.setPath(qEnvironmentVariable("TALLIMO_FULL_DISK"));
        if (dir.path().isEmpty() || dir.path() == u"."_s)
            GTEST_SKIP() << "no full disk: TALLIMO_FULL_DISK names none";
        ASSERT_TRUE(dir.removeRecursively() && dir.mkpath(u"."_s));
    }
#endif
    const QByteArray old = salesFileBytes({u"1 x Pan de $10.00 = $10.00"_s});
    ASSERT_TRUE(writeBytes(dir.filePath(u"Lista.txt"_s), old));
    ASSERT_TRUE(dir.mkdir(u"Carpeta.txt"_s));
    const QStringList items(GetParam().lines, u"1 x Artículo de $12.50 = $12.50"_s);

    const QString reason =
        saveWithSizeLimit(dir.filePath(GetParam().file), items, GetParam().limit);
    EXPECT_TRUE(reason.startsWith(GetParam().reason)) << printable(reason);
    EXPECT_EQ(fileBytes(dir.filePath(u"Lista.txt"_s)), old);
    EXPECT_EQ(folderEntries(dir.path()), (QStringList{u"Carpeta.txt"_s, u"Lista.txt"_s}));
}

INSTANTIATE_TEST_SUITE_P(Rows, FailedSave, testing::ValuesIn(kFailures), RowName());

#ifndef _WIN32
// A pipe in the file's place is replaced, never waited on for a writer.
TEST(SaveOver, APipeIsReplacedNotWaitedOn) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Ventas.txt"_s);
    ASSERT_EQ(::mkfifo(qPrintable(path), 0600), 0);
    ASSERT_TRUE(saveFileAtomically(path, "x\r\n").ok);
    EXPECT_EQ(fileBytes(path), "x\r\n");
}
#endif

// Only QSaveFile's own temporaries of that file go: "<name>." and six letters,
// unless they spell a word a person gives a copy. Both a save and a read of a
// file the program writes clean up.
TEST(RemoveLeftoverTemporaries, RemovesOnlyTheFilesOwnTemporaries) {
    QStringList removed = {u"Lista.txt.AbCdEf"_s, u"Lista.txt.zzqQxw"_s};
    // In the order a folder listing gives them.
    QStringList kept = {u"Lista.txt"_s,         u"Lista.txt.AbC123"_s, u"Lista.txt.AbCdE"_s,
                        u"Lista.txt.AbCdEfG"_s, u"Lista.txt.BACKUP"_s, u"Lista.txt.Copias"_s,
                        u"Lista.txt.DirAbc"_s,  u"ListaXtxt.AbCdEf"_s, u"lista.txt.AbCdEf"_s};
    if (kNameCase == Qt::CaseInsensitive) // there the file's own temporary
        removed << kept.takeLast();
    for (const bool bySave : {true, false}) {
        SCOPED_TRACE(bySave ? "save" : "read");
        QTemporaryDir dir;
        for (const QString& entry : removed + kept)
            ASSERT_TRUE(entry.endsWith(u"DirAbc"_s) ? QDir(dir.path()).mkdir(entry)
                                                    : writeBytes(dir.filePath(entry), "datos"));

        const QString path = dir.filePath(u"Lista.txt"_s);
        ASSERT_TRUE(bySave ? saveFileAtomically(path, "x").ok : readSalesFile(path).has_value());
        EXPECT_EQ(folderEntries(dir.path()), kept);
    }
}

#ifdef _WIN32
// Another program that holds a file for a moment delays its reading, never fails it
// (saves: tests/e2e/wine-setup.sh).
TEST(HeldFile, ReadOnceLetGo) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Lista.txt"_s);
    ASSERT_TRUE(writeBytes(path, "Pan $10\r\n"));
    const HANDLE held = ::CreateFileW(path.toStdWString().c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    std::thread holder([held] { ::Sleep(500), ::CloseHandle(held); });
    EXPECT_EQ(readFileBytes(path), "Pan $10\r\n");
    holder.join();
}
#endif
