// The cash count's arithmetic, its typed fields, its file's bytes, and a
// register killed while it records a count.
#include "summary/CashCount.h"
#include "storage/TextFile.h"
#include "summary/CommandLine.h"

#include "support/GTestHelpers.h"

#include <QDir>
#include <QTemporaryDir>

#include <csignal>
#include <tuple>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace tallimo;
using namespace tallimo::summary;

namespace {
const QString kMax = formatCents(kMaxCountCents, QStringLiteral("."));
const QString kData = QStringLiteral(TALLIMO_TEST_DATA "/summary/");
} // namespace

TEST(CashCount, Arithmetic) {
    // Sale totals, sales counted before (1 to n), "fondo|tarjeta|retiros|contado", mark;
    // then "first-last charged expected difference".
    const std::tuple<const char*, QString, int, QString, QString, QString> rows[] = {
        {"one cent short", "100 25.50", 0, "500|200|100|325.49", ".",
         "1-2 125.50 325.50 Faltante $0.01"},
        {"a change of shift counts only the later sales", "100 25.50 7", 2, "0|||7.01", ".",
         "3-3 7.00 7.00 Sobrante $0.01"},
        {"no sale since the last count", "100 25.50", 2, "500|||500", ",",
         "3-2 0,00 500,00 Cuadra"},
        {"card and withdrawals above the total", "10", 0, "0|50|20,5|", ",",
         "1-1 10,00 -60,50 Sobrante $60,50"},
        {"a file edited down below what was counted", "1", 5, "|||", ".", "6-5 0.00 0.00 Cuadra"},
        {"near the largest amounts", kMax, 0, kMax + "|||" + kMax, ".",
         "1-1 999999999999999.99 1999999999999999.98 Faltante $999999999999999.99"},
    };
    for (const auto& [name, sales, before, typed, mark, expected] : rows) {
        QList<Cents> totals;
        for (const QString& total : sales.split(u' '))
            totals.append(*readCountField(total, "."));
        const CountPeriod p = nextPeriod(totals, QList<CashCount>(before ? 1 : 0, {{}, 1, before}));
        CashCount c{{}, p.firstSale, p.lastSale, p.charged};
        Cents* into[] = {&c.fondo, &c.tarjeta, &c.retiros, &c.contado};
        for (int i = 0; i < 4; ++i)
            *into[i] = readCountField(typed.section(u'|', i, i), mark).value_or(-1);
        EXPECT_EQ(QStringLiteral("%1-%2 ").arg(c.firstSale).arg(c.lastSale) +
                      formatCents(c.charged, mark) + u' ' + formatCents(c.expected(), mark) + u' ' +
                      differenceText(c.difference(), mark),
                  expected)
            << name;
    }
}

TEST(CashCount, TypedFields) {
    // Text, mark, cents (-1: refused).
    const std::tuple<const char*, const char*, const char*, Cents> rows[] = {
        {"blank is 0", "  ", ".", 0},
        {"a dollar sign and blanks", " $ 12 ", ".", 1200},
        {"the comma", "12,5", ",", 1250},
        {"a point under a comma", "0.05", ",", 5},
        {"the largest", "999999999999999.99", ".", kMaxCountCents},
        {"no decimals", "12.", ".", 1200},
        {"a comma not the mark", "12,5", ".", -1},
        {"a sign", "-5", ".", -1},
        {"two marks", "1,000.00", ",", -1},
        {"three decimals", "1.234", ".", -1},
        {"thousands", "1 000", ".", -1},
        {"only the sign", "$", ".", -1},
        {"a cent above", "1000000000000000.00", ".", -1},
        {"other digits", "\u0661\u0662", ".", -1},
        {"only a mark", ".", ".", -1},
    };
    for (const auto& [name, text, mark, cents] : rows)
        EXPECT_EQ(readCountField(QString::fromUtf8(text), mark).value_or(-1), cents) << name;
}

