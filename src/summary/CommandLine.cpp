#include "summary/CommandLine.h"

#include "storage/TextFile.h"
#include "summary/ReportOutput.h"
#include "summary/SummaryReport.h"

#include <QFileInfo>

namespace tallimo::summary {

namespace {

CommandLine failure(const QString& message) {
    return {CommandLine::Mode::Error, {}, {}, message};
}

CommandResult errorResult(const QString& message) {
    return {2, {}, (QStringLiteral("tallimo: ") + message + u'\n').toUtf8()};
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    if (arguments.isEmpty())
        return {};
    if (arguments.size() == 1 &&
        (arguments[0] == u"--help" || arguments[0] == u"-h" || arguments[0] == u"--ayuda"))
        return {CommandLine::Mode::Help, {}, {}, {}};
    if (arguments.size() == 1 && arguments[0] == u"--version")
        return {CommandLine::Mode::Version, {}, {}, {}};
    if (arguments[0] != u"--resumen")
        return failure(
            QStringLiteral("opción desconocida: %1. Vea tallimo --help.").arg(arguments[0]));

    CommandLine command{CommandLine::Mode::Window, {}, {}, {}};
    bool onlyFiles = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool format = argument == u"--texto" || argument == u"--csv";
        if (onlyFiles || !argument.startsWith(u'-') || argument == u"-") {
            command.files.append(argument);
        } else if (argument == u"--") {
            onlyFiles = true;
        } else if (format && command.mode != CommandLine::Mode::Window) {
            return failure(QStringLiteral("elija una sola forma: --texto o --csv."));
        } else if (format) {
            command.mode =
                argument == u"--texto" ? CommandLine::Mode::Text : CommandLine::Mode::Csv;
        } else if (argument == u"--salida" && !command.output.isNull()) {
            return failure(QStringLiteral("--salida lleva un solo nombre de archivo."));
        } else if (argument == u"--salida") {
            if (i + 1 == arguments.size())
                return failure(QStringLiteral("falta el nombre de archivo después de --salida."));
            command.output = arguments[++i];
            if (command.output.isEmpty())
                return failure(QStringLiteral("el nombre de archivo de --salida está vacío."));
            // "--salida --csv" lost its file name; "./--csv" names such a file.
            if (command.output.startsWith(u'-'))
                return failure(QStringLiteral("--salida lleva un nombre de archivo, no %1 (para un "
                                              "archivo con ese nombre, escriba ./%1).")
                                   .arg(command.output));
        } else {
            return failure(
                QStringLiteral("opción desconocida: %1. Vea tallimo --help.").arg(argument));
        }
    }
    const bool report = command.mode != CommandLine::Mode::Window;
    if (report && command.files.isEmpty())
        return failure(QStringLiteral("falta el archivo de ventas: tallimo --resumen ARCHIVO... %1")
                           .arg(command.mode == CommandLine::Mode::Text ? QStringLiteral("--texto")
                                                                        : QStringLiteral("--csv")));
    if (!report && !command.files.isEmpty())
        return failure(QStringLiteral("con archivos, elija --texto o --csv."));
    if (!report && !command.output.isNull())
        return failure(QStringLiteral("--salida va con --texto o --csv."));
    return command;
}

QString helpText() {
    return QStringLiteral(
        "Uso:\n"
        "  tallimo                      abre la caja registradora\n"
        "  tallimo --resumen            abre el resumen de ventas del día\n"
        "  tallimo --resumen ARCHIVO... --texto\n"
        "                               escribe el resumen de los archivos de ventas\n"
        "  tallimo --resumen ARCHIVO... --csv\n"
        "                               escribe los productos vendidos por día en CSV\n"
        "\n"
        "Opciones:\n"
        "  --texto           el resumen como texto\n"
        "  --csv             una fila por producto y día, para una hoja de cálculo\n"
        "  --salida ARCHIVO  escribe en ARCHIVO en lugar de la pantalla\n"
        "  --                lo que sigue son archivos, aunque empiecen con -\n"
        "  -h, --help        muestra esta ayuda\n"
        "  --version         muestra el nombre y la versión del programa\n"
        "\n"
        "El resumen solo lee los archivos de ventas: nunca los cambia.\n");
}

CommandResult runCommand(const CommandLine& command, const QString& version) {
    switch (command.mode) {
    case CommandLine::Mode::Help:
        return {0, helpText().toUtf8(), {}};
    case CommandLine::Mode::Version:
        return {0, QStringLiteral("tallimo %1\n").arg(version).toUtf8(), {}};
    case CommandLine::Mode::Error:
        return errorResult(command.error);
    case CommandLine::Mode::Text:
    case CommandLine::Mode::Csv:
        break;
    default:
        return errorResult(QStringLiteral("esta orden abre una ventana."));
    }
    QList<DaySummary> days;
    for (const QString& file : command.files) {
        // One read of the whole file: the register replaces it whole, never in place.
        const std::optional<QByteArray> bytes = readFileBytes(file);
        if (!bytes)
            return errorResult(QStringLiteral("no se puede leer el archivo: %1").arg(file));
        days.append(summariseBytes(*bytes));
        days.last().day = dayOfFileName(QFileInfo(file).fileName());
        // The counts are an addition: without their file the day is still reported.
        days.last().counts = readCountsFile(countsFileBeside(file)).counts;
    }
    const QByteArray report =
        command.mode == CommandLine::Mode::Text ? textReport(days) : csvReport(days);
    if (command.output.isNull())
        return {0, report, {}};
    if (const std::optional<QString> refused = writeReport(command.output, command.files, report))
        return errorResult(*refused);
    return {0, {}, {}};
}

} // namespace tallimo::summary
