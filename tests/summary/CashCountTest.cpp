// The cash count's arithmetic, its typed fields, its file's bytes, and a
// register killed while it records a count.
#include "storage/TextFile.h"
#include "summary/CommandLine.h"
#include "summary/SummaryReport.h"

#include "support/GTestHelpers.h"

#include <QDir>
#include <QTemporaryDir>

#include <csignal>
#include <thread>
#include <tuple>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace tallimo;
using namespace tallimo::summary;

namespace {

const QString kMax = formatCents(kMaxCountCents, QStringLiteral("."));

CashCount typed(const QList<Cents>& totals, const QList<CashCount>& earlier,
                const QStringList& fields, const QString& mark) {
    const CountPeriod period = nextPeriod(totals, earlier);
    CashCount count{QStringLiteral("18:05"), period.firstSale, period.lastSale, period.charged};
    Cents* into[] = {&count.fondo, &count.tarjeta, &count.retiros, &count.contado};
    for (int i = 0; i < 4; ++i)
        *into[i] = readCountField(fields[i], mark).value_or(-1);
    return count;
}

} // namespace

TEST(CashCount, Arithmetic) {
    const CashCount upToSecond{{}, 1, 2};
    // Sale totals, earlier counts, fondo/tarjeta/retiros/contado, mark; then
    // "first-last charged expected difference".
    const std::tuple<const char*, QList<Cents>, QList<CashCount>, QStringList, QString, const char*>
        rows[] = {
            {"one cent short",
             {10000, 2550},
             {},
             {"500", "200", "100", "325.49"},
             ".",
             "1-2 125.50 325.50 Faltante $0.01"},
            {"a change of shift counts only the later sales",
             {10000, 2550, 700},
             {upToSecond},
             {"0", "", "", "7.01"},
             ".",
             "3-3 7.00 7.00 Sobrante $0.01"},
            {"no sale since the last count",
             {10000, 2550},
             {upToSecond},
             {"500", "", "", "500"},
             ",",
             "3-2 0,00 500,00 Cuadra"},
            {"card and withdrawals above the total",
             {1000},
             {},
             {"0", "50", "20,5", ""},
             ",",
             "1-1 10,00 -60,50 Sobrante $60,50"},
            {"a file edited down below what was counted",
             {100},
             {{{}, 1, 5}},
             {"", "", "", ""},
             ".",
             "6-5 0.00 0.00 Cuadra"},
            {"near the largest amounts",
             {kMaxCountCents},
             {},
             {kMax, "", "", kMax},
             ".",
             "1-1 999999999999999.99 1999999999999999.98 Faltante $999999999999999.99"},
        };
    for (const auto& [name, totals, earlier, fields, mark, expected] : rows) {
        const CashCount c = typed(totals, earlier, fields, mark);
        EXPECT_EQ(QStringLiteral("%1-%2 %3 %4 %5")
                      .arg(c.firstSale)
                      .arg(c.lastSale)
                      .arg(formatCents(c.charged, mark), formatCents(c.expected(), mark),
                           differenceText(c.difference(), mark)),
                  QString::fromUtf8(expected))
            << name;
    }
}

TEST(CashCount, TypedFields) {
    // Text, mark, cents (-1: refused).
    const std::tuple<const char*, QString, const char*, Cents> rows[] = {
        {"blank is nothing", "  ", ".", 0},
        {"a dollar sign and blanks", " $ 12 ", ".", 1200},
        {"the machine's comma", "12,5", ",", 1250},
        {"a point under a comma", "0.05", ",", 5},
        {"the largest", kMax, ".", kMaxCountCents},
        {"a mark and no decimals", "12.", ".", 1200},
        {"a comma not the mark", "12,5", ".", -1},
        {"a sign", "-5", ".", -1},
        {"two marks", "1,000.00", ",", -1},
        {"three decimals", "1.234", ".", -1},
        {"thousands by blanks", "1 000", ".", -1},
        {"only the sign", "$", ".", -1},
        {"a cent above the largest", "1000000000000000.00", ".", -1},
        {"other digits", "\u0661\u0662", ".", -1},
        {"only a mark", ".", ".", -1},
    };
    for (const auto& [name, text, mark, cents] : rows)
        EXPECT_EQ(readCountField(text, mark).value_or(-1), cents) << name;
}

