// Codigos.txt on any bytes and any scanned code: the book reads every file,
// a code assigned is found naming its product, and a key reads as itself.

#include "FuzzSupport.h"

#include "sale/Barcode.h"
#include "sale/CodeBook.h"
#include "storage/Codec.h"

#include <algorithm>

using namespace tallimo;
using namespace tallimo::fuzz;

// Before the first NUL: the scanned code, then a tab and the product to assign
// it to; after it: the file's bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::size_t split = 0;
    while (split < size && data[split] != 0)
        ++split;
    const QString typed = textOf(data, split);
    const qsizetype tab = typed.indexOf(u'\t');
    const QString code = tab < 0 ? typed : typed.left(tab);
    const QString product = tab < 0 ? QStringLiteral("Producto") : typed.sliced(tab + 1);
    const std::size_t fileStart = split < size ? split + 1 : size;
    const QStringList lines = decodeLines(QByteArrayView(
        reinterpret_cast<const char*>(data + fileStart), qsizetype(size - fileStart)));

    const CodeRead read = readCode(code);
    const CodeRead again = readCode(read.key);
    require(again.key == read.key && again.misread == read.misread, "a key reads as itself", code);

    const CodeBook book(lines);
    const CodeLookup found = book.find(code);
    require((found.status == CodeLookup::Status::Misread) == read.misread,
            "a misread is told exactly when the check digit is wrong", code);
    require(found.status != CodeLookup::Status::Found || !found.match.product.isEmpty(),
            "a code found names a product", code);
    if (found.status == CodeLookup::Status::Found && found.match.kind != CodeMatch::Kind::Product) {
        const bool digits = std::all_of(read.key.begin(), read.key.end(), isAsciiDigit);
        require(digits && read.key.size() == 13 && read.key.front() == u'2' &&
                    found.match.value == read.key.mid(7, 5).toLongLong(),
                "a label is 13 digits starting with 2, its value digits 8 to 12", code);
    }

    const QStringList written = book.assigned(lines, code, product);
    if (written == lines)
        return 0;
    require(written.size() == lines.size() || written.size() == lines.size() + 1,
            "one line replaced or added", code);
    const CodeLookup now = CodeBook(written).find(code);
    require(now.status == CodeLookup::Status::Found && now.match.kind == CodeMatch::Kind::Product &&
                now.match.product == product.trimmed(),
            "a code assigned is found naming its product", code + u'\t' + product);
    return 0;
}
