#include "storage/TextFile.h"
#include "storage/SalesFile.h"

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

// Saves in a child process whose files may not grow beyond limit bytes: to the
// save this is exactly a full disk. Gives what the save said, empty when the
// child could not say.
QString saveWithSizeLimit(const QString& path, const QStringList& items, rlim_t limit) {
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    if (::fork() == 0) {
        std::signal(SIGXFSZ, SIG_IGN); // make the write fail with EFBIG instead
        const rlimit rl{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &rl);
        const SaveResult result = saveSalesFile(path, items);
        const QByteArray said = result.ok ? "<saved>" : result.reason.toUtf8();
        ::_exit(::write(fds[1], said.constData(), size_t(said.size())) == said.size() ? 0 : 1);
    }
    ::close(fds[1]);
    char buffer[512];
    const ssize_t got = ::read(fds[0], buffer, sizeof buffer);
    ::close(fds[0]);
    ::wait(nullptr);
    return QString::fromUtf8(buffer, std::max<ssize_t>(got, 0));
}

struct Failure {
    const char* name;
    const char* file; // in a folder that holds "Carpeta.txt/" and "Lista.txt"
    int lines;
    rlim_t limit;
    const char* reason; // how the reason starts
};

// A large history fails inside one write; a small one would sit in a write
// buffer until the flush if the save buffered.
const Failure kFailures[] = {
    {"missing folder", "Escritorio/Lista.txt", 1, RLIM_INFINITY, "La carpeta no existe."},
    {"folder in the file's place", "Carpeta.txt", 1, RLIM_INFINITY,
     "Error al escribir el archivo ("},
    {"full disk in one write", "Lista.txt", 10000, 64 * 1024, "No queda espacio en el disco."},
    {"full disk at the flush", "Lista.txt", 3, 16, "No queda espacio en el disco."},
};

class FailedSave : public testing::TestWithParam<Failure> {};

} // namespace

TEST_P(FailedSave, SaysWhyAndChangesNothing) {
    QTemporaryDir dir;
    const QByteArray old = salesFileBytes({u"1 x Pan de $10.00 = $10.00"_s});
    ASSERT_TRUE(writeBytes(dir.filePath(u"Lista.txt"_s), old));
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"Carpeta.txt"_s));
    const QStringList items(GetParam().lines, u"1 x Artículo de $12.50 = $12.50"_s);

    const QString reason =
        saveWithSizeLimit(dir.filePath(GetParam().file), items, GetParam().limit);
    EXPECT_TRUE(reason.startsWith(GetParam().reason)) << printable(reason);
    EXPECT_EQ(fileBytes(dir.filePath(u"Lista.txt"_s)), old);
    EXPECT_EQ(folderEntries(dir.path()), (QStringList{u"Carpeta.txt"_s, u"Lista.txt"_s}));
}

INSTANTIATE_TEST_SUITE_P(Rows, FailedSave, testing::ValuesIn(kFailures), RowName());

// Only QSaveFile's own temporaries of that file go: "<name>." and six letters,
// unless they spell a word a person gives a copy. Both a save and a read of a
// file the program writes clean up.
TEST(RemoveLeftoverTemporaries, RemovesOnlyTheFilesOwnTemporaries) {
    const QStringList removed = {u"Lista.txt.AbCdEf"_s, u"Lista.txt.zzqQxw"_s};
    const QStringList kept = {u"Lista.txt.BACKUP"_s, u"Lista.txt.Copias"_s,  u"Lista.txt.AbC123"_s,
                              u"Lista.txt.AbCdE"_s,  u"Lista.txt.AbCdEfG"_s, u"ListaXtxt.AbCdEf"_s,
                              u"lista.txt.AbCdEf"_s, u"Lista.txt"_s,         u"Lista.txt.DirAbc"_s};
    for (const bool bySave : {true, false}) {
        SCOPED_TRACE(bySave ? "save" : "read");
        QTemporaryDir dir;
        for (const QString& entry : removed + kept)
            ASSERT_TRUE(entry.endsWith(u"DirAbc"_s) ? QDir(dir.path()).mkdir(entry)
                                                    : writeBytes(dir.filePath(entry), "datos"));

        const QString path = dir.filePath(u"Lista.txt"_s);
        ASSERT_TRUE(bySave ? saveFileAtomically(path, "x").ok : readSalesFile(path).has_value());
        QStringList expected = kept;
        expected.sort();
        EXPECT_EQ(folderEntries(dir.path()), expected);
    }
}
