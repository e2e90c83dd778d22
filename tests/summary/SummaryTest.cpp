// Which lines make closed sales, which stay open and which are not recognised;
// the reports' exact bytes; the command line as a shell sees it, and where --salida writes.
#include "sale/Amount.h"
#include "summary/CommandLine.h"
#include "summary/SummaryReport.h"

#include "support/GTestHelpers.h"

#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <tuple>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace tallimo;
using namespace tallimo::summary;

namespace {

const QByteArray kTotal = QByteArray(50, '-') + ">Total $";

// A day in one line, so a failing row shows all of it.
std::string describe(const DaySummary& day) {
    const auto n = [](double v) { return QString::number(v); };
    const auto m = [](Cents v) { return formatCents(v, QStringLiteral(".")); };
    QString out = QStringLiteral("%1 ventas %2, %3 sin cerrar %4, %5 raras |")
                      .arg(n(day.closedSales), m(day.charged), n(day.openLines), m(day.openAmount),
                           n(day.unrecognised));
    for (const ProductSale& p : day.products)
        out += QStringLiteral(" %1 %2 %3;").arg(formatQuantity(p, "."), p.product, m(p.amount));
    return out.toStdString();
}

DaySummary day(const char* label, const QByteArray& bytes) {
    DaySummary summary = summariseBytes(bytes);
    summary.day = QString::fromUtf8(label);
    return summary;
}

// A day file's bytes and its summary as describe() puts it.
struct DayRow {
    const char* name;
    QByteArray bytes;
    const char* expected;
};
const DayRow kDays[] = {
    {"comma marks, Windows-1252, lone CR",
     "2 x Caf\xe9 de $12,50 = $25,00\r1 x Pan de $0,50 = $0,50\r" + kTotal + "25,50\r",
     "1 ventas 25.50, 0 sin cerrar 0.00, 0 raras | 2 Caf\u00e9 25.00; 1 Pan 0.50;"},
    {"a total rounded from the unrounded lines, products as the lines say",
     QByteArray(".5 x Chicle de $0.25 = $0.13\n").repeated(8) + kTotal + "1.00\n",
     "1 ventas 1.00, 0 sin cerrar 0.00, 0 raras | 4 Chicle 1.04;"},
    {"products add up to what was charged",
     QByteArray(".5 x Chicle de $0.25 = $0.13\n" + kTotal + "0.13\n").repeated(100),
     "100 ventas 13.00, 0 sin cerrar 0.00, 0 raras | 50 Chicle 13.00;"},
    {"exact cents at every size",
     "1 x Chicle de $0.01 = $0.01\n1 x TV de $10000000.00 = $10000000.00\n" + kTotal +
         "10000000.01\n1 x Yate de $12345678901234.56 = $12345678901234.56\n" + kTotal +
         "12345678901234.56\n",
     "2 ventas 12345688901234.57, 0 sin cerrar 0.00, 0 raras | 1 Yate 12345678901234.56; 1 TV "
     "10000000.00; 1 Chicle 0.01;"},
    {"a quantity read with the point the register had",
     "1 x Pan de $1.00 = $1.00\n,5 x Queso de $80.00 = $0.00\n" + kTotal + "1.00\n",
     "1 ventas 1.00, 0 sin cerrar 0.00, 0 raras | 1 Pan 1.00; 0 Queso 0.00;"},
    {"a quantity read with the comma the register had",
     "1 x Pan de $1,00 = $1,00\n,5 x Queso de $80,00 = $40,00\n" + kTotal + "41,00\n",
     "1 ventas 41.00, 0 sin cerrar 0.00, 0 raras | 0.5 Queso 40.00; 1 Pan 1.00;"},
    {"abandoned sale before a paid one, open lines at the end",
     "1 x Pan de $5.00 = $5.00\n1 x Pan de $5.00 = $5.00\n1 x Leche de $3.00 = $3.00\n" + kTotal +
         "8.00\n1 x Pan de $5.00 = $5.00\n",
     "1 ventas 8.00, 2 sin cerrar 10.00, 0 raras | 1 Pan 5.00; 1 Leche 3.00;"},
    {"products holding the separators, quantity not a number",
     "1 x Vino de $casa = $ 2 x 3 de $50.00 = $50.00\nxy x Vino de $casa = $ 2 x 3 de "
     "$10.00 = $0.00\n" +
         kTotal + "50.00\n",
     "1 ventas 50.00, 0 sin cerrar 0.00, 0 raras | ? Vino de $casa = $ 2 x 3 50.00;"},
    {"a total the lines cannot make closes them all",
     "1 x Pan de $10.00 = $10.00\n" + kTotal + "15.00\n",
     "1 ventas 15.00, 0 sin cerrar 0.00, 0 raras | 1 Pan 10.00;"},
    {"a total of 0.00 is no sale", "1 x Pan de $10.00 = $10.00\n" + kTotal + "0.00\n",
     "0 ventas 0.00, 1 sin cerrar 10.00, 0 raras |"},
    {"edited lines are not recognised, never guessed",
     "1 x Pan de $10 = $10\n" + QByteArray(49, '-') + ">Total $5.00\n" + kTotal +
         "5.0\n1 x Pan de $1.00 = $1.00 \n2 x Pan de $1.00 = $2,00x\nPan $10.00\n\n\n" + kTotal +
         QByteArray(16, '9') + ".00\n",
     "0 ventas 0.00, 0 sin cerrar 0.00, 7 raras |"},
};

class DayFiles : public testing::TestWithParam<DayRow> {};

} // namespace

