#include "storage/ScannerSettings.h"

#include "storage/Codec.h"
#include "storage/TextFile.h"

#include <QFileInfo>

#include <algorithm>

namespace tallimo {

namespace {

// A settings file of one line; anything larger is not this file.
constexpr qsizetype kMaxScannerFileBytes = 4096;

} // namespace

int parseScannerGap(const QStringList& lines) {
    for (const QString& line : lines) {
        QString trimmed = line.trimmed();
        if (trimmed.startsWith(QChar(0xFEFF))) // Notepad's UTF-8 mark
            trimmed = trimmed.sliced(1).trimmed();
        const qsizetype equals = trimmed.indexOf(u'=');
        if (equals < 0 ||
            trimmed.first(equals).trimmed().compare(u"Pausa", Qt::CaseInsensitive) != 0)
            continue;
        const QString value = trimmed.sliced(equals + 1).trimmed();
        bool ok = false;
        const int ms = value.toInt(&ok);
        const bool digitsOnly =
            !value.isEmpty() &&
            std::all_of(value.begin(), value.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
        return ok && digitsOnly && ms >= kScannerGapMinMs && ms <= kScannerGapMaxMs
                   ? ms
                   : kScannerGapDefaultMs;
    }
    return kScannerGapDefaultMs;
}

int readScannerGap(const QString& localPath) {
    if (QFileInfo(localPath).size() > kMaxScannerFileBytes)
        return kScannerGapDefaultMs;
    const auto bytes = readFileBytes(localPath);
    if (!bytes || bytes->size() > kMaxScannerFileBytes)
        return kScannerGapDefaultMs;
    return parseScannerGap(decodeLines(*bytes));
}

} // namespace tallimo
