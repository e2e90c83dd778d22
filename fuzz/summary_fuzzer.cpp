// The day's summary on any bytes: every line is counted once, amounts stay
// finite, and both reports come out whole.

#include "FuzzSupport.h"

#include "storage/Codec.h"
#include "summary/SummaryReport.h"
#include "support/ShopDrive.h"

using namespace tallimo;
using namespace tallimo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    summary::DaySummary day = summary::summariseBytes(bytes);
    day.day = QStringLiteral("1");
    qsizetype lines = 0;
    for (const QString& line : decodeLines(bytes))
        lines += line.isEmpty() ? 0 : 1;
    require(day.closedSales + day.openLines + day.unrecognised <= lines, "no line counted twice");
    // Every recognised line's amount lands once, in a product or among the open lines.
    const QString totalPrefix = test::totalLine({});
    summary::Cents lineAmounts = 0;
    for (const QString& line : decodeLines(bytes)) {
        const auto invoice = summary::parseInvoiceLine(line);
        if (invoice && !line.startsWith(totalPrefix))
            lineAmounts += invoice->amount;
    }
    require(day.productsAmount() + day.openAmount == lineAmounts, "every line's amount once");
    // No line end is left inside a line, so none inside a field.
    require(summary::csvReport({day}).count("\r\n") == day.products.size() + 1,
            "a row per product and the header");
    require(QString::fromUtf8(summary::textReport({day, day})).contains(u"Suma de 2 días"),
            "the text report ends with the sum");
    return 0;
}
