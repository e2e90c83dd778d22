#include "storage/TextFile.h"
#include "storage/SalesFile.h"

#include "StorageTestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace tallimo;
using namespace tallimo::test;
using namespace Qt::StringLiterals;

namespace {

const QString kDiskFull = u"No queda espacio en el disco."_s;

// 0 reported as saved, 1 told the disk is full, 2 another reason (on stderr).
int saveOutcome(const QString& path, const QStringList& items) {
    const SaveResult result = saveSalesFile(path, items);
    const int status = result.ok ? 0 : result.reason == kDiskFull ? 1 : 2;
    if (status == 2)
        std::fputs(qPrintable(result.reason + u'\n'), stderr);
    return status;
}

#ifdef _WIN32
// The test runner hands over a folder on a disk that is full: a new file
// cannot get a byte, an old one keeps its place.
int saveWithFileSizeLimit(const QString& path, const QStringList& items, long) {
    return saveOutcome(path, items);
}
#else
// Saves in a child process whose files may not grow beyond limit bytes: to
// the save this is exactly a full disk.
int saveWithFileSizeLimit(const QString& path, const QStringList& items, long limit) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN); // make the write fail with EFBIG instead
        const rlimit rl{rlim_t(limit), rlim_t(limit)};
        ::setrlimit(RLIMIT_FSIZE, &rl);
        ::_exit(saveOutcome(path, items));
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}
#endif

} // namespace

TEST(SaveFileAtomically, ReplacesTheWholeFileOrSaysWhyNot) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Lista.txt"_s);
    SaveResult result = saveFileAtomically(dir.filePath(u"Escritorio/Lista.txt"_s), "x");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.reason, u"La carpeta no existe."_s);
    EXPECT_TRUE(folderEntries(dir.path()).isEmpty());

    ASSERT_TRUE(saveFileAtomically(path, "una linea bastante larga\r\n"));
    result = saveFileAtomically(path, "corta\r\n");
    EXPECT_TRUE(result.ok && result.reason.isEmpty());
    EXPECT_EQ(fileBytes(path), "corta\r\n");
    EXPECT_EQ(folderEntries(dir.path()), QStringList{u"Lista.txt"_s});

    ASSERT_TRUE(QDir(dir.path()).mkdir(u"Carpeta.txt"_s));
    result = saveFileAtomically(dir.filePath(u"Carpeta.txt"_s), "x");
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.reason.startsWith(u"Error al escribir el archivo ("_s))
        << printable(result.reason);
}

TEST(SaveFileAtomically, FullDiskKeepsTheOldFileAndSaysWhy) {
#ifdef _WIN32
    const QString disk = qEnvironmentVariable("TALLIMO_FULL_DISK");
    if (disk.isEmpty())
        GTEST_SKIP() << "no full disk: TALLIMO_FULL_DISK names a folder on one";
    QTemporaryDir dir(disk + u"/XXXXXX"_s);
#else
    QTemporaryDir dir;
#endif
    const QString path = dir.filePath(u"Ventas de 05-03-2024.txt"_s);
    const QByteArray old = salesFileBytes({u"1 x Pan de $10.00 = $10.00"_s});
    ASSERT_TRUE(writeBytes(path, old));

    // A large history fails inside one write; a small one would sit in a
    // write buffer until the flush if the save buffered.
    for (const auto& [lines, limit] : {std::pair<int, long>{10000, 64 * 1024}, {3, 16}}) {
        const QStringList items(lines, u"1 x Artículo de $12.50 = $12.50"_s);
        EXPECT_EQ(saveWithFileSizeLimit(path, items, limit), 1) << lines << " lines";
        EXPECT_TRUE(fileBytes(path) == old) << lines << " lines: the old file changed";
        EXPECT_EQ(folderEntries(dir.path()), QStringList{u"Ventas de 05-03-2024.txt"_s});
    }
}

// Only QSaveFile's own temporaries of that file go: "<name>." and six letters,
// unless they spell a word a person gives a copy.
TEST(RemoveLeftoverTemporaries, RemovesOnlyTheFilesOwnTemporaries) {
    const QStringList removed = {u"Lista.txt.AbCdEf"_s, u"Lista.txt.zzqQxw"_s,
                                 u"Lista.txt.PORFPR"_s, u"Lista.txt.Seuwbe"_s};
    const QStringList kept = {u"Lista.txt.backup"_s, u"Lista.txt.BACKUP"_s, u"Lista.txt.Copias"_s,
                              u"Lista.txt.AbC123"_s, u"Lista.txt.AbCdE"_s,  u"Lista.txt.AbCdEfG"_s,
                              u"ListaXtxt.AbCdEf"_s, u"lista.txt.AbCdEf"_s, u"Lista.txt"_s};
    QStringList expected = kept + QStringList{u"Lista.txt.DirAbc"_s};
    if (kNameCase == Qt::CaseInsensitive) // names that differ only in case are one file
        expected.removeIf([](const QString& e) {
            return e == u"Lista.txt.BACKUP"_s || e == u"lista.txt.AbCdEf"_s;
        });
    expected.sort();
    // Both a save and a read of a file the program writes clean up.
    for (const bool bySave : {true, false}) {
        QTemporaryDir dir;
        for (const QString& entry : removed + kept)
            ASSERT_TRUE(writeBytes(dir.filePath(entry), "datos"));
        ASSERT_TRUE(QDir(dir.path()).mkdir(u"Lista.txt.DirAbc"_s));

        const QString path = dir.filePath(u"Lista.txt"_s);
        ASSERT_TRUE(bySave ? saveFileAtomically(path, "x").ok : readSalesFile(path).has_value());
        EXPECT_EQ(folderEntries(dir.path()), expected) << (bySave ? "save" : "read");
    }
}

TEST(ReadFileBytes, OnlyARegularFileOfBoundedSizeIsRead) {
    QTemporaryDir dir;
    EXPECT_FALSE(readFileBytes(dir.filePath(u"nada.txt"_s)));
    EXPECT_FALSE(readFileBytes(dir.path()));
    const QString path = dir.filePath(u"archivo.txt"_s);
    ASSERT_TRUE(writeBytes(path, QByteArray()));
    EXPECT_EQ(readFileBytes(path), QByteArray());
    // Sparse, so the test itself stays small.
    ASSERT_TRUE(QFile::resize(path, kMaxFileBytes + 1));
    EXPECT_FALSE(readFileBytes(path));
}
