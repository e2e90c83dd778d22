#pragma once

#include "summary/SalesSummary.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <functional>

class QTableView;

namespace tallimo {

// The window's money(): the one place where an amount becomes text.
using MoneyText = std::function<QString(Cents)>;

// A read-only table over summary rows. Cells are made only when a view asks for
// them, so a new range costs one reset, whatever the number of rows.
class SummaryTableModel : public QAbstractTableModel {
  public:
    SummaryTableModel(QStringList headers, MoneyText money, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    QVariant data(const QModelIndex& index, int role) const override;

  protected:
    virtual int rows() const = 0;
    virtual QString text(int row, int column) const = 0;
    virtual bool bold(int) const { return false; }

    MoneyText mMoney;

  private:
    QStringList mHeaders;
};

// One row per day, then the sum in bold.
class DaysModel : public SummaryTableModel {
  public:
    DaysModel(MoneyText money, QObject* parent);
    void setDays(QList<summary::DaySummary> days, summary::DaySummary sum);

  protected:
    int rows() const override { return int(mDays.size()) + 1; }
    QString text(int row, int column) const override;
    bool bold(int row) const override { return row == mDays.size(); }

  private:
    QList<summary::DaySummary> mDays;
    summary::DaySummary mSum;
};

// The products sold, in the summary's order.
class ProductsModel : public SummaryTableModel {
  public:
    ProductsModel(MoneyText money, QString decimalPoint, QObject* parent);
    void setProducts(QList<summary::ProductSale> products);

  protected:
    int rows() const override { return int(mProducts.size()); }
    QString text(int row, int column) const override;

  private:
    QList<summary::ProductSale> mProducts;
    QString mDecimalPoint;
};

// Each Fixed column as wide as its header and the widest of a few rows: the
// first ones, the last (the sum) and the longest text, since digits are all
// equally wide. Measuring every row would cost a delegate layout per cell.
void fitColumns(QTableView* table);

} // namespace tallimo
