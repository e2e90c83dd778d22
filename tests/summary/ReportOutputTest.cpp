// Where --salida writes: into pipes and devices as a stream, over regular files
// by a safe replace, never over a sales file or an input, whatever leads there.
#include "summary/CommandLine.h"

#include "support/GTestHelpers.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace tallimo;
using namespace tallimo::summary;

namespace {

CommandResult csvTo(const QString& input, const QString& output) {
    return runCommand(parseCommandLine({"--resumen", input, "--csv", "--salida", output}), {});
}

} // namespace

TEST(ReportOutput, NeverHarmsAFile) {
    TALLIMO_LINUX_ONLY("links, named pipes, devices and chattr");
#ifndef _WIN32
    QTemporaryDir dir;
    const auto at = [&](const char* name) { return dir.filePath(QString::fromUtf8(name)); };
    const QByteArray day =
        "1 x Pan de $1.00 = $1.00\r\n" + QByteArray(50, '-') + ">Total $1.00\r\n";
    const QString sales = at("Ventas de 1-1-26.txt"), input = at("dia.txt");
    ASSERT_TRUE(test::writeBytes(sales, day) && test::writeBytes(input, day));
    ASSERT_TRUE(QFile::link(sales, at("ventas.csv")) && QFile::link(input, at("entrada.csv")) &&
                QFile::link(at("Ventas de 2-1-26.txt"), at("nueva.csv")));
    ASSERT_EQ(::link(qPrintable(input), qPrintable(at("otro-nombre.csv"))), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir("carpeta"));
    ASSERT_TRUE(test::writeBytes(at("fija.csv"), "fija"));
    ASSERT_EQ(std::system(qPrintable("chattr +i " + at("fija.csv"))), 0);
    ASSERT_EQ(::mkfifo(qPrintable(at("tubo")), 0600), 0);
    const int reader = ::open(qPrintable(at("tubo")), O_RDONLY | O_NONBLOCK);

    const char* refused = "no se escribe sobre un archivo de ventas";
    const struct {
        const char *name, *output;
        int exitCode;
        const char* error;
    } rows[] = {
        {"a link to a sales file", "ventas.csv", 2, refused},
        {"a link to an input", "entrada.csv", 2, refused},
        {"a dangling link named as a sales file", "nueva.csv", 2, refused},
        {"another name of an input", "otro-nombre.csv", 2, refused},
        {"a folder", "carpeta", 2, "carpeta es una carpeta"},
        {"a read-only file", "fija.csv", 2, "el archivo es de solo lectura"},
        {"a device, as a stream", "/dev/null", 0, ""},
        {"a named pipe, as a stream", "tubo", 0, ""},
        {"a regular file, replaced", "resumen.csv", 0, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString output = row.output[0] == '/' ? QString(row.output) : at(row.output);
        const CommandResult result = csvTo(input, output);
        EXPECT_EQ(result.exitCode, row.exitCode);
        EXPECT_TRUE(result.err.contains(row.error)) << result.err.toStdString();
    }
    std::system(qPrintable("chattr -i " + at("fija.csv")));
    const QByteArray csv = test::fileBytes(at("resumen.csv"));
    EXPECT_TRUE(csv.endsWith("dia.txt,Pan,1,1.00\r\n")) << test::printable(csv);
    QByteArray piped(4096, '\0');
    piped.truncate(std::max<qsizetype>(0, ::read(reader, piped.data(), piped.size())));
    ::close(reader);
    EXPECT_EQ(piped, csv);
    EXPECT_EQ(test::fileBytes(sales), day);
    EXPECT_EQ(test::fileBytes(input), day);
    EXPECT_EQ(test::fileBytes(at("fija.csv")), "fija");
    EXPECT_FALSE(QFileInfo(at("Ventas de 2-1-26.txt")).exists());
    EXPECT_FALSE(QFileInfo("/dev/null").isFile());
#endif
}