// The counts file keeps what it holds, even a block that does not read, and
// is read back with either mark, as 8-bit or UTF-8 text.
TEST(CashCount, FileBytesAndReadingBack) {
    QTemporaryDir dir;
    const QString path = countsFileBeside(dir.filePath(QStringLiteral("Ventas de 05-12-26.txt")));
    EXPECT_EQ(path, dir.filePath(QStringLiteral("Cortes de 05-12-26.txt")));
    ASSERT_TRUE(test::writeBytes(path, "Corte de caja 1, 9:00\r\nRevis\xe9 yo"));
    const CashCount first{"18:05", 13, 20, 123450, 50000, 20000, 10000, 143000};
    const CashCount none{"19:30", 21, 20, 0, 0, 0, 0, 1};
    ASSERT_TRUE(recordCount(path, first, ".") && recordCount(path, none, ","));
    const QByteArray golden = test::fileBytes(kData + "cortes.txt");
    EXPECT_EQ(test::fileBytes(path), golden);
    for (const QByteArray& bytes :
         {golden, QByteArray(golden).replace("\r\n", "\n").replace('\xe9', "é")}) {
        const CountsRead read = readCounts(bytes);
        ASSERT_EQ(read.counts.size(), 2);
        EXPECT_EQ(read.unreadable, 1);
        EXPECT_EQ(countBlock(read.counts[0], 2, ".") + countBlock(read.counts[1], 3, "."),
                  countBlock(first, 2, ".") + countBlock(none, 3, "."));
        EXPECT_EQ(nextPeriod({1, 2}, read.counts).firstSale, 21);
    }
    // A file that is there but cannot be read is never written over.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Cortes.txt")));
    EXPECT_FALSE(
        recordCount(dir.filePath(QStringLiteral("Cortes.txt")), first, ".").reason.isEmpty());
}

// A register killed while it records keeps every count it recorded, whole:
// each count's contado is its place in the file.
TEST(CashCount, KilledWhileRecording) {
    TALLIMO_LINUX_ONLY("fork and SIGKILL");
#ifndef _WIN32
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Cortes de 1.txt"));
    for (int kill = 0, recorded = 0; kill < 40; ++kill) {
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const pid_t child = ::fork();
        for (Cents n = recorded; child == 0; ++n) {
            if (!recordCount(path, {"10:00", 1, 0, 0, 0, 0, 0, n}, ".") ||
                ::write(fds[1], "S", 1) != 1)
                std::_Exit(3);
        }
        ::close(fds[1]);
        ::usleep(useconds_t(kill) * 500);
        ::kill(child, SIGKILL);
        int status = 0;
        char said[4096];
        ASSERT_TRUE(::waitpid(child, &status, 0) == child && WIFSIGNALED(status));
        const ssize_t saves = std::max<ssize_t>(::read(fds[0], said, sizeof said), 0);
        ::close(fds[0]);
        const CountsRead read = readCounts(readFileBytes(path).value_or(QByteArray()));
        ASSERT_TRUE(read.unreadable == 0 && read.counts.size() >= recorded + saves) << kill;
        for (qsizetype i = 0; i < read.counts.size(); ++i)
            ASSERT_EQ(read.counts[i].contado, Cents(i));
        recorded = int(read.counts.size());
    }
#endif
}

// --texto shows each day's counts under it; without a counts file it reads as before.
TEST(CashCount, TextReport) {
    QTemporaryDir dir;
    const QString sales = dir.filePath(QStringLiteral("Ventas de 05-12-26.txt"));
    ASSERT_TRUE(test::writeBytes(sales, "1 x Pan de $5.00 = $5.00\r\n" + QByteArray(50, '-') +
                                            ">Total $5.00\r\n"));
    const CommandLine command =
        parseCommandLine({QStringLiteral("--resumen"), sales, QStringLiteral("--texto")});
    const QByteArray golden = test::fileBytes(kData + "resumen-con-cortes.txt");
    const QByteArray without = golden.first(golden.indexOf("  Cortes")) + '\n';
    EXPECT_EQ(runCommand(command, "1").out, without);
    ASSERT_TRUE(recordCount(countsFileBeside(sales), {"18:05", 1, 1, 500, 100, 0, 0, 600}, "."));
    EXPECT_EQ(runCommand(command, "1").out, golden);
    ASSERT_TRUE(QFile::remove(countsFileBeside(sales)) &&
                QDir(dir.path()).mkdir(QStringLiteral("Cortes de 05-12-26.txt")));
    const CommandResult unreadable = runCommand(command, "1");
    EXPECT_EQ(unreadable.out + QByteArray::number(unreadable.exitCode), without + '0');
}
