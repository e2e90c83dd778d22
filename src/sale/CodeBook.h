#pragma once

#include "storage/SaveResult.h"

#include <QHash>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace tallimo {

struct CodeMatch {
    enum class Kind { Product, PriceLabel, WeightLabel };
    Kind kind = Kind::Product;
    QString product;  // as Codigos.txt names it
    qint64 value = 0; // PriceLabel: the label's price in cents; WeightLabel: grams
};

struct CodeLookup {
    enum class Status { Found, Unknown, Misread };
    Status status = Status::Unknown;
    CodeMatch match; // when Found
};

// Codigos.txt read once: a hash by key for the scanned codes, another by the
// first 7 digits for the scale labels.
class CodeBook {
  public:
    CodeBook() = default;
    explicit CodeBook(const QStringList& fileLines); // Codigos.txt's lines
    CodeLookup find(QStringView scanned) const;      // O(1)-ish: a hash by key
    // The product the code names now (after readCode), if any.
    std::optional<QString> productOf(QStringView code) const;
    // Codigos.txt's lines with `code` naming `product`: its old line replaced in place,
    // else a new line at the end; comments and other lines kept as they are. The lines come
    // back unchanged when the pair would not read back: a misread, a code holding a blank or
    // starting with "#", an empty product or one starting with the word "precio" or "peso".
    QStringList assigned(const QStringList& fileLines, QStringView code,
                         const QString& product) const;

  private:
    QHash<QString, QString> mProducts; // key -> product
    QHash<QString, CodeMatch> mLabels; // a label's first 7 digits -> its kind and product
};

// The first price-list line whose product (the piece before the marker, as SplitPriceLine
// splits it) equals `product` without regard to case and surrounding blanks; -1 when none.
int priceLineOf(const QStringList& priceList, const QString& product, const QLocale& locale);

// Codigos.txt: Windows-1252 or UTF-8, any line ends; nullopt when missing (no codes) —
// an unreadable file is told by the caller. Saved like the sales file (crash-safe, CR LF, 1252).
std::optional<QStringList> readCodeFile(const QString& localPath);
SaveResult saveCodeFile(const QString& localPath, const QStringList& lines);

} // namespace tallimo
