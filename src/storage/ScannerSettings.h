#pragma once

#include <QString>
#include <QStringList>

namespace tallimo {

// Escaner.txt on the desktop: "Pausa=<ms>", the longest pause the scanner leaves
// between the characters of a code (a slow wireless one needs more).
inline constexpr int kScannerGapDefaultMs = 50;
inline constexpr int kScannerGapMinMs = 20;
inline constexpr int kScannerGapMaxMs = 200;

// The pause the lines set; the default for a missing line or a value that is not
// a whole number of milliseconds from the minimum to the maximum: a scanner
// setting never stops a sale.
int parseScannerGap(const QStringList& lines);
// The same for the file; a missing or unreadable file gives the default.
int readScannerGap(const QString& localPath);

} // namespace tallimo
