#include "summary/ReportOutput.h"

#include "storage/TextFile.h"
#include "summary/SalesSummary.h"

#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

namespace tallimo::summary {

namespace {

namespace fs = std::filesystem;

fs::path toPath(const QString& path) {
    return fs::path(path.toStdU16String());
}

bool isSalesFileName(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    return !name.isEmpty() && dayOfFileName(name) != name;
}

// The names that lead to the destination: as given, each link on the way, and
// the file at the end (which may not exist yet).
QStringList namesOnTheWay(const QString& output) {
    QStringList names{output};
    QFileInfo info(output);
    for (int depth = 0; depth < 64 && info.isSymLink(); ++depth) {
        names.append(info.symLinkTarget());
        info.setFile(info.symLinkTarget());
    }
    if (const QString canonical = QFileInfo(output).canonicalFilePath(); !canonical.isEmpty())
        names.append(canonical);
    return names;
}

bool isOneOf(const QString& output, const QStringList& inputs) {
    const QString absolute = QFileInfo(output).absoluteFilePath();
    for (const QString& input : inputs) {
        std::error_code error;
        if (QFileInfo(input).absoluteFilePath() == absolute ||
            fs::equivalent(toPath(input), toPath(output), error))
            return true; // the same file, through a link or another name for it
    }
    return false;
}

std::optional<QString> writeStream(const QString& output, const QByteArray& report) {
    QFile stream(output);
    if (!stream.open(QIODevice::WriteOnly | QIODevice::ExistingOnly | QIODevice::Unbuffered) ||
        stream.write(report) != report.size())
        return QStringLiteral("no se puede escribir en %1: %2").arg(output, stream.errorString());
    return std::nullopt;
}

} // namespace

std::optional<QString> writeReport(const QString& output, const QStringList& inputs,
                                   const QByteArray& report) {
    const QStringList names = namesOnTheWay(output);
    for (const QString& name : names) {
        if (isSalesFileName(name))
            return QStringLiteral("no se escribe sobre un archivo de ventas: %1").arg(output);
    }
    if (isOneOf(output, inputs))
        return QStringLiteral("no se escribe sobre un archivo de ventas: %1").arg(output);

    std::error_code error;
    const fs::file_status status = fs::status(toPath(output), error);
    switch (status.type()) {
    case fs::file_type::fifo:
    case fs::file_type::character:
        return writeStream(output, report);
    case fs::file_type::directory:
        return QStringLiteral("%1 es una carpeta: --salida lleva un nombre de archivo.")
            .arg(output);
    case fs::file_type::regular:
        if (!QFileInfo(output).isWritable())
            return QStringLiteral("el archivo es de solo lectura: %1").arg(output);
        break;
    case fs::file_type::not_found:
        break;
    default:
        return QStringLiteral("%1 no es un archivo común: el resumen no se escribe ahí.")
            .arg(output);
    }
    const SaveResult saved = saveFileAtomically(output, report);
    if (!saved.ok)
        return QStringLiteral("no se puede escribir %1: %2").arg(output, saved.reason);
    return std::nullopt;
}

} // namespace tallimo::summary
