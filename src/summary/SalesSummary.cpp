#include "summary/SalesSummary.h"

#include "storage/Codec.h"
#include "storage/Digits.h"

#include <QHash>
#include <algorithm>
#include <vector>

namespace tallimo::summary {

namespace {

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

class Summariser {
  public:
    DaySummary day;

    void add(QStringView text) {
        if (text.isEmpty())
            return; // the register never keeps an empty line
        if (text.startsWith(kTotalLinePrefix)) {
            if (const auto total = parseTotalLine(text)) {
                noteMark(text);
                close(*total);
                return;
            }
        } else if (auto line = parseInvoiceLine(text)) {
            noteMark(text);
            mRung.push_back(rungLine(std::move(*line)));
            return;
        }
        ++day.unrecognised;
    }

    void finish() {
        leaveOpen(mRung.size());
        std::vector<ProductSale> sorted(mProducts.begin(), mProducts.end());
        std::sort(sorted.begin(), sorted.end(), [](const ProductSale& a, const ProductSale& b) {
            return a.amount != b.amount ? a.amount > b.amount : a.product < b.product;
        });
        day.products = QList<ProductSale>(sorted.begin(), sorted.end());
    }

  private:
    void noteMark(QStringView text) {
        if (day.decimalMark.isNull())
            day.decimalMark = amountMark(text);
    }

    void close(Cents total) {
        const std::size_t start = closedRunStart(mRung, total);
        if (isSale(total, start, mRung.size())) {
            ++day.closedSales;
            day.charged += total;
            day.saleTotals.append(total);
        }
        for (std::size_t i = start; i < mRung.size(); ++i)
            count(mRung[i]);
        leaveOpen(start);
        mRung.clear();
    }

    void leaveOpen(std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            ++day.openLines;
            day.openAmount += mRung[i].line.amount;
        }
    }

    void count(const RungLine& rung) {
        const InvoiceLine& line = rung.line;
        auto it = mProducts.find(line.product);
        if (it == mProducts.end())
            it = mProducts.insert(line.product, ProductSale{line.product, 0, true, 0});
        it->quantity += rung.quantity;
        it->quantityKnown = it->quantityKnown && isPlainNumber(line.quantity);
        it->amount += line.amount;
    }

    std::vector<RungLine> mRung;
    QHash<QString, ProductSale> mProducts;
};

Cents roundedDivision(Cents value, Cents by) {
    const Cents half = value < 0 ? -by / 2 : by / 2;
    return (value + half) / by;
}

} // namespace

Cents DaySummary::average() const {
    return closedSales ? roundedDivision(charged, closedSales) : 0;
}

Cents DaySummary::productsAmount() const {
    Cents sum = 0;
    for (const ProductSale& product : products)
        sum += product.amount;
    return sum;
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
        sum.saleTotals += day.saleTotals;
        sum.counts += day.counts;
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
