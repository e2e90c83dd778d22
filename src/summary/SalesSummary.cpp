#include "summary/SalesSummary.h"

#include "sale/Amount.h"
#include "storage/Codec.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace tallimo::summary {

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

const QString kTotalPrefix = QString(50, u'-') + QStringLiteral(">Total $");

// No shop sells this much in a line: such a line is kept aside.
constexpr int kLargestDigits = 15;

// The first decimal mark of a text that reads as an amount.
QChar markOf(QStringView amount) {
    return amount.at(amount.size() - 3);
}

// A quantity that is a plain number, with "." or "," as its mark; else the
// register still added its line, as 0 or as far as it read, and the summary
// shows the quantity as unknown.
bool isPlainNumber(QStringView text) {
    const QStringView plain = text.trimmed();
    qsizetype pos = plain.startsWith(u'-') || plain.startsWith(u'+') ? 1 : 0;
    int digits = 0;
    bool mark = false;
    for (; pos < plain.size(); ++pos) {
        if (isDigit(plain[pos]))
            ++digits;
        else if (!mark && (plain[pos] == u'.' || plain[pos] == u','))
            mark = true;
        else
            return false;
    }
    return digits > 0;
}

struct Pending {
    InvoiceLine line;
    double quantity; // as the register read it
    double exact;    // quantity x price unrounded, as the register added it to the sale
};

// What the register multiplied: the quantity read with the decimal mark it had
// (the mark it wrote the amounts with; "." is read under every mark), and the
// price it showed.
Pending pendingOf(InvoiceLine line) {
    const double quantity = ReadNumber(line.quantity, QString(line.mark)).value_or(0);
    const double exact = quantity * centsToDouble(line.price);
    return {std::move(line), quantity, std::isfinite(exact) ? exact : 0};
}

// The total line the register writes for a sale whose lines add up to `sum`.
std::optional<Cents> registerTotal(double sum) {
    return readFileAmount(FormatAmount(sum, QStringLiteral(".")));
}

// A sale paid and closed is the shortest run of lines just before its total
// line that makes the total: their amounts add up to it to the cent, or the
// register's own unrounded sum of them rounds to it. Lines before the run were
// left by a new sale without payment (the register writes no total line for
// those). A total the lines cannot make (an edited file) closes the whole run.
std::size_t closedRunStart(const std::vector<Pending>& pending, Cents total) {
    Cents sum = 0;
    double exact = 0;
    std::size_t start = pending.size();
    bool matched = total == 0;
    while (!matched && start > 0) {
        sum += pending[--start].line.amount;
        exact += pending[start].exact;
        matched = sum == total || registerTotal(exact) == total;
    }
    return matched ? start : 0;
}

// A total of 0.00, written when the window closes with nothing to charge,
// closes nothing and is no sale.
bool isSale(Cents total, std::size_t start, std::size_t lines) {
    return total != 0 || start < lines;
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
            mPending.push_back(pendingOf(std::move(*line)));
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

    void close(Cents total) {
        const std::size_t start = closedRunStart(mPending, total);
        if (isSale(total, start, mPending.size())) {
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
            day.openAmount += mPending[i].line.amount;
        }
    }

    void count(const Pending& pending) {
        const InvoiceLine& line = pending.line;
        auto it = mProducts.find(line.product);
        if (it == mProducts.end())
            it = mProducts.insert(line.product, ProductSale{line.product, 0, true, 0});
        it->quantity += pending.quantity;
        it->quantityKnown = it->quantityKnown && isPlainNumber(line.quantity);
        it->amount += line.amount;
    }

    std::vector<Pending> mPending;
    QHash<QString, ProductSale> mProducts;
};

Cents roundedDivision(Cents value, Cents by) {
    const Cents half = value < 0 ? -by / 2 : by / 2;
    return (value + half) / by;
}

} // namespace

std::optional<Cents> readFileAmount(QStringView text) {
    const qsizetype start = text.startsWith(u'-') ? 1 : 0;
    const qsizetype mark = text.size() - 3;
    if (mark <= start || mark - start > kLargestDigits ||
        (text[mark] != u'.' && text[mark] != u',') || !isDigit(text[mark + 1]) ||
        !isDigit(text[mark + 2]))
        return std::nullopt;
    Cents cents = 0;
    for (qsizetype i = start; i < text.size(); ++i) {
        if (i == mark)
            continue;
        if (!isDigit(text[i]))
            return std::nullopt;
        cents = cents * 10 + (text[i].unicode() - u'0');
    }
    return start ? -cents : cents;
}

QString formatCents(Cents cents, const QString& mark) {
    const bool negative = cents < 0;
    std::string digits;
    for (Cents rest = negative ? -cents : cents; rest > 0 || digits.size() < 3; rest /= 10)
        digits.insert(digits.begin(), char('0' + int(rest % 10)));
    QString out = negative ? QStringLiteral("-") : QString();
    out += QString::fromLatin1(digits.data(), qsizetype(digits.size() - 2));
    out += mark;
    out += QString::fromLatin1(digits.data() + digits.size() - 2, 2);
    return out;
}

double centsToDouble(Cents cents) {
    return double(cents) / 100;
}

Cents DaySummary::average() const {
    return closedSales ? roundedDivision(charged, closedSales) : 0;
}

Cents DaySummary::productsAmount() const {
    Cents sum = 0;
    for (const ProductSale& product : products)
        sum += product.amount;
    return sum;
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
                       line.sliced(times + 3, of - times - 3).toString(), *price, *amount,
                       markOf(line)};
}

std::optional<Cents> parseTotalLine(QStringView line) {
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
        qsizetype from = end - 1;
        while (from > 0 && !history[from - 1].startsWith(kTotalPrefix))
            --from;
        // In order, so that a long run costs no more than its length.
        std::vector<Pending> pending;
        for (qsizetype i = from; i < end - 1; ++i) {
            if (auto line = parseInvoiceLine(history[i])) {
                sale.lines.append(history[i]);
                pending.push_back(pendingOf(std::move(*line)));
            }
        }
        const std::size_t start = closedRunStart(pending, *total);
        if (isSale(*total, start, pending.size())) {
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
