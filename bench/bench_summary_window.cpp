// The summary window over a real catalogue: one day move with 1,000 products,
// and one move of a 366-day range at 20 products a day (1,000 in all), each
// through the real window with its reading, layout and painting, beside the same
// rows filled into a bare model. The same day move again with both days' cash
// counts files read and the count dialog open, a key typed into it each turn.
#include "InTurns.h"
#include "app/SummaryLauncher.h"
#include "summary/CashCount.h"
#include "support/FakeDialogs.h"
#include "support/ShopDrive.h"
#include "windows/frmCorte.h"
#include "windows/frmResumen.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTableView>
#include <benchmark/benchmark.h>

using namespace tallimo;
using namespace tallimo::test;

namespace {

const QDate kYearEnd(2025, 12, 31);
constexpr int kYearDays = 366;
constexpr int kCountsADay = 24; // a count each hour

// The shop's day and the day before: 1,000 products each, in sales of four; a year that ends
// before them: 20 products a day, one day more than the range so that it can move.
struct Drive : ShopDrive {
    Drive() {
        writeBytes(salesFile(shopDay()), salesDayBytes({1250}));
        writeBytes(salesFile(shopDay().addDays(-1)), salesDayBytes({1250, 4, 1000, 7}));
        for (int day = 0; day <= kYearDays; ++day)
            writeBytes(salesFile(kYearEnd.addDays(-day)), salesDayBytes({25, 4, 1000, day * 20}));
    }
    // The shop's day and the day before, counted each hour.
    void writeCounts() {
        for (const QDate day : {shopDay(), shopDay().addDays(-1)}) {
            const QString path = summary::countsFileBeside(salesFile(day));
            if (QFile::exists(path))
                continue;
            for (int hour = 0; hour < kCountsADay; ++hour) {
                summary::CashCount count{QTime(hour, 0).toString("HH:mm"), hour * 10 + 1};
                count.lastSale = hour * 10 + 10;
                count.charged = 123456, count.fondo = 50000, count.contado = 170000;
                summary::recordCount(path, count, QStringLiteral("."));
            }
        }
    }
};

Drive& drive() {
    static Drive d;
    return d;
}

// What a table shows, as text, for the bare fill.
QList<QStringList> shownRows(const QTableView* table) {
    const QAbstractItemModel* model = table->model();
    QList<QStringList> rows;
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model->columnCount(); ++column)
            cells << model->index(row, column).data().toString();
        rows << cells;
    }
    return rows;
}

void bareFill(const QList<QStringList>& rows) {
    QStandardItemModel model(int(rows.size()), rows.isEmpty() ? 0 : int(rows[0].size()));
    for (int row = 0; row < rows.size(); ++row)
        for (int column = 0; column < rows[row].size(); ++column)
            model.setItem(row, column, new QStandardItem(rows[row][column]));
    benchmark::DoNotOptimize(model.rowCount());
}

// A real arrow key to the window, then everything it posted: the views' layout
// and the paint. Taken in turns with the bare fill of what the window shows.
// withCount: the count dialog is open over the window, and each turn also types a
// digit or a backspace into its counted cash.
void moveBesideBareFill(benchmark::State& state, QDate from, QDate to, bool withCount = false) {
    drive();
    static test::FakeDialogs dialogs;
    frmResumen* window = openSummaryWindow(DriveRoot(drive().root()), shopEnvironment(), dialogs);
    window->showRange(from, to);
    QLineEdit* counted = nullptr;
    if (withCount) {
        window->openCount();
        auto* count = window->findChild<frmCorte*>();
        count->txtFondo->setText(QStringLiteral("500.00"));
        count->txtTarjeta->setText(QStringLiteral("200.00"));
        count->txtRetiros->setText(QStringLiteral("10.00"));
        counted = count->txtContado;
        counted->setText(QStringLiteral("1520.0"));
    }
    QApplication::processEvents();
    const QList<QStringList> days = shownRows(window->grdDias);
    const QList<QStringList> products = shownRows(window->grdProductos);
    int key = Qt::Key_Left;
    bench::inTurnsWithBare(
        state, "move", [&] { key = key == Qt::Key_Left ? Qt::Key_Right : Qt::Key_Left; },
        [&] {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(window, &press);
            if (counted) {
                const bool digit = key == Qt::Key_Left;
                QKeyEvent typed(QEvent::KeyPress, digit ? Qt::Key_5 : Qt::Key_Backspace,
                                Qt::NoModifier, digit ? QStringLiteral("5") : QString());
                QApplication::sendEvent(counted, &typed);
            }
            QApplication::processEvents();
            window->repaint();
        },
        [&] {
            bareFill(days);
            bareFill(products);
        });
    state.counters["rows"] = double(days.size() + products.size());
    delete window;
}

void BM_DayMove1000Products(benchmark::State& state) {
    moveBesideBareFill(state, shopDay().addDays(-1), shopDay().addDays(-1));
}
BENCHMARK(BM_DayMove1000Products)->UseManualTime()->MinTime(1)->Unit(benchmark::kMillisecond);

void BM_YearRangeMove(benchmark::State& state) {
    moveBesideBareFill(state, kYearEnd.addDays(-kYearDays), kYearEnd.addDays(-1));
}
BENCHMARK(BM_YearRangeMove)->UseManualTime()->MinTime(1)->Unit(benchmark::kMillisecond);

void BM_DayMoveWithCount(benchmark::State& state) {
    drive().writeCounts();
    moveBesideBareFill(state, shopDay().addDays(-1), shopDay().addDays(-1), true);
}
BENCHMARK(BM_DayMoveWithCount)->UseManualTime()->MinTime(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return tallimo::bench::runWithWindows(argc, argv);
}
