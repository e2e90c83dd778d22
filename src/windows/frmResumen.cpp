#include "windows/frmResumen.h"

#include "storage/TextFile.h"
#include "summary/CashCount.h"
#include "summary/SummaryReport.h"
#include "windows/SalesChart.h"
#include "windows/SummaryTableModel.h"
#include "windows/frmCorte.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QSignalBlocker>
#include <QTableView>

namespace tallimo {

namespace {

constexpr int kMaxDays = 366;

QTableView* makeTable(QWidget* parent, const char* name, QAbstractItemModel* model) {
    auto* table = new QTableView(parent);
    table->setObjectName(QString::fromLatin1(name));
    table->setModel(model);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setFocusPolicy(Qt::NoFocus); // the arrows belong to the window
    table->verticalHeader()->hide();
    // Rows never measured, so the view only lays out and draws what shows.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed); // fitColumns
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
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
    const MoneyText moneyText = [this](Cents value) { return money(value); };
    mDays = new DaysModel(moneyText, this);
    mProducts = new ProductsModel(moneyText, mSource.decimalPoint, this);
    grdDias = makeTable(this, "grdDias", mDays);
    grdProductos = makeTable(this, "grdProductos", mProducts);
    grdProductos->horizontalHeader()->setStretchLastSection(false);
    grdProductos->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    chtDias = new SalesChart(this);
    QStringList keys{
        QStringLiteral("← →: otro día"),     QStringLiteral("Mayús+← →: más o menos días"),
        QStringLiteral("Inicio: hoy"),       QStringLiteral("Tab: fechas"),
        QStringLiteral("F8: corte de caja"), QStringLiteral("F9: imprimir"),
        QStringLiteral("Esc: cerrar")};
    // Wraps between keys, never inside one, rather than widening the window past
    // a small screen.
    for (QString& key : keys)
        key.replace(u' ', QChar::Nbsp);
    lblAyuda = new QLabel(keys.join(QStringLiteral(" · ")), this);
    lblAyuda->setObjectName(QStringLiteral("lblAyuda"));
    lblAyuda->setWordWrap(true);
    lblAyuda->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* desde = new QLabel(QStringLiteral("&Desde:"), this);
    auto* hasta = new QLabel(QStringLiteral("&Hasta:"), this);
    desde->setBuddy(dtpDesde);
    hasta->setBuddy(dtpHasta);
    auto* grid = new QGridLayout(this);
    grid->addWidget(desde, 0, 0);
    grid->addWidget(dtpDesde, 0, 1);
    grid->addWidget(hasta, 0, 2);
    grid->addWidget(dtpHasta, 0, 3);
    grid->addWidget(lblAyuda, 0, 4);
    grid->addWidget(grdDias, 1, 0, 1, 5);
    auto* lower = new QHBoxLayout;
    lower->addWidget(chtDias, 3);
    lower->addWidget(grdProductos, 2);
    grid->addLayout(lower, 2, 0, 1, 5);
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(1, 2);
    grid->setRowStretch(2, 3);
}

QString frmResumen::money(Cents value) const {
    return summary::money(value, mSource.decimalPoint);
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
        days.append(readDay(date));
        labels.append(date.toString(QStringLiteral("dd/MM")));
    }
    fillTables(std::move(days), labels);
}

summary::DaySummary frmResumen::readDay(QDate date, int* unreadable) const {
    const std::optional<QString> path = mSource.salesFile(date);
    // One read of the whole file: the register replaces it whole, never in place.
    const std::optional<QByteArray> bytes = path ? readFileBytes(*path) : std::nullopt;
    summary::DaySummary day = bytes ? summary::summariseBytes(*bytes) : summary::DaySummary{};
    day.found = bytes.has_value();
    day.day = QLocale().toString(date, QStringLiteral("ddd dd/MM/yyyy"));
    const std::optional<QString> counts =
        mSource.countsFile ? mSource.countsFile(date) : std::nullopt;
    summary::CountsRead counted = counts ? summary::readCountsFile(*counts) : summary::CountsRead{};
    day.counts = std::move(counted.counts);
    if (unreadable)
        *unreadable = counted.unreadable;
    return day;
}

void frmResumen::openCount() {
    // Read now: the register may have closed sales since the range was shown.
    int unreadable = 0;
    summary::DaySummary today = readDay(mSource.today, &unreadable);
    auto* count =
        new frmCorte({std::move(today.saleTotals), std::move(today.counts),
                      mSource.countsFile ? mSource.countsFile(mSource.today) : std::nullopt,
                      mSource.decimalPoint, mSource.clock, mSource.dialogs, unreadable},
                     this);
    count->setAttribute(Qt::WA_DeleteOnClose);
    connect(count, &QDialog::accepted, this,
            [this] { showRange(dtpDesde->date(), dtpHasta->date()); });
    count->show();
    count->activateWindow();
}

void frmResumen::fillTables(QList<summary::DaySummary> days, const QStringList& labels) {
    mShown = days;
    summary::DaySummary sum = summary::sumOfDays(days, QStringLiteral("Suma"));
    QList<SalesChart::Bar> bars;
    for (int i = 0; i < days.size(); ++i)
        bars.append({labels[i], centsToDouble(days[i].charged), money(days[i].charged)});
    chtDias->setBars(bars);
    mProducts->setProducts(sum.products);
    mDays->setDays(std::move(days), std::move(sum));
    fitColumns(grdDias);
    fitColumns(grdProductos);
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
    case Qt::Key_F8:
        openCount();
        return;
    case Qt::Key_F9:
        emit printAsked(from, mShown);
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
