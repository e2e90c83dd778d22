#pragma once

#include "storage/SaveResult.h"

#include <QString>

class QFileDevice;

// What a durable save needs from the operating system; one file per system,
// chosen by the build.
namespace tallimo::platform {

// The system's code of the last failed call (errno, GetLastError()).
int lastError();
void clearLastError();

// Puts what was written through file on the disk; 0 or the error code.
int syncFileData(QFileDevice& file);

// Makes a replace inside folder durable; 0 or the error code.
int syncFolder(const QString& folder);

// Keeps the version a save is about to replace open until the save is over, so
// the replace does not wait while the system frees its space; the last close,
// which does, happens off the caller's thread. A handle, or -1 where there is
// nothing to hold (no such file, or a system that cannot replace an open file).
int holdPreviousVersion(const QString& localPath);
void releasePreviousVersion(int handle);

// Whether a refused open (or, replacing, a refused replace) may only mean that
// another program has the file open for a moment.
bool heldByAnotherProgram(int error, bool replacing);

// The reasons a cashier reads, whatever system the codes come from.
inline const QString kNoFolder = QStringLiteral("La carpeta no existe.");
inline const QString kDiskFull = QStringLiteral("No queda espacio en el disco.");
inline const QString kNoPermission = QStringLiteral("No hay permiso para escribir en la carpeta.");
inline const QString kInUse = QStringLiteral("Otro programa tiene abierto el archivo.");

// A failed save, its Spanish reason taken from the error code; without one,
// from Qt's own reason.
SaveResult saveFailure(int error, const QString& qtReason);

} // namespace tallimo::platform
