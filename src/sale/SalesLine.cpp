#include "sale/SalesLine.h"

#include "sale/Amount.h"
#include "storage/Digits.h"

#include <cmath>
#include <string>

namespace tallimo {

const QString kTotalLinePrefix = QString(50, u'-') + QStringLiteral(">Total $");

namespace {

// No shop sells this much in a line: such a line is kept aside.
constexpr int kLargestDigits = 15;

} // namespace

std::optional<InvoiceEntry> ComposeInvoiceLine(const QString& quantity, const QString& product,
                                               const QString& price, double saleTotal,
                                               const QString& decimalPoint) {
    const auto q = ReadNumber(quantity, decimalPoint);
    const auto p = ReadNumber(price, decimalPoint);
    if (!q || !p)
        return std::nullopt;
    const double amount = *p * *q;
    const double newTotal = saleTotal + amount;
    if (!std::isfinite(amount) || !std::isfinite(newTotal))
        return std::nullopt;

    const QString line = quantity + QStringLiteral(" x ") + product + QStringLiteral(" de $") +
                         FormatAmount(*p, decimalPoint) + QStringLiteral(" = $") +
                         FormatAmount(amount, decimalPoint);
    return InvoiceEntry{line, newTotal};
}

QString TotalLine(double total, const QString& decimalPoint) {
    return kTotalLinePrefix + FormatAmount(total, decimalPoint);
}

bool IsTotalLine(const QString& line) {
    return line.startsWith(u'-');
}

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

std::optional<Cents> shownCents(double amount) {
    return readFileAmount(FormatAmount(amount, QStringLiteral(".")));
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

QChar amountMark(QStringView line) {
    return line.at(line.size() - 3);
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
                       amountMark(line)};
}

std::optional<Cents> parseTotalLine(QStringView line) {
    if (!line.startsWith(kTotalLinePrefix))
        return std::nullopt;
    return readFileAmount(line.sliced(kTotalLinePrefix.size()));
}

// What the register multiplied: the quantity read with the decimal mark it had
// (the mark it wrote the amounts with; "." is read under every mark), and the
// price it showed.
RungLine rungLine(InvoiceLine line) {
    const double quantity = ReadNumber(line.quantity, QString(line.mark)).value_or(0);
    const double exact = quantity * centsToDouble(line.price);
    return {std::move(line), quantity, std::isfinite(exact) ? exact : 0};
}

std::size_t closedRunStart(const std::vector<RungLine>& lines, Cents total) {
    Cents sum = 0;
    double exact = 0;
    std::size_t start = lines.size();
    bool matched = total == 0;
    while (!matched && start > 0) {
        sum += lines[--start].line.amount;
        exact += lines[start].exact;
        matched = sum == total || shownCents(exact) == total;
    }
    return matched ? start : 0;
}

bool isSale(Cents total, std::size_t start, std::size_t lines) {
    return total != 0 || start < lines;
}

std::optional<ClosedSale> lastClosedSale(const QStringList& history) {
    for (qsizetype end = history.size(); end > 0; --end) {
        const auto total = parseTotalLine(history[end - 1]);
        if (!total)
            continue;
        ClosedSale sale{{}, *total, end - 1};
        qsizetype from = end - 1;
        while (from > 0 && !history[from - 1].startsWith(kTotalLinePrefix))
            --from;
        // In order, so that a long run costs no more than its length.
        std::vector<RungLine> rung;
        for (qsizetype i = from; i < end - 1; ++i) {
            if (auto line = parseInvoiceLine(history[i])) {
                sale.lines.append(history[i]);
                rung.push_back(rungLine(std::move(*line)));
            }
        }
        const std::size_t start = closedRunStart(rung, *total);
        if (isSale(*total, start, rung.size())) {
            sale.lines = sale.lines.sliced(qsizetype(start));
            return sale;
        }
    }
    return std::nullopt;
}

} // namespace tallimo
