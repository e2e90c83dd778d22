#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tallimo::summary {

struct CommandLine {
    enum class Mode { Register, Help, Window, Text, Csv, Error };
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

// Runs Help, Text, Csv and Error.
CommandResult runCommand(const CommandLine& command);

} // namespace tallimo::summary
