#include "windows/frmResumen.h"

#include "storage/TextFile.h"
#include "summary/SummaryReport.h"
#include "windows/SalesChart.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QSignalBlocker>
#include <QTableWidget>

namespace tallimo {

namespace {

constexpr int kMaxDays = 366;

QTableWidget* makeTable(QWidget* parent, const char* name, const QStringList& headers) {
    auto* table = new QTableWidget(0, int(headers.size()), parent);
    table->setObjectName(QString::fromLatin1(name));
    table->setHorizontalHeaderLabels(headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setFocusPolicy(Qt::NoFocus); // the arrows belong to the window
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

void setRow(QTableWidget* table, int row, const QStringList& cells, bool bold = false) {
    for (int column = 0; column < cells.size(); ++column) {
        auto* item = new QTableWidgetItem(cells[column]);
        item->setTextAlignment(column == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                           : Qt::AlignRight | Qt::AlignVCenter);
        QFont font = item->font();
        font.setBold(bold);
        item->setFont(font);
        table->setItem(row, column, item);
    }
}

QDateEdit* makeDate(QWidget* parent, const char* name) {
    auto* edit = new QDateEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    return edit;
}

} // namespace

frmResumen::frmResumen(SummarySource source, QWidget* parent)
    : QWidget(parent, Qt::Window), mSource(std::move(source)) {
    buildControls();
    connect(dtpDesde, &QDateEdit::dateChanged, this,
            [this](QDate from) { showRange(from, std::max(from, dtpHasta->date())); });
    connect(dtpHasta, &QDateEdit::dateChanged, this,
            [this](QDate to) { showRange(std::min(to, dtpDesde->date()), to); });
    showRange(mSource.today, mSource.today);
    setFocus(); // the arrows move the day from the start
}

void frmResumen::buildControls() {
    setObjectName(QStringLiteral("frmResumen"));
    setWindowTitle(QStringLiteral("Resumen de ventas"));
    setWindowIcon(mSource.icon);
    setFocusPolicy(Qt::StrongFocus);
    resize(900, 640);

    dtpDesde = makeDate(this, "dtpDesde");
    dtpHasta = makeDate(this, "dtpHasta");
    grdDias = makeTable(this, "grdDias",
                        {QStringLiteral("Día"), QStringLiteral("Ventas cerradas"),
                         QStringLiteral("Total cobrado"), QStringLiteral("Venta media"),
                         QStringLiteral("Líneas sin cerrar"), QStringLiteral("Importe sin cerrar"),
                         QStringLiteral("No reconocidas")});
    grdProductos = makeTable(
        this, "grdProductos",
        {QStringLiteral("Producto"), QStringLiteral("Cantidad"), QStringLiteral("Importe")});
    grdProductos->horizontalHeader()->setStretchLastSection(false);
    grdProductos->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    chtDias = new SalesChart(this);
    lblAyuda = new QLabel(QStringLiteral("← →: otro día · Mayús+← →: más o menos días · "
                                         "Inicio: hoy · Tab: fechas · Esc: cerrar"),
                          this);
    lblAyuda->setObjectName(QStringLiteral("lblAyuda"));

    auto* desde = new QLabel(QStringLiteral("&Desde:"), this);
    auto* hasta = new QLabel(QStringLiteral("&Hasta:"), this);
    desde->setBuddy(dtpDesde);
    hasta->setBuddy(dtpHasta);
    auto* grid = new QGridLayout(this);
    grid->addWidget(desde, 0, 0);
    grid->addWidget(dtpDesde, 0, 1);
    grid->addWidget(hasta, 0, 2);
    grid->addWidget(dtpHasta, 0, 3);
    grid->addWidget(lblAyuda, 0, 4, Qt::AlignRight);
    grid->addWidget(grdDias, 1, 0, 1, 5);
    auto* lower = new QHBoxLayout;
    lower->addWidget(chtDias, 3);
    lower->addWidget(grdProductos, 2);
    grid->addLayout(lower, 2, 0, 1, 5);
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(1, 2);
    grid->setRowStretch(2, 3);
}

QString frmResumen::money(summary::Cents value) const {
    return u'$' + summary::formatCents(value, mSource.decimalPoint);
}

void frmResumen::showRange(QDate from, QDate to) {
    if (!from.isValid() || !to.isValid())
        return;
    from = std::max(from, to.addDays(1 - kMaxDays));
    {
        const QSignalBlocker blockFrom(dtpDesde);
        const QSignalBlocker blockTo(dtpHasta);
        dtpDesde->setDate(from);
        dtpHasta->setDate(to);
    }
    QList<summary::DaySummary> days;
    QStringList labels;
    for (QDate date = from; date <= to; date = date.addDays(1)) {
        const std::optional<QString> path = mSource.salesFile(date);
        // One read of the whole file: the register replaces it whole, never in place.
        const std::optional<QByteArray> bytes = path ? readFileBytes(*path) : std::nullopt;
        summary::DaySummary day = bytes ? summary::summariseBytes(*bytes) : summary::DaySummary{};
        day.found = bytes.has_value();
        day.day = QLocale().toString(date, QStringLiteral("ddd dd/MM/yyyy"));
        days.append(day);
        labels.append(date.toString(QStringLiteral("dd/MM")));
    }
    fillTables(days, labels, summary::sumOfDays(days, QStringLiteral("Suma")));
}

void frmResumen::fillTables(const QList<summary::DaySummary>& days, const QStringList& labels,
                            const summary::DaySummary& sum) {
    grdDias->clearContents();
    grdDias->setRowCount(int(days.size()) + 1);
    QList<SalesChart::Bar> bars;
    for (int row = 0; row <= days.size(); ++row) {
        const summary::DaySummary& day = row < days.size() ? days[row] : sum;
        if (!day.found) {
            setRow(grdDias, row, {day.day, QStringLiteral("sin archivo")});
        } else {
            setRow(grdDias, row,
                   {day.day, QString::number(day.closedSales), money(day.charged),
                    money(day.average()), QString::number(day.openLines), money(day.openAmount),
                    QString::number(day.unrecognised)},
                   row == days.size());
        }
        if (row < days.size())
            bars.append({labels[row], summary::centsToDouble(day.charged), money(day.charged)});
    }
    chtDias->setBars(bars);
    grdProductos->setRowCount(int(sum.products.size()));
    for (int row = 0; row < sum.products.size(); ++row) {
        const summary::ProductSale& product = sum.products[row];
        setRow(grdProductos, row,
               {product.product, summary::formatQuantity(product, mSource.decimalPoint),
                money(product.amount)});
    }
}

void frmResumen::moveDays(int days) {
    showRange(dtpDesde->date().addDays(days), dtpHasta->date().addDays(days));
}

void frmResumen::keyPressEvent(QKeyEvent* event) {
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const QDate from = dtpDesde->date();
    const QDate to = dtpHasta->date();
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        break;
    case Qt::Key_Home:
        showRange(mSource.today, mSource.today);
        return;
    case Qt::Key_Escape:
        close();
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    const int step = event->key() == Qt::Key_Left || event->key() == Qt::Key_Up ? -1 : 1;
    if (!shift)
        moveDays(step);
    else // Shift widens the range a day back, or narrows it again
        showRange(std::min(from.addDays(step), to), to);
}

} // namespace tallimo