TEST_P(DayFiles, Summarised) {
    const DaySummary day = summariseBytes(GetParam().bytes);
    EXPECT_EQ(describe(day), GetParam().expected);
    EXPECT_EQ(day.saleTotals.size(), day.closedSales);
    EXPECT_EQ(std::accumulate(day.saleTotals.begin(), day.saleTotals.end(), Cents(0)), day.charged);
}
INSTANTIATE_TEST_SUITE_P(Rows, DayFiles, testing::ValuesIn(kDays), test::RowName());

TEST(Report, TextOfSeveralDays) {
    const QList<DaySummary> days = {day("05-12-26", "2 x Pan de $1.50 = $3.00\n" + kTotal +
                                                        "3.00\n1 x T\xe9 de $2.00 = $2.00\n"),
                                    day("06-12-26", "1 x Pan de $1.50 = $1.50\nhola\n" + kTotal +
                                                        "1.50\n" + kTotal + "4.50\n")};
    EXPECT_EQ(textReport(days), "Día 05-12-26\n  Ventas cerradas: 1\n  Total cobrado: $3.00\n"
                                "  Venta media: $3.00\n  Líneas sin cerrar: 1 ($2.00)\n"
                                "  Líneas no reconocidas: 0\n  Productos vendidos: 1\n"
                                "    2 x Pan = $3.00\n\n"
                                "Día 06-12-26\n  Ventas cerradas: 2\n  Total cobrado: $6.00\n"
                                "  Venta media: $3.00\n  Líneas sin cerrar: 0 ($0.00)\n"
                                "  Líneas no reconocidas: 1\n  Productos vendidos: 1\n"
                                "    1 x Pan = $1.50\n  Los productos suman $1.50 y el total "
                                "cobrado es $6.00: hay totales que no son la suma de sus líneas."
                                "\n\n"
                                "Suma de 2 días\n  Ventas cerradas: 3\n  Total cobrado: $9.00\n"
                                "  Venta media: $3.00\n  Líneas sin cerrar: 1 ($2.00)\n"
                                "  Líneas no reconocidas: 1\n  Productos vendidos: 1\n"
                                "    3 x Pan = $4.50\n  Los productos suman $4.50 y el total "
                                "cobrado es $9.00: hay totales que no son la suma de sus líneas."
                                "\n");
}

TEST(Report, CsvForTheMachinesSpreadsheet) {
    const QByteArray comma = "1,5 x Caf\xe9; molido de $10,00 = $15,00\n"
                             "-1 x =HIPERVINCULO(\"x\") de $2,00 = $-2,00\n" +
                             kTotal + "13,00\n";
    const QByteArray bom = "\xEF\xBB\xBF";
    EXPECT_EQ(csvReport({day("05-12-26", comma)}),
              bom + "Día;Producto;Cantidad;Importe\r\n05-12-26;\"Café; molido\";1,5;15,00\r\n"
                    "05-12-26;\"'=HIPERVINCULO(\"\"x\"\")\";-1;-2,00\r\n");
    EXPECT_EQ(csvReport({day("=1", "2 x Pan, blanco de $1.00 = $2.00\n" + kTotal + "2.00\n")}),
              bom + "Día,Producto,Cantidad,Importe\r\n'=1,\"Pan, blanco\",2,2.00\r\n");
    // Formulas behind blanks or a tab, and control bytes, in both reports.
    const QByteArray hostile = "1 x \t=1+1 de $1.00 = $1.00\n1 x  =2 de $2.00 = $2.00\n"
                               "1 x \x1b[2JRojo\x7f de $3.00 = $3.00\n" +
                               kTotal + "6.00\n";
    EXPECT_EQ(csvReport({day("1", hostile)}),
              bom + "Día,Producto,Cantidad,Importe\r\n1,\uFFFD[2JRojo\uFFFD,1,3.00\r\n"
                    "1,' =2,1,2.00\r\n1,'\uFFFD=1+1,1,1.00\r\n");
    EXPECT_TRUE(textReport({day("1", hostile)}).contains("    1 x \uFFFD[2JRojo\uFFFD = $3.00\n"));
}

