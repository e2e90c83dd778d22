#include "windows/frmCorte.h"

#include "summary/SummaryReport.h"
#include "widgets/Dialogs.h"

#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <array>
#include <utility>

namespace tallimo {

namespace {

QLabel* makeLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QString periodText(const summary::CountPeriod& period, bool afterAnother) {
    if (period.lastSale < period.firstSale)
        return afterAnother ? QStringLiteral("Ninguna venta desde el corte anterior")
                            : QStringLiteral("Ninguna venta hoy");
    if (period.lastSale == period.firstSale)
        return QStringLiteral("Venta %1 de hoy").arg(period.firstSale);
    return QStringLiteral("Ventas %1 a %2 de hoy").arg(period.firstSale).arg(period.lastSale);
}

} // namespace

frmCorte::frmCorte(CountSource source, QWidget* parent)
    : QDialog(parent), mSource(std::move(source)),
      mPeriod(summary::nextPeriod(mSource.saleTotals, mSource.earlier)) {
    buildControls();
    for (QLineEdit* field : {txtFondo, txtTarjeta, txtRetiros, txtContado})
        connect(field, &QLineEdit::textChanged, this, &frmCorte::showResults);
    showResults();
    txtFondo->setFocus();
}

void frmCorte::buildControls() {
    setObjectName(QStringLiteral("frmCorte"));
    setWindowTitle(QStringLiteral("Corte de caja"));
    setWindowModality(Qt::WindowModal);
    lblPeriodo = makeLabel(this, "lblPeriodo");
    QString period = periodText(mPeriod, !mSource.earlier.isEmpty());
    if (mSource.unreadable == 1)
        period += QStringLiteral("\nUn corte anterior de hoy no se pudo leer en el archivo de "
                                 "cortes: sus ventas pueden contarse aquí otra vez.");
    else if (mSource.unreadable > 1)
        period += QStringLiteral("\n%1 cortes anteriores de hoy no se pudieron leer en el archivo "
                                 "de cortes: sus ventas pueden contarse aquí otra vez.")
                      .arg(mSource.unreadable);
    lblPeriodo->setText(period);
    lblCobrado = makeLabel(this, "lblCobrado");
    lblCobrado->setText(money(mPeriod.charged));
    lblEsperado = makeLabel(this, "lblEsperado");
    lblDiferencia = makeLabel(this, "lblDiferencia");
    auto* form = new QFormLayout(this);
    form->addRow(lblPeriodo);
    form->addRow(QStringLiteral("Total cobrado:"), lblCobrado);
    const std::array<std::pair<QLineEdit**, const char*>, 4> fields{{
        {&txtFondo, "txtFondo"},
        {&txtTarjeta, "txtTarjeta"},
        {&txtRetiros, "txtRetiros"},
        {&txtContado, "txtContado"},
    }};
    const QStringList names{QStringLiteral("Fondo inicial"),
                            QStringLiteral("Tarjeta y otros medios"), QStringLiteral("Retiros"),
                            QStringLiteral("Efectivo contado")};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(fields[i].second));
        edit->setAccessibleName(names[int(i)]); // the name a wrong amount is told by
        *fields[i].first = edit;
        form->addRow(names[int(i)] + QLatin1Char(':'), edit);
    }
    form->addRow(QStringLiteral("Efectivo esperado:"), lblEsperado);
    form->addRow(QStringLiteral("Diferencia:"), lblDiferencia);
    form->addRow(new QLabel(QStringLiteral("Enter: registrar · Esc: salir sin registrar"), this));
}

QString frmCorte::money(Cents value) const {
    return summary::money(value, mSource.decimalPoint);
}

std::optional<summary::CashCount> frmCorte::typedCount(QLineEdit** wrong) const {
    summary::CashCount count;
    count.firstSale = mPeriod.firstSale;
    count.lastSale = mPeriod.lastSale;
    count.charged = mPeriod.charged;
    const std::pair<Cents*, QLineEdit*> fields[] = {{&count.fondo, txtFondo},
                                                    {&count.tarjeta, txtTarjeta},
                                                    {&count.retiros, txtRetiros},
                                                    {&count.contado, txtContado}};
    for (const auto& [field, edit] : fields) {
        const std::optional<Cents> amount =
            summary::readCountField(edit->text(), mSource.decimalPoint);
        if (!amount) {
            *wrong = edit;
            return std::nullopt;
        }
        *field = *amount;
    }
    return count;
}

void frmCorte::showResults() {
    QLineEdit* wrong = nullptr;
    if (const std::optional<summary::CashCount> count = typedCount(&wrong)) {
        lblEsperado->setText(money(count->expected()));
        lblDiferencia->setText(summary::differenceText(count->difference(), mSource.decimalPoint));
        return;
    }
    const QString notAnAmount =
        QStringLiteral("(%1 no es un importe)").arg(wrong->accessibleName());
    lblEsperado->setText(notAnAmount);
    lblDiferencia->setText(notAnAmount);
}

void frmCorte::record() {
    QLineEdit* wrong = nullptr;
    const std::optional<summary::CashCount> typed = typedCount(&wrong);
    if (!typed) {
        mSource.dialogs->message(
            this,
            QStringLiteral("«%1» no es un importe. Escriba una cantidad con hasta dos "
                           "decimales, por ejemplo %2, o déjelo en blanco si es 0.\n\n"
                           "No se registró el corte.")
                .arg(wrong->accessibleName(),
                     QStringLiteral("1250") + mSource.decimalPoint + QStringLiteral("50")),
            Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation);
        wrong->setFocus();
        wrong->selectAll();
        return;
    }
    summary::CashCount count = *typed;
    count.time = mSource.clock().toString(QStringLiteral("HH:mm"));
    const SaveResult saved =
        mSource.countsFile ? summary::recordCount(*mSource.countsFile, count, mSource.decimalPoint)
                           : SaveResult{false, QStringLiteral("No se encontró el escritorio.")};
    if (saved) {
        accept();
        return;
    }
    mSource.dialogs->message(
        this,
        QStringLiteral("No se pudo guardar el corte de caja en:\n%1\n\n%2\n\nEl corte sigue en "
                       "pantalla con lo escrito; puede intentarlo de nuevo.")
            .arg(mSource.countsFile.value_or(QString()), saved.reason),
        Dialogs::Buttons::Ok, Dialogs::Icon::Critical);
}

void frmCorte::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        record();
        return;
    default:
        QDialog::keyPressEvent(event); // Escape leaves without recording
    }
}

} // namespace tallimo
