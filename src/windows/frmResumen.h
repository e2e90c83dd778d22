#pragma once

#include "summary/SalesSummary.h"

#include <QDate>
#include <QIcon>
#include <QTime>
#include <QWidget>
#include <functional>
#include <optional>

class QDateEdit;
class QLabel;
class QTableView;

namespace tallimo {

class Dialogs;
class DaysModel;
class ProductsModel;
class SalesChart;

// What the summary window needs from the program: where a day's sales file
// is (the chosen folder layout's desktop, the file-name date), today, the
// decimal mark to show amounts with, the icon, where a day's cash counts are
// kept, and who tells the cashier what went wrong.
struct SummarySource {
    std::function<std::optional<QString>(const QDate&)> salesFile;
    QDate today;
    QString decimalPoint;
    QIcon icon;
    std::function<std::optional<QString>(const QDate&)> countsFile;
    Dialogs* dialogs = nullptr;
    std::function<QTime()> clock = [] { return QTime::currentTime(); }; // a count's time
};

// "Resumen de ventas": the days from dtpDesde to dtpHasta, one row each and the
// sum, the products sold, and a bar per day. Only reads the sales files; F8
// records today's cash count.
class frmResumen : public QWidget {
    Q_OBJECT
  public:
    explicit frmResumen(SummarySource source, QWidget* parent = nullptr);

    QDateEdit* dtpDesde = nullptr;
    QDateEdit* dtpHasta = nullptr;
    QTableView* grdDias = nullptr;
    QTableView* grdProductos = nullptr;
    SalesChart* chtDias = nullptr;
    QLabel* lblAyuda = nullptr;

    // Shows from..to (at most a year, ending at `to`), reading each day's file once.
    void showRange(QDate from, QDate to);
    // Both ends move by `days`: the arrows.
    void moveDays(int days);
    // F8: "Corte de caja" for today, whatever the range shows.
    void openCount();

  signals:
    // F9: the days shown, from `from` on, with their counts, to be printed.
    void printAsked(QDate from, const QList<summary::DaySummary>& days);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void buildControls();
    // With how many of its counts do not read, when asked.
    summary::DaySummary readDay(QDate date, int* unreadable = nullptr) const;
    void fillTables(QList<summary::DaySummary> days, const QStringList& labels);
    QString money(Cents value) const;

    SummarySource mSource;
    DaysModel* mDays = nullptr;
    ProductsModel* mProducts = nullptr;
    QList<summary::DaySummary> mShown;
};

} // namespace tallimo
