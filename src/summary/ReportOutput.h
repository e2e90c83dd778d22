#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace tallimo::summary {

// Writes a report where --salida says: a pipe, terminal or character device
// is written to as a stream; a regular file (or a new one) is replaced safely;
// anything else is refused. Never a sales file or one of the report's input
// files, whatever name or link leads to it. nullopt when written; else the
// Spanish reason.
std::optional<QString> writeReport(const QString& output, const QStringList& inputs,
                                   const QByteArray& report);

} // namespace tallimo::summary
