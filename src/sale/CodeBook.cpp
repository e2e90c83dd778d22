#include "sale/CodeBook.h"

#include "sale/Barcode.h"
#include "sale/Invoice.h"
#include "storage/Codec.h"
#include "storage/TextFile.h"

namespace tallimo {

namespace {

// One line of Codigos.txt as it reads: a product's code, a scale label's
// first 7 digits, or nothing (a comment, a blank line, a line out of shape).
struct CodeLine {
    enum class Type { None, Product, Label };
    Type type = Type::None;
    QStringView code;
    QStringView product;
    CodeMatch::Kind kind = CodeMatch::Kind::Product;
};

qsizetype firstBlank(QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isSpace())
            return i;
    }
    return -1;
}

// "precio" or "peso" as the first word, followed by a blank.
std::optional<CodeMatch::Kind> labelWord(QStringView rest) {
    const QStringView word = rest.left(firstBlank(rest));
    if (word.size() == rest.size())
        return std::nullopt;
    if (word.compare(u"precio", Qt::CaseInsensitive) == 0)
        return CodeMatch::Kind::PriceLabel;
    if (word.compare(u"peso", Qt::CaseInsensitive) == 0)
        return CodeMatch::Kind::WeightLabel;
    return std::nullopt;
}

bool allDigits(QStringView code) {
    for (const QChar c : code) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

bool isLabelPrefix(QStringView code) {
    return code.size() == 7 && code[0] == u'2' && allDigits(code);
}

CodeLine readLine(QStringView line) {
    const QStringView text = line.trimmed();
    const qsizetype blank = firstBlank(text);
    if (text.startsWith(u'#') || blank < 0)
        return {};
    CodeLine read;
    read.code = text.left(blank);
    const QStringView rest = text.sliced(blank).trimmed();
    if (const std::optional<CodeMatch::Kind> kind = labelWord(rest)) {
        // A label line with a code of another shape is a slip of the pen, not
        // a product called "peso ...": skipped, the rest of the file still works.
        if (!isLabelPrefix(read.code))
            return {};
        read.type = CodeLine::Type::Label;
        read.kind = *kind;
        read.product = rest.sliced(firstBlank(rest)).trimmed();
        return read;
    }
    read.type = CodeLine::Type::Product;
    read.product = rest;
    return read;
}

} // namespace

CodeBook::CodeBook(const QStringList& fileLines) {
    mProducts.reserve(fileLines.size());
    // When a code is on two lines the first one wins, as a person reading the
    // file from the top would take it; later ones are left alone.
    for (const QString& line : fileLines) {
        const CodeLine read = readLine(line);
        if (read.type == CodeLine::Type::Product) {
            CodeRead code = readCode(read.code);
            if (!code.misread && !mProducts.contains(code.key))
                mProducts.insert(std::move(code.key), read.product.toString());
        } else if (read.type == CodeLine::Type::Label) {
            const QString prefix = read.code.toString();
            if (!mLabels.contains(prefix))
                mLabels.insert(prefix, CodeMatch{read.kind, read.product.toString(), 0});
        }
    }
}

CodeLookup CodeBook::find(QStringView scanned) const {
    const CodeRead code = readCode(scanned);
    if (code.misread)
        return {CodeLookup::Status::Misread, {}};
    if (code.key.isEmpty())
        return {};
    if (const auto product = mProducts.constFind(code.key); product != mProducts.constEnd())
        return {CodeLookup::Status::Found, {CodeMatch::Kind::Product, *product, 0}};
    // Not misread, so 13 digits are an EAN-13 whose check digit is valid.
    if (code.key.size() == 13 && code.key.startsWith(u'2') && allDigits(code.key) &&
        !mLabels.isEmpty()) {
        const auto label = mLabels.constFind(code.key.left(7));
        if (label != mLabels.constEnd()) {
            CodeMatch match = *label;
            match.value = QStringView(code.key).sliced(7, 5).toLongLong();
            return {CodeLookup::Status::Found, std::move(match)};
        }
    }
    return {};
}

std::optional<QString> CodeBook::productOf(QStringView code) const {
    const CodeLookup lookup = find(code);
    if (lookup.status != CodeLookup::Status::Found)
        return std::nullopt;
    return lookup.match.product;
}

QStringList CodeBook::assigned(const QStringList& fileLines, QStringView code,
                               const QString& product) const {
    const QStringView written = code.trimmed();
    const QString name = product.trimmed();
    const CodeRead key = readCode(written);
    const QString newLine = written.toString() + u' ' + name;
    // Only a line that reads back as this code naming this product is written.
    const CodeLine line = readLine(newLine);
    if (key.misread || line.type != CodeLine::Type::Product || line.code != written ||
        line.product != name || name.contains(u'\n') || name.contains(u'\r'))
        return fileLines;

    QStringList lines = fileLines;
    for (QString& old : lines) {
        const CodeLine read = readLine(old);
        if (read.type == CodeLine::Type::Product && readCode(read.code).key == key.key) {
            old = newLine;
            return lines;
        }
    }
    lines.append(newLine);
    return lines;
}

int priceLineOf(const QStringList& priceList, const QString& product, const QLocale& locale) {
    const QString name = product.trimmed();
    const QString wanted = name.toCaseFolded();
    for (int i = 0; i < priceList.size(); ++i) {
        // Only a line holding the name is split: splitting every line of a long
        // list at each scan would make the cashier wait.
        if (!priceList[i].contains(name, Qt::CaseInsensitive))
            continue;
        const std::optional<PriceLineFields> fields = SplitPriceLine(priceList[i], locale);
        if (fields && fields->product.trimmed().toCaseFolded() == wanted)
            return i;
    }
    return -1;
}

std::optional<QStringList> readCodeFile(const QString& localPath) {
    removeLeftoverTemporaries(localPath); // the register writes this file too
    const std::optional<QByteArray> bytes = readFileBytes(localPath);
    if (!bytes)
        return std::nullopt;
    return decodeLines(*bytes);
}

SaveResult saveCodeFile(const QString& localPath, const QStringList& lines) {
    return saveFileAtomically(localPath, encodeLines(lines));
}

} // namespace tallimo
