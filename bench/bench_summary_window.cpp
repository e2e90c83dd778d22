// The summary window over a real catalogue: one day move with 1,000 products,
// and one move of a 366-day range at 20 products a day (1,000 in all), each
// through the real window with its reading, layout and painting, beside the same
// rows filled into a bare model.
#include "InTurns.h"
#include "app/SummaryLauncher.h"
#include "storage/Codec.h"
#include "storage/Paths.h"
#include "widgets/Fonts.h"
#include "windows/frmResumen.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

using namespace tallimo;

namespace {

const QDate kBusyDay(2026, 12, 5); // and the day before: 1,000 products each
const QDate kYearEnd(2025, 12, 31);
constexpr int kYearDays = 366;
constexpr int kCatalogue = 1000;

Environment environment() {
    return {[] { return kBusyDay; }, QLocale(QLocale::Spanish, QLocale::Mexico),
            [] { return QStringLiteral("cajera"); }};
}

QString product(int i) {
    static const QString names[] = {"Piñata de colores", "Café molido de altura", "Jabón de baño",
                                    "Azúcar morena", "Pan dulce"};
    return QStringLiteral("%1 %2").arg(names[i % 5]).arg(i);
}

// Sales of four lines, each line a product of the catalogue, as the register writes them.
QByteArray dayBytes(int first, int count) {
    QStringList lines;
    double total = 0;
    for (int n = 0; n < count; ++n) {
        const int i = (first + n) % kCatalogue;
        const int quantity = 1 + i % 3;
        const double price = 4.5 + (i % 40) * 1.25;
        lines << QStringLiteral("%1 x %2 de $%3 = $%4")
                     .arg(quantity)
                     .arg(product(i))
                     .arg(price, 0, 'f', 2)
                     .arg(price * quantity, 0, 'f', 2);
        total += price * quantity;
        if (n % 4 == 3 || n == count - 1) {
            lines << QString(50, u'-') + QStringLiteral(">Total $%1").arg(total, 0, 'f', 2);
            total = 0;
        }
    }
    return encodeLines(lines) + "\r\n";
}

struct Drive {
    QTemporaryDir dir;
    QString desktop = dir.path() + "/Documents and Settings/cajera/Escritorio";
    void write(QDate date, const QByteArray& bytes) const {
        const QString name = paths::fileNameDate(date, environment().shortDateFormat());
        QFile file(desktop + "/Ventas de " + name + ".txt");
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
    Drive() {
        QDir().mkpath(desktop);
        write(kBusyDay, dayBytes(0, kCatalogue));
        write(kBusyDay.addDays(-1), dayBytes(7, kCatalogue));
        // One day more than the range, so that it can move.
        for (int day = 0; day <= kYearDays; ++day)
            write(kYearEnd.addDays(-day), dayBytes(day * 20, 20));
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
void moveBesideBareFill(benchmark::State& state, QDate from, QDate to) {
    drive();
    frmResumen* window = openSummaryWindow(DriveRoot(drive().dir.path()), environment());
    window->showRange(from, to);
    QApplication::processEvents();
    const QList<QStringList> days = shownRows(window->grdDias);
    const QList<QStringList> products = shownRows(window->grdProductos);
    int key = Qt::Key_Left;
    bench::inTurnsWithBare(
        state, "move", [&] { key = key == Qt::Key_Left ? Qt::Key_Right : Qt::Key_Left; },
        [&] {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(window, &press);
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
    moveBesideBareFill(state, kBusyDay.addDays(-1), kBusyDay.addDays(-1));
}
BENCHMARK(BM_DayMove1000Products)->UseManualTime()->MinTime(1)->Unit(benchmark::kMillisecond);

void BM_YearRangeMove(benchmark::State& state) {
    moveBesideBareFill(state, kYearEnd.addDays(-kYearDays), kYearEnd.addDays(-1));
}
BENCHMARK(BM_YearRangeMove)->UseManualTime()->MinTime(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return tallimo::bench::runWithWindows(argc, argv);
}
