// Hostile files given to every reader: each gives its stated outcome, nothing
// crashes or hangs, and memory stays in proportion to what the file holds.

#include "sale/Invoice.h"
#include "storage/ChoiceFile.h"
#include "storage/Codec.h"
#include "storage/DriveRoot.h"
#include "storage/Paths.h"
#include "storage/PriceList.h"
#include "storage/SalesFile.h"
#include "storage/TextFile.h"

#include "StorageTestSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace tallimo;
using namespace tallimo::test;
using namespace Qt::StringLiterals;

namespace {

constexpr int kAnyCount = -1;

// Makes the file at path; false when it cannot.
using Maker = std::function<bool(const QString& path)>;

Maker bytes(const QByteArray& content) {
    return [content](const QString& path) { return writeBytes(path, content); };
}

Maker folder() {
    return [](const QString& path) { return QDir().mkdir(path); };
}

#ifndef _WIN32 // Windows has no pipes in folders, and QFile::link makes shortcut files there
Maker fifo() {
    return [](const QString& path) {
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    };
}

Maker linkTo(const QString& target) {
    return [target](const QString& path) { return QFile::link(target, path); };
}

Maker linkToItself() {
    return [](const QString& path) { return QFile::link(path, path); };
}
#endif

Maker sparse(qint64 size) {
    return [size](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.resize(size);
    };
}

// Seeded, so a failing row can be made again; CR and LF are replaced by
// other bytes, then a CR LF ends every lineLength bytes.
QByteArray randomBytes(qsizetype size, int lineLength) {
    std::mt19937_64 random(
        20240305); // not QRandomGenerator's engine type, which a static Qt shares
    QByteArray out(size, Qt::Uninitialized);
    for (char& c : out) {
        c = char(random());
        if (lineLength > 0 && (c == '\r' || c == '\n'))
            c = char(0xA0);
    }
    if (lineLength > 0) {
        for (qsizetype at = lineLength; at + 2 <= size; at += lineLength + 2) {
            out[at] = '\r';
            out[at + 1] = '\n';
        }
    }
    return out;
}

struct Row {
    const char* what;
    Maker make;
    // readPriceList: nullopt when the file cannot be read, else the item count
    // (kAnyCount: any) and, when not null, the first item.
    std::optional<int> items;
    QString first;
    std::optional<int> sales; // readSalesFile's item count, kAnyCount for any
    std::optional<qint16> choice;
    QString priceField = {}; // the price shown for the first item, when not null
};

std::vector<Row> hostileFiles() {
    const auto no = std::nullopt;
    const QByteArray randomLines = randomBytes(1 << 20, 1000);
    const int randomLineCount = (1 << 20) / 1002 + 1;
    return {
        {"random binary", bytes(randomBytes(1 << 20, 0)), kAnyCount, {}, kAnyCount, no},
        {"random binary in lines", bytes(randomLines), randomLineCount,
         decodeWindows1252(randomLines.left(1000)), randomLineCount, no},
        {"NUL bytes inside lines", bytes(QByteArray("Pan\0 $10\r\n\0\0\0\r\n", 14)), 2,
         u"Pan"_s + QChar(0) + u" $10"_s, 2, no, u"10.00"_s},
        {"only NUL bytes", bytes(QByteArray(4096, '\0')), 1, QString(4096, QChar(0)), 1, no},
        {"a 20 MB line", bytes(QByteArray(20 << 20, '9')), 1, QString(20 << 20, u'9'), 1, no},
        {"a million short lines", bytes(QByteArray("7\n").repeated(1000000)), 1000000, u"7"_s,
         1000000, 7},
        {"a million dollar signs", bytes(QByteArray(1000000, '$')), 1, QString(1000000, u'$'), 1,
         no, u""_s},
        {"invalid UTF-8 is Windows-1252", bytes("Caf\xE9 $12\r\n\xC3"), 2, u"Café $12"_s, 2, no,
         u"12.00"_s},
        {"overlong UTF-8", bytes("\xC0\xAF $5\r\n"), 1, u"À¯ $5"_s, 1, no, u"5.00"_s},
        {"UTF-8 with a byte order mark", bytes("\xEF\xBB\xBF 1 \r\nCaf\xC3\xA9 $12\r\n"), 2,
         u" 1 "_s, 2, 1},
        {"UTF-16 with a byte order mark",
         bytes(QByteArray("\xFF\xFE"
                          "1\0\r\0\n\0",
                          8)),
         3, u"ÿþ1"_s + QChar(0), 3, no},
        {"only CR", bytes("\r"), 1, u""_s, 0, no},
        {"only LF", bytes("\n"), 1, u""_s, 0, no},
        {"CR LF CR", bytes("\r\n\r"), 2, u""_s, 0, no},
        {"a thousand CRs", bytes(QByteArray(1000, '\r')), 1000, u""_s, 0, no},
        {"empty first line", bytes("\r\n1\r\n"), 2, u""_s, 1, no},
        {"0 bytes", bytes(""), 0, {}, 0, no},
        {"far out of range", bytes("1e99999\r\n"), 1, u"1e99999"_s, 1, no},
        {"price far out of range", bytes("Vino $1e99999\r\n"), 1, u"Vino $1e99999"_s, 1, no,
         u"1e99999"_s},
        {"a lone minus", bytes("-"), 1, u"-"_s, 1, no},
        {"price a lone minus", bytes("Pan $-\r\n"), 1, u"Pan $-"_s, 1, no, u"-"_s},
        {"choice 99999", bytes("99999\r\n"), 1, u"99999"_s, 1, no},
        {"choice -32769", bytes("-32769\r\n"), 1, u"-32769"_s, 1, no},
        {"choice 1.5 with blanks", bytes(" 1.5 \r\n"), 1, u" 1.5 "_s, 1, 2},
        {"choice 2.5", bytes("2.5"), 1, u"2.5"_s, 1, 2},
        {"choice abc", bytes("abc\r\n"), 1, u"abc"_s, 1, no},
        {"a folder in the file's place", folder(), no, {}, no, no},
#ifndef _WIN32
        {"a pipe that nobody writes", fifo(), no, {}, no, no},
        {"a link to an endless device", linkTo(u"/dev/zero"_s), no, {}, no, no},
        {"a link to nothing", linkTo(u"/nonexistent/tallimo"_s), no, {}, no, no},
        {"a link to itself", linkToItself(), no, {}, no, no},
#endif
        {"larger than the cap (sparse)", sparse(kMaxFileBytes + 1), no, {}, no, no},
    };
}

// The kernel's peak resident size (VmHWM) or current one (VmRSS), in bytes.
qint64 statusBytes(const char* field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(field, 0) == 0)
            return std::stoll(line.substr(std::string(field).size())) * 1024;
    }
    return 0;
}

