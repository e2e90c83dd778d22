#include "storage/SalesFile.h"
#include "storage/TextFile.h"

#include "StorageTestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tallimo;
using namespace tallimo::test;
using namespace Qt::StringLiterals;

namespace {

QStringList history(int lines)
{
    QStringList items;
    for (int i = 0; i < lines; ++i)
        items << u"1 x Artículo número %1 de $12.50 = $12.50"_s.arg(i);
    return items;
}

struct ChildSave {
    bool exited = false;
    int status = -1;
    QString reason;
};

// Saves in a child process whose files may not grow beyond limit bytes: to
// the save this is exactly a full disk.
ChildSave saveWithFileSizeLimit(const QString& path, const QStringList& items, rlim_t limit)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        std::signal(SIGXFSZ, SIG_IGN); // make the write fail with EFBIG instead
        const rlimit rl{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &rl);
        const SaveResult result = saveSalesFile(path, items);
        const QByteArray reason = result.reason.toUtf8();
        const bool sent = ::write(fds[1], reason.constData(), size_t(reason.size())) == reason.size();
        ::_exit(result.ok ? 0 : sent ? 1 : 2);
    }
    ::close(fds[1]);
    QByteArray reason;
    char buffer[256];
    ssize_t got;
    while ((got = ::read(fds[0], buffer, sizeof buffer)) > 0)
        reason.append(buffer, got);
    ::close(fds[0]);
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid)
        return {};
    return {WIFEXITED(status), WEXITSTATUS(status), QString::fromUtf8(reason)};
}

} // namespace

TEST(SaveFileAtomically, ReplacesTheWholeFileAndLeavesNothingElse)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Lista.txt"_s);
    ASSERT_TRUE(saveFileAtomically(path, "una linea bastante larga\r\n"));
    const SaveResult result = saveFileAtomically(path, "corta\r\n");
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(result.reason.isEmpty());
    EXPECT_EQ(fileBytes(path), "corta\r\n");
    EXPECT_EQ(folderEntries(dir.path()), QStringList{u"Lista.txt"_s});
}

TEST(SaveFileAtomically, FullDiskKeepsTheOldFileAndSaysWhy)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Ventas de 05-03-2024.txt"_s);
    const QByteArray old = salesFileBytes({u"1 x Pan de $10.00 = $10.00"_s});
    ASSERT_TRUE(writeBytes(path, old));

    // A large history fails inside one write; a small one would sit in a
    // write buffer until the flush if the save buffered.
    struct Row {
        int lines;
        rlim_t limit;
    } rows[] = {{10000, 64 * 1024}, {3, 16}};
    for (const Row& row : rows) {
        const ChildSave child = saveWithFileSizeLimit(path, history(row.lines), row.limit);
        ASSERT_TRUE(child.exited) << row.lines;
        EXPECT_EQ(child.status, 1) << row.lines << " lines (0: reported as saved)";
        EXPECT_EQ(child.reason, u"No queda espacio en el disco."_s) << row.lines;
        const QByteArray now = fileBytes(path);
        EXPECT_TRUE(now == old) << row.lines << " lines: the old file now holds " << now.size() << " bytes";
        EXPECT_EQ(folderEntries(dir.path()), QStringList{u"Ventas de 05-03-2024.txt"_s});
    }
}

TEST(SaveFileAtomically, MissingFolderIsReportedAndNothingIsCreated)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Escritorio/Lista.txt"_s);
    const SaveResult result = saveFileAtomically(path, "Pan $10\r\n");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.reason, u"La carpeta no existe."_s);
    EXPECT_TRUE(folderEntries(dir.path()).isEmpty());
}

TEST(SaveFileAtomically, AFolderInTheFilesPlaceIsReported)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"Lista.txt"_s));
    const SaveResult result = saveFileAtomically(dir.filePath(u"Lista.txt"_s), "Pan $10\r\n");
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.reason.isEmpty());
}

// Only QSaveFile's own temporaries of that file go: "<name>.XXXXXX".
TEST(RemoveLeftoverTemporaries, RemovesOnlyTheFilesOwnTemporaries)
{
    struct Row {
        QString entry;
        bool removed;
    } rows[] = {
        {u"Lista.txt.AbCdEf"_s, true},
        {u"Lista.txt.zzqQxw"_s, true},
        {u"Lista.txt.bak"_s, false},
        {u"Lista.txt.backup"_s, false}, // words a user may have chosen
        {u"Lista.txt.BACKUP"_s, false},
        {u"Lista.txt.Backup"_s, false},
        {u"Lista.txt.AbC123"_s, false}, // Qt's names hold letters only
        {u"Lista.txt.AbCdE"_s, false},
        {u"Lista.txt.AbCdEfG"_s, false},
        {u"Lista.txt.Ab-cDe"_s, false},
        {u"Lista.txt.AbCdEf.bak"_s, false},
        {u"ListaXtxt.AbCdEf"_s, false}, // the dot of the name is not a wildcard
        {u"lista.txt.AbCdEf"_s, false},
        {u"Otra.txt.AbCdEf"_s, false},
        {u"Lista.txt"_s, false},
    };
    // Both a save and a read of a file the program writes clean up.
    for (const bool bySave : {true, false}) {
        QTemporaryDir dir;
        QStringList kept;
        for (const Row& row : rows) {
            ASSERT_TRUE(writeBytes(dir.filePath(row.entry), "datos"));
            if (!row.removed)
                kept << row.entry;
        }
        ASSERT_TRUE(QDir(dir.path()).mkdir(u"Lista.txt.DirAbc"_s));
        kept << u"Lista.txt.DirAbc"_s;
        kept.sort();

        const QString path = dir.filePath(u"Lista.txt"_s);
        if (bySave)
            ASSERT_TRUE(saveFileAtomically(path, "Pan $10\r\n"));
        else
            ASSERT_TRUE(readSalesFile(path));
        EXPECT_EQ(folderEntries(dir.path()), kept) << (bySave ? "save" : "read");
    }
}

TEST(ReadFileBytes, OnlyARegularFileOfBoundedSizeIsRead)
{
    QTemporaryDir dir;
    EXPECT_FALSE(readFileBytes(dir.filePath(u"nada.txt"_s)));
    EXPECT_FALSE(readFileBytes(dir.path()));

    const QString empty = dir.filePath(u"vacio.txt"_s);
    ASSERT_TRUE(writeBytes(empty, QByteArray()));
    EXPECT_EQ(readFileBytes(empty), QByteArray());

    // Sparse, so the test itself stays small.
    QFile huge(dir.filePath(u"enorme.txt"_s));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(kMaxFileBytes + 1));
    huge.close();
    EXPECT_FALSE(readFileBytes(huge.fileName()));
}
