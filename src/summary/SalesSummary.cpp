#include "summary/SalesSummary.h"

#include "sale/Amount.h"
#include "storage/Codec.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <vector>

namespace tallimo::summary {

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

const QString kTotalPrefix = QString(50, u'-') + QStringLiteral(">Total $");

// No shop sells this much in a line; beyond it the sums of a day (or of a
// year of days) could leave the finite doubles, so such a line is kept aside.
constexpr double kLargest = 1e15;

// Read with "," as the decimal mark, the amount rules take "." as well: a file
// keeps the mark of the locale it was written under.
const QString kComma = QStringLiteral(",");

std::optional<double> withinReach(std::optional<double> value) {
    return value && std::abs(*value) < kLargest ? value : std::nullopt;
}

// The first decimal mark of a text that reads as an amount.
QChar markOf(QStringView amount) {
    return amount.at(amount.size() - 3);
}

// A quantity that is a plain number, with "." or "," as its mark; nullopt when
// it is anything else (the register still added its line, as 0 or as far as
// it read).
std::optional<double> quantityValue(QStringView text) {
    const QStringView plain = text.trimmed();
    qsizetype pos = plain.startsWith(u'-') || plain.startsWith(u'+') ? 1 : 0;
    int digits = 0;
    qsizetype mark = -1;
    for (; pos < plain.size(); ++pos) {
        if (isDigit(plain[pos]))
            ++digits;
        else if (mark < 0 && (plain[pos] == u'.' || plain[pos] == u','))
            mark = pos;
        else
            return std::nullopt;
    }
    if (digits == 0)
        return std::nullopt;
    return withinReach(ReadNumber(plain, kComma));
}

struct Pending {
    InvoiceLine line;
    double exact; // the amount before the register rounded it for the line
};

// The register adds quantity x price unrounded and rounds only what it shows;
// the line's exact amount is that product when it rounds to the amount shown.
double exactAmount(const InvoiceLine& line) {
    const double quantity = ReadNumber(line.quantity, kComma).value_or(0);
    const double exact = quantity * line.price;
    return std::isfinite(exact) && std::abs(exact - line.amount) <= 0.0051 ? exact : line.amount;
}

// A sale paid and closed is the shortest run of lines just before its total
// line whose amounts add up to the total: lines before it were left by a new
// sale without payment (the register writes no total line for those). A total
// the lines cannot make (an edited file) closes the whole run. A total of 0.00,
// written when the window closes with nothing to charge, closes nothing and is
// no sale.
std::size_t closedRunStart(const std::vector<double>& exact, double total) {
    const double tolerance = 0.005 + 1e-9 * std::max(1.0, std::abs(total));
    double sum = 0;
    std::size_t start = exact.size();
    bool matched = std::abs(total) <= tolerance;
    while (!matched && start > 0) {
        sum += exact[--start];
        matched = std::abs(sum - total) <= tolerance;
    }
    return matched ? start : 0;
}

bool isSale(double total, std::size_t start, std::size_t lines) {
    return std::abs(total) > 0.001 || start < lines;
}

class Summariser {
  public:
    DaySummary day;

    void add(QStringView text) {
        if (text.isEmpty())
            return; // the register never keeps an empty line
        if (text.startsWith(kTotalPrefix)) {
            if (const auto total = parseTotalLine(text)) {
                noteMark(text);
                close(*total);
                return;
            }
        } else if (auto line = parseInvoiceLine(text)) {
            noteMark(text);
            const double exact = exactAmount(*line);
            mPending.push_back({std::move(*line), exact});
            return;
        }
        ++day.unrecognised;
    }

    void finish() {
        leaveOpen(mPending.size());
        std::vector<ProductSale> sorted(mProducts.begin(), mProducts.end());
        std::sort(sorted.begin(), sorted.end(), [](const ProductSale& a, const ProductSale& b) {
            return a.amount != b.amount ? a.amount > b.amount : a.product < b.product;
        });
        day.products = QList<ProductSale>(sorted.begin(), sorted.end());
    }

  private:
    void noteMark(QStringView text) {
        if (day.decimalMark.isNull())
            day.decimalMark = markOf(text);
    }

    void close(double total) {
        std::vector<double> exact;
        for (const Pending& pending : mPending)
            exact.push_back(pending.exact);
        const std::size_t start = closedRunStart(exact, total);
        if (isSale(total, start, exact.size())) {
            ++day.closedSales;
            day.charged += total;
        }
        for (std::size_t i = start; i < mPending.size(); ++i)
            count(mPending[i]);
        leaveOpen(start);
        mPending.clear();
    }

    void leaveOpen(std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            ++day.openLines;
            day.openAmount += mPending[i].exact;
        }
    }