// Writing "5" restarts the peak from the current size; false where that is refused.
bool resetPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return bool(clear);
}

} // namespace

TEST(BadFiles, EveryReaderGivesItsOutcomeWithBoundedMemory) {
    // Typed addresses for the folder "Precios" and the names the file may have
    // on disk; rows take them in turn.
    const QStringList typed = {
        uR"(C:\Precios)"_s,  uR"(c:\PRECIOS\)"_s, uR"(C:/precios//.\)"_s, uR"(C:\\Precios\\\)"_s,
#ifndef _WIN32 // a Linux path; on Windows the temporary folder is on C:
        u"{root}/Precios"_s,
#endif
    };
    const QStringList onDisk = {u"probex2.txt"_s, u"Probex2.txt"_s, u"PROBEX2.TXT"_s};
    const bool peakResets = resetPeak();
    if (!peakResets)
        std::cout << "[ bad files ] peak memory cannot be reset here: growth is not checked"
                  << std::endl;

    int i = 0;
    for (const Row& row : hostileFiles()) {
        SCOPED_TRACE(row.what);
        QTemporaryDir dir;
        ASSERT_TRUE(QDir(dir.path()).mkdir(u"Precios"_s));
        const QString path = dir.path() + u"/Precios/"_s + onDisk[i % onDisk.size()];
        ASSERT_TRUE(row.make(path));
        const QFileInfo info(path);
        // What a reader may hold in memory: only a regular file within the cap.
        const qint64 readable = info.isFile() && info.size() <= kMaxFileBytes ? info.size() : 0;

        QElapsedTimer rowClock;
        rowClock.start();
        resetPeak();
        const qint64 before = statusBytes("VmRSS:");
        {
            const std::optional<QStringList> items = readPriceList(path);
            ASSERT_EQ(items.has_value(), row.items.has_value());
            if (items) {
                if (*row.items != kAnyCount) {
                    EXPECT_EQ(items->size(), *row.items);
                }
                if (!row.first.isNull()) {
                    ASSERT_FALSE(items->isEmpty());
                    EXPECT_TRUE(items->first() == row.first) << printable(items->first().left(80));
                }
                if (!row.priceField.isNull()) {
                    const auto fields = SplitPriceLine(items->first(), QLocale::c());
                    ASSERT_TRUE(fields);
                    EXPECT_EQ(fields->price, row.priceField);
                }
            }
        }
        {
            const std::optional<QStringList> sales = readSalesFile(path);
            ASSERT_EQ(sales.has_value(), row.sales.has_value());
            if (sales && *row.sales != kAnyCount) {
                EXPECT_EQ(sales->size(), *row.sales);
            }
            if (sales) {
                EXPECT_FALSE(sales->contains(QString())) << "an empty line was kept";
            }
        }
        EXPECT_EQ(readChoiceFile(path), row.choice);

        // The same file found through a typed address, as the address window does.
        QString address = typed[i % typed.size()];
        address.replace(u"{root}"_s, dir.path());
        const std::optional<QString> mapped =
            DriveRoot(dir.path()).map(paths::addressFilePath(address));
        ASSERT_TRUE(mapped) << address.toStdString();
        EXPECT_EQ(mapped->compare(path, kNameCase), 0) << address.toStdString();
        if (readable < (64 << 10)) { // the large ones are the same file, already read
            const std::optional<QStringList> viaAddress = readPriceList(*mapped);
            EXPECT_EQ(viaAddress.has_value(), row.items.has_value());
            if (viaAddress && *row.items != kAnyCount) {
                EXPECT_EQ(viaAddress->size(), *row.items);
            }
        }

        // Per byte: the bytes (1), their UTF-16 text (2) and the lines cut from
        // it (2), for each read; under AddressSanitizer the freed
        // copies stay resident in its quarantine, so all four add up (20).
        // Per line: a list entry and a heap block with redzones (400). Growth
        // beyond that means a reader copies without bound or reads a file it
        // should refuse (the sparse one would add 256 MiB).
        const qint64 lines = row.items && *row.items > 0 ? *row.items : 0;
        const qint64 bound = 20 * readable + 400 * lines + (32 << 20);
        const qint64 growth = statusBytes("VmHWM:") - before;
        if (peakResets) {
            EXPECT_LE(growth, bound)
                << "peak grew " << (growth >> 20) << " MiB for " << readable << " bytes";
        }
        std::cout << "[ bad files ] " << row.what << ": " << readable << " bytes, peak +"
                  << (growth >> 10) << " KiB, " << rowClock.elapsed() << " ms" << std::endl;
        ++i;
    }
}