// The counts file keeps what it holds, even a block that does not read, and
// is read back with either mark, as 8-bit or UTF-8 text.
TEST(CashCount, FileBytesAndReadingBack) {
    QTemporaryDir dir;
    const QString path = countsFileBeside(dir.filePath(QStringLiteral("Ventas de 05-12-26.txt")));
    EXPECT_EQ(path, dir.filePath(QStringLiteral("Cortes de 05-12-26.txt")));
    const QByteArray edited = "Corte de caja 1, 9:00\r\nRevis\xe9 yo";
    ASSERT_TRUE(test::writeBytes(path, edited));
    const CashCount first{"18:05", 13, 20, 123450, 50000, 20000, 10000, 143000};
    const CashCount none{"19:30", 21, 20, 0, 0, 0, 0, 1};
    ASSERT_TRUE(recordCount(path, first, QStringLiteral(".")) &&
                recordCount(path, none, QStringLiteral(",")));
    EXPECT_EQ(test::fileBytes(path),
              edited +
                  "\r\n\r\nCorte de caja 2, 18:05\r\nVentas: 13 a 20\r\nTotal cobrado: $1234.50\r\n"
                  "Fondo inicial: $500.00\r\nTarjeta y otros medios: $200.00\r\nRetiros: "
                  "$100.00\r\nEfectivo esperado: $1434.50\r\nEfectivo contado: $1430.00\r\n"
                  "Diferencia: Faltante $4.50\r\n\r\nCorte de caja 3, 19:30\r\nVentas: "
                  "ninguna\r\nTotal cobrado: $0,00\r\nFondo inicial: $0,00\r\nTarjeta y "
                  "otros medios: $0,00\r\nRetiros: $0,00\r\nEfectivo esperado: $0,00\r\n"
                  "Efectivo contado: $0,01\r\nDiferencia: Sobrante $0,01\r\n\r\n");
    const QByteArray utf8 = test::fileBytes(path).replace("\r\n", "\n").replace('\xe9', "é");
    for (const QByteArray& bytes : {test::fileBytes(path), utf8}) {
        const CountsRead read = readCounts(bytes);
        ASSERT_EQ(read.counts.size(), 2);
        EXPECT_EQ(read.unreadable, 1);
        EXPECT_EQ(countBlock(read.counts[0], 2, "."), countBlock(first, 2, "."));
        EXPECT_EQ(countBlock(read.counts[1], 3, "."), countBlock(none, 3, "."));
        EXPECT_EQ(nextPeriod({1, 2}, read.counts).firstSale, 21);
    }
    // A file that is there but cannot be read is never written over.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Cortes.txt")));
    EXPECT_FALSE(
        recordCount(dir.filePath(QStringLiteral("Cortes.txt")), first, ".").reason.isEmpty());
}

// A register killed while it records keeps every count it recorded, whole.
TEST(CashCount, KilledWhileRecording) {
    TALLIMO_LINUX_ONLY("fork and SIGKILL");
#ifndef _WIN32
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Cortes de 1.txt"));
    for (int kill = 0, recorded = 0; kill < 40; ++kill) {
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            for (Cents n = recorded;; ++n) // each count holds its place in the file
                if (!recordCount(path, {"10:00", 1, 0, 0, 0, 0, 0, n}, ".") ||
                    ::write(fds[1], "S", 1) != 1)
                    std::_Exit(3);
        }
        ::close(fds[1]);
        std::this_thread::sleep_for(std::chrono::microseconds(kill * 500));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_TRUE(::waitpid(child, &status, 0) == child && WIFSIGNALED(status));
        char said[4096];
        const ssize_t saves = std::max<ssize_t>(::read(fds[0], said, sizeof said), 0);
        ::close(fds[0]);
        const CountsRead read = readCounts(readFileBytes(path).value_or(QByteArray()));
        ASSERT_EQ(read.unreadable, 0) << test::printable(test::fileBytes(path).right(300));
        ASSERT_GE(read.counts.size(), recorded + saves);
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
    const auto report = [&] {
        const CommandResult result = runCommand(
            parseCommandLine({QStringLiteral("--resumen"), sales, QStringLiteral("--texto")}), "1");
        EXPECT_EQ(result.exitCode, 0);
        return result.out;
    };
    const QByteArray before = report();
    ASSERT_TRUE(recordCount(countsFileBeside(sales), {"18:05", 1, 1, 500, 100, 0, 0, 600}, "."));
    EXPECT_EQ(report(), before.chopped(1) +
                            "  Cortes de caja: 1\n    Corte de caja 1, 18:05\n    Ventas: 1 "
                            "a 1\n    Total cobrado: $5.00\n    Fondo inicial: $1.00\n    "
                            "Tarjeta y otros medios: $0.00\n    Retiros: $0.00\n    Efectivo "
                            "esperado: $6.00\n    Efectivo contado: $6.00\n    Diferencia: "
                            "Cuadra\n\n");
    ASSERT_TRUE(QFile::remove(countsFileBeside(sales)) &&
                QDir(dir.path()).mkdir(QStringLiteral("Cortes de 05-12-26.txt")));
    EXPECT_EQ(report(), before);
}
