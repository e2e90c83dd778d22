#include "windows/SummaryTableModel.h"

#include "summary/SummaryReport.h"

#include <QFont>
#include <QHeaderView>
#include <QTableView>
#include <algorithm>

namespace tallimo {

namespace {

constexpr int kSampleRows = 32;

} // namespace

SummaryTableModel::SummaryTableModel(QStringList headers, MoneyText money, QObject* parent)
    : QAbstractTableModel(parent), mMoney(std::move(money)), mHeaders(std::move(headers)) {}

int SummaryTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows();
}

int SummaryTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(mHeaders.size());
}

QVariant SummaryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < mHeaders.size())
        return mHeaders[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

QVariant SummaryTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(index.column() == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                                       : Qt::AlignRight | Qt::AlignVCenter);
    case Qt::FontRole:
        if (bold(index.row())) {
            QFont font;
            font.setBold(true);
            return font;
        }
        return {};
    default:
        return {};
    }
}

DaysModel::DaysModel(MoneyText money, QObject* parent)
    : SummaryTableModel({QStringLiteral("Día"), QStringLiteral("Ventas cerradas"),
                         QStringLiteral("Total cobrado"), QStringLiteral("Venta media"),
                         QStringLiteral("Líneas sin cerrar"), QStringLiteral("Importe sin cerrar"),
                         QStringLiteral("No reconocidas")},
                        std::move(money), parent) {}

void DaysModel::setDays(QList<summary::DaySummary> days, summary::DaySummary sum) {
    beginResetModel();
    mDays = std::move(days);
    mSum = std::move(sum);
    endResetModel();
}

QString DaysModel::text(int row, int column) const {
    const summary::DaySummary& day = row < mDays.size() ? mDays[row] : mSum;
    if (column == 0)
        return day.day;
    if (!day.found)
        return column == 1 ? QStringLiteral("sin archivo") : QString();
    switch (column) {
    case 1:
        return QString::number(day.closedSales);
    case 2:
        return mMoney(day.charged);
    case 3:
        return mMoney(day.average());
    case 4:
        return QString::number(day.openLines);
    case 5:
        return mMoney(day.openAmount);
    default:
        return QString::number(day.unrecognised);
    }
}

ProductsModel::ProductsModel(MoneyText money, QString decimalPoint, QObject* parent)
    : SummaryTableModel(
          {QStringLiteral("Producto"), QStringLiteral("Cantidad"), QStringLiteral("Importe")},
          std::move(money), parent),
      mDecimalPoint(std::move(decimalPoint)) {}

void ProductsModel::setProducts(QList<summary::ProductSale> products) {
    beginResetModel();
    mProducts = std::move(products);
    endResetModel();
}

QString ProductsModel::text(int row, int column) const {
    const summary::ProductSale& product = mProducts[row];
    switch (column) {
    case 0:
        return product.product;
    case 1:
        return summary::formatQuantity(product, mDecimalPoint);
    default:
        return mMoney(product.amount);
    }
}

void fitColumns(QTableView* table) {
    QHeaderView* header = table->horizontalHeader();
    const QAbstractItemModel* model = table->model();
    const int rows = model->rowCount();
    const int columns = model->columnCount();
    for (int column = 0; column < columns; ++column) {
        if (header->sectionResizeMode(column) != QHeaderView::Fixed ||
            (header->stretchLastSection() && column == columns - 1))
            continue;
        int longest = 0;
        qsizetype longestSize = -1;
        for (int row = 0; row < rows; ++row) {
            const qsizetype size = model->index(row, column).data().toString().size();
            if (size > longestSize)
                longest = row, longestSize = size;
        }
        QList<int> sample{longest, rows - 1};
        for (int row = 0; row < std::min(rows, kSampleRows); ++row)
            sample.append(row);
        int width = header->sectionSizeHint(column);
        for (int row : sample) {
            if (row >= 0) // the grid line is the cell's too, as the view measures it
                width = std::max(width, table->sizeHintForIndex(model->index(row, column)).width() +
                                            (table->showGrid() ? 1 : 0));
        }
        header->resizeSection(column, width);
    }
}

} // namespace tallimo