// Addresses that lead to no file: no crash, and nothing is read.
TEST(BadFiles, TypedAddressesThatLeadNowhere) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"Precios"_s));
    ASSERT_TRUE(writeBytes(dir.filePath(u"Precios/probex2.txt"_s), "Pan $10\r\n"));
    const DriveRoot root(dir.path());
    const QString typed[] = {
        u""_s,
        u"   "_s,
        u"Precios"_s,
        uR"(D:\Precios)"_s,
        uR"(\\servidor\Precios)"_s,
        u"C:"_s,
        uR"(C:\Precios\probex2.txt)"_s,
        uR"(C:\Precios)"_s + QChar(0) + u"x"_s,
        uR"(C:\Precios)"_s + QChar(0x202E),
        u"ｃ:\\Precios"_s, // fullwidth letter
        u"C:\\"_s + QString(300, u'x'),
        u"C:\\"_s + u"a\\"_s.repeated(100000),
        u"C:\\"_s + QString(QChar(0xD800)) + u"\\"_s,
        u"/dev/zero\\"_s,
        u"/proc/self/fd"_s,
    };
    for (const QString& address : typed) {
        const std::optional<QString> mapped = root.map(paths::addressFilePath(address));
        if (mapped) {
            EXPECT_TRUE(QDir::isAbsolutePath(*mapped)) << printable(address.left(80));
            EXPECT_FALSE(readPriceList(*mapped)) << printable(address.left(80));
        }
    }
}