TEST(Report, CommandLine) {
    using Mode = CommandLine::Mode;
    QTemporaryDir dir;
    const QString d = QStringLiteral(TALLIMO_TEST_DATA "/../e2e/expected/Ventas-es_MX.txt");
    const QString out = dir.filePath(QStringLiteral("resumen.csv"));
    const char* refused = "no se escribe sobre un archivo de ventas";
    const QString sales = QStringLiteral("Ventas de 1.txt");
    const char* unnamed = "no --csv (para un archivo con ese nombre, escriba ./--csv)";
    const char* empty = "el nombre de archivo de --salida está vacío";
    // Arguments, mode, exit code (-1: not run) and a part of what goes to stdout or stderr.
    const std::tuple<const char*, QStringList, Mode, int, const char*> rows[] = {
        {"no arguments: the register", {}, Mode::Register, -1, ""},
        {"the window", {"--resumen"}, Mode::Window, -1, ""},
        {"help", {"--help"}, Mode::Help, 0, "tallimo --resumen ARCHIVO... --texto"},
        {"version", {"--version"}, Mode::Version, 0, "tallimo 9.8.7\n"},
        {"text", {"--resumen", d, "--texto"}, Mode::Text, 0, "Total cobrado: $136.50"},
        {"csv", {"--resumen", "--csv", d}, Mode::Csv, 0, "\nVentas-es_MX.txt,Café molido,2,90.00"},
        {"csv to a file", {"--resumen", d, "--csv", "--salida", out}, Mode::Csv, 0, ""},
        {"no file", {"--resumen", "--texto"}, Mode::Error, 2, "falta el archivo de ventas"},
        {"missing file", {"--resumen", "/no/V.txt", "--texto"}, Mode::Text, 2, "leer el archivo"},
        {"two forms", {"--resumen", d, "--texto", "--csv"}, Mode::Error, 2, "una sola forma"},
        {"over its input", {"--resumen", d, "--texto", "--salida", d}, Mode::Text, 2, refused},
        {"over a sales file", {"--resumen", d, "--csv", "--salida", sales}, Mode::Csv, 2, refused},
        {"unknown option", {"--resumen", "-x"}, Mode::Error, 2, "opción desconocida: -x"},
        {"files without a form", {"--resumen", d}, Mode::Error, 2, "elija --texto o --csv"},
        {"file like an option", {"--resumen", "--texto", "--", "-v"}, Mode::Text, 2, "rchivo: -v"},
        {"--salida, no name", {"--resumen", d, "--salida", "--csv"}, Mode::Error, 2, unnamed},
        {"--salida, empty name", {"--resumen", d, "--csv", "--salida", ""}, Mode::Error, 2, empty},
    };
    for (const auto& [name, arguments, mode, exitCode, printed] : rows) {
        SCOPED_TRACE(name);
        const CommandLine command = parseCommandLine(arguments);
        EXPECT_EQ(command.mode, mode);
        if (exitCode < 0)
            continue;
        const CommandResult result = runCommand(command, QStringLiteral("9.8.7"));
        EXPECT_EQ(result.exitCode, exitCode);
        EXPECT_TRUE((result.out + result.err).contains(printed)) << result.err.toStdString();
    }
    EXPECT_TRUE(test::fileBytes(out).endsWith("\nVentas-es_MX.txt,Pan dulce,2,9.00\r\n"));
}

// Where --salida writes: into pipes and devices as a stream, over regular files
// by a safe replace, never over a sales file or an input, whatever leads there.
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
    // Name, --salida's file, exit code and a part of what goes to stderr.
    const std::tuple<const char*, const char*, int, const char*> rows[] = {
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
    for (const auto& [name, output, exitCode, error] : rows) {
        SCOPED_TRACE(name);
        const QString to = output[0] == '/' ? QString(output) : at(output);
        const CommandResult result =
            runCommand(parseCommandLine({"--resumen", input, "--csv", "--salida", to}), {});
        EXPECT_EQ(result.exitCode, exitCode);
        EXPECT_TRUE(result.err.contains(error)) << result.err.toStdString();
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