    // Products add up the exact amounts, so they add up to what was charged.
    void count(const Pending& pending) {
        const InvoiceLine& line = pending.line;
        auto it = mProducts.find(line.product);
        if (it == mProducts.end())
            it = mProducts.insert(line.product, ProductSale{line.product, 0, true, 0});
        const std::optional<double> quantity = quantityValue(line.quantity);
        it->quantity += quantity.value_or(0);
        it->quantityKnown = it->quantityKnown && quantity.has_value();
        it->amount += pending.exact;
    }

    std::vector<Pending> mPending;
    QHash<QString, ProductSale> mProducts;
};

} // namespace

std::optional<double> readFileAmount(QStringView text) {
    const qsizetype start = text.startsWith(u'-') ? 1 : 0;
    const qsizetype mark = text.size() - 3;
    if (mark <= start || (text[mark] != u'.' && text[mark] != u',') || !isDigit(text[mark + 1]) ||
        !isDigit(text[mark + 2]))
        return std::nullopt;
    for (qsizetype i = start; i < mark; ++i) {
        if (!isDigit(text[i]))
            return std::nullopt;
    }
    // The one place that knows how a file's amount is read.
    return withinReach(ReadNumber(text, kComma));
}

std::optional<InvoiceLine> parseInvoiceLine(QStringView line) {
    const qsizetype equals = line.lastIndexOf(u" = $");
    if (equals < 0)
        return std::nullopt;
    const qsizetype of = line.first(equals).lastIndexOf(u" de $");
    if (of < 0)
        return std::nullopt;
    const qsizetype times = line.first(of).indexOf(u" x ");
    const auto amount = readFileAmount(line.sliced(equals + 4));
    const auto price = readFileAmount(line.sliced(of + 5, equals - of - 5));
    if (times < 0 || !amount || !price)
        return std::nullopt;
    return InvoiceLine{line.first(times).toString(),
                       line.sliced(times + 3, of - times - 3).toString(), *price, *amount};
}

std::optional<double> parseTotalLine(QStringView line) {
    if (!line.startsWith(kTotalPrefix))
        return std::nullopt;
    return readFileAmount(line.sliced(kTotalPrefix.size()));
}

DaySummary summariseLines(const QStringList& lines) {
    Summariser summariser;
    for (const QString& line : lines)
        summariser.add(line);
    summariser.finish();
    return summariser.day;
}

DaySummary summariseBytes(QByteArrayView bytes) {
    return summariseLines(decodeLines(bytes));
}

DaySummary sumOfDays(const QList<DaySummary>& days, const QString& label) {
    DaySummary sum;
    sum.day = label;
    QHash<QString, qsizetype> index;
    for (const DaySummary& day : days) {
        sum.closedSales += day.closedSales;
        sum.charged += day.charged;
        sum.openLines += day.openLines;
        sum.openAmount += day.openAmount;
        sum.unrecognised += day.unrecognised;
        if (sum.decimalMark.isNull())
            sum.decimalMark = day.decimalMark;
        for (const ProductSale& product : day.products) {
            const auto at = index.constFind(product.product);
            if (at == index.constEnd()) {
                index.insert(product.product, sum.products.size());
                sum.products.append(product);
                continue;
            }
            ProductSale& into = sum.products[*at];
            into.quantity += product.quantity;
            into.quantityKnown = into.quantityKnown && product.quantityKnown;
            into.amount += product.amount;
        }
    }
    std::stable_sort(sum.products.begin(), sum.products.end(),
                     [](const ProductSale& a, const ProductSale& b) {
                         return a.amount != b.amount ? a.amount > b.amount : a.product < b.product;
                     });
    return sum;
}

std::optional<ClosedSale> lastClosedSale(const QStringList& history) {
    for (qsizetype end = history.size(); end > 0; --end) {
        const auto total = parseTotalLine(history[end - 1]);
        if (!total)
            continue;
        ClosedSale sale{{}, *total, end - 1};
        std::vector<double> exact;
        for (qsizetype i = end - 1; i > 0 && !history[i - 1].startsWith(kTotalPrefix); --i) {
            if (const auto line = parseInvoiceLine(history[i - 1])) {
                sale.lines.prepend(history[i - 1]);
                exact.insert(exact.begin(), exactAmount(*line));
            }
        }
        const std::size_t start = closedRunStart(exact, *total);
        if (isSale(*total, start, exact.size())) {
            sale.lines = sale.lines.sliced(qsizetype(start));
            return sale;
        }
    }
    return std::nullopt;
}

QString dayOfFileName(const QString& fileName) {
    const QString prefix = QStringLiteral("Ventas de ");
    const QString suffix = QStringLiteral(".txt");
    if (fileName.size() > prefix.size() + suffix.size() &&
        fileName.startsWith(prefix, Qt::CaseInsensitive) &&
        fileName.endsWith(suffix, Qt::CaseInsensitive))
        return fileName.sliced(prefix.size(), fileName.size() - prefix.size() - suffix.size());
    return fileName;
}

} // namespace tallimo::summary
