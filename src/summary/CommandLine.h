#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tallimo::summary {

struct CommandLine {
    enum class Mode { Register, Help, Version, Window, Text, Csv, Error };
    Mode mode = Mode::Register;
    QStringList files;
    QString output; // --salida; null for standard output
    QString error;  // for Mode::Error, in Spanish
};

// The arguments after the program's name. None: the register, as always.
CommandLine parseCommandLine(const QStringList& arguments);

QString helpText();

// What a command prints and the exit code; nothing ever writes a sales file.
struct CommandResult {
    int exitCode = 0;
    QByteArray out;
    QByteArray err;
};

// Runs Help, Version, Text, Csv and Error; version is the program's ("3.7.4").
CommandResult runCommand(const CommandLine& command, const QString& version);

} // namespace tallimo::summary
