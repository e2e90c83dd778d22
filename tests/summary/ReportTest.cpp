// The reports' exact bytes and the command line, as a shell sees them.
#include "summary/CommandLine.h"
#include "summary/SummaryReport.h"

#include "storage/StorageTestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tallimo;
using namespace tallimo::summary;

namespace {

const QByteArray kTotal = QByteArray(50, '-') + ">Total $";

DaySummary day(const char* label, const QByteArray& bytes) {
    DaySummary summary = summariseBytes(bytes);
    summary.day = QString::fromUtf8(label);
    return summary;
}

} // namespace

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
                                "    1 x Pan = $1.50\n\n"
                                "Suma de 2 días\n  Ventas cerradas: 3\n  Total cobrado: $9.00\n"
                                "  Venta media: $3.00\n  Líneas sin cerrar: 1 ($2.00)\n"
                                "  Líneas no reconocidas: 1\n  Productos vendidos: 1\n"
                                "    3 x Pan = $4.50\n");
}

TEST(Report, CsvForTheMachinesSpreadsheet) {
    const QByteArray comma = "1,5 x Caf\xe9; molido de $10,00 = $15,00\n"
                             "-1 x =HIPERVINCULO(\"x\") de $2,00 = $-2,00\n" +
                             kTotal + "13,00\n";
    EXPECT_EQ(csvReport({day("05-12-26", comma)}),
              "\xEF\xBB\xBF"
              "Día;Producto;Cantidad;Importe\r\n05-12-26;\"Café; molido\";1,5;15,00\r\n"
              "05-12-26;\"'=HIPERVINCULO(\"\"x\"\")\";-1;-2,00\r\n");
    EXPECT_EQ(csvReport({day("=1", "2 x Pan, blanco de $1.00 = $2.00\n" + kTotal + "2.00\n")}),
              "\xEF\xBB\xBF"
              "Día,Producto,Cantidad,Importe\r\n'=1,\"Pan, blanco\",2,2.00\r\n");
}

TEST(Report, CommandLine) {
    using Mode = CommandLine::Mode;
    QTemporaryDir dir;
    const QString day = QStringLiteral(TALLIMO_TEST_DATA "/../e2e/expected/Ventas.txt");
    const QString out = dir.filePath(QStringLiteral("resumen.csv"));
    struct Row {
        const char* name;
        QStringList arguments;
        Mode mode;
        int exitCode;
        const char* printed; // a part of what goes to stdout or stderr
    };
    const Row rows[] = {
        {"no arguments: the register", {}, Mode::Register, -1, ""},
        {"the window", {"--resumen"}, Mode::Window, -1, ""},
        {"help", {"--help"}, Mode::Help, 0, "tallimo --resumen ARCHIVO... --texto"},
        {"text", {"--resumen", day, "--texto"}, Mode::Text, 0, "Total cobrado: $136.50"},
        {"csv", {"--resumen", "--csv", day}, Mode::Csv, 0, "\nVentas.txt,Café molido,2,90.00\r\n"},
        {"csv to a file", {"--resumen", day, "--csv", "--salida", out}, Mode::Csv, 0, ""},
        {"no file", {"--resumen", "--texto"}, Mode::Error, 2, "falta el archivo de ventas"},
        {"missing file",
         {"--resumen", "/no/Ventas.txt", "--texto"},
         Mode::Text,
         2,
         "no se puede leer el archivo: /no/Ventas.txt"},
        {"a folder", {"--resumen", dir.path(), "--csv"}, Mode::Csv, 2, "no se puede leer"},
        {"two forms", {"--resumen", day, "--texto", "--csv"}, Mode::Error, 2, "una sola forma"},
        {"report over its input",
         {"--resumen", day, "--texto", "--salida", day},
         Mode::Text,
         2,
         "no se escribe sobre un archivo de ventas"},
        {"report over a sales file",
         {"--resumen", day, "--csv", "--salida", "Ventas de 1-1.txt"},
         Mode::Csv,
         2,
         "no se escribe sobre un archivo de ventas"},
        {"unknown option", {"--rezumen"}, Mode::Error, 2, "opción desconocida: --rezumen"},
        {"unknown option after", {"--resumen", "-x"}, Mode::Error, 2, "opción desconocida: -x"},
        {"files without a form", {"--resumen", day}, Mode::Error, 2, "elija --texto o --csv"},
        {"--salida without a name", {"--resumen", "--csv", "--salida"}, Mode::Error, 2, "--salida"},
        {"a file named like an option",
         {"--resumen", "--texto", "--", "-v"},
         Mode::Text,
         2,
         "archivo: -v"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const CommandLine command = parseCommandLine(row.arguments);
        EXPECT_EQ(command.mode, row.mode);
        if (row.exitCode < 0)
            continue;
        const CommandResult result = runCommand(command);
        EXPECT_EQ(result.exitCode, row.exitCode);
        EXPECT_TRUE((result.out + result.err).contains(row.printed)) << result.err.toStdString();
    }
    EXPECT_EQ(test::fileBytes(out),
              csvReport({summariseBytes(test::fileBytes(day))}).replace("\n,", "\nVentas.txt,"));
}
