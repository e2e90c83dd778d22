// The sale window's barcodes: a scan rings up its product's price-list line, and
// F7 teaches the next scan to the selected line's product.
#include "windows/frmBoxBasic.h"

#include "sale/Barcode.h"
#include "sale/Invoice.h"
#include "sale/SalesLine.h"
#include "storage/Paths.h"
#include "widgets/Dialogs.h"
#include "widgets/ScanFilter.h"

#include <QFileInfo>
#include <QShortcut>

namespace tallimo {

namespace {

const QString kSelectFirst = QStringLiteral(
    "Seleccione el producto en la lista de precios y presione F7 para asignarle este código.");

// Grams as kilograms with three decimals, in the mark amounts are written with.
QString kilograms(qint64 grams, const QString& mark) {
    return QString::number(grams / 1000) + mark +
           QStringLiteral("%1").arg(grams % 1000, 3, 10, QLatin1Char('0'));
}

} // namespace

void frmBoxBasic::connectScan() {
    connect(new QShortcut(Qt::Key_F7, this), &QShortcut::activated, this, [this] { teachCode(); });
    // Only while F7 waits: elsewhere Escape keeps its meaning in the price list.
    mCancelTeaching = new QShortcut(Qt::Key_Escape, this);
    mCancelTeaching->setEnabled(false);
    connect(mCancelTeaching, &QShortcut::activated, this,
            [this] { endTeaching(QStringLiteral("No se asignó ningún código.")); });
}

QString frmBoxBasic::codesPath() const {
    return paths::codesPath(mShared.SystemChoice, Usuario->text());
}

QString frmBoxBasic::codesStamp() const {
    const auto local = mShared.localPath(codesPath());
    const QFileInfo file(local.value_or(QString()));
    return file.exists() ? file.lastModified().toString(Qt::ISODateWithMs) + ' ' +
                               QString::number(file.size())
                         : QString();
}

void frmBoxBasic::loadCodes() {
    mCodesStamp = codesStamp();
    const auto local = mShared.localPath(codesPath());
    const auto lines = local ? readCodeFile(*local) : std::nullopt;
    mCodeLines = lines.value_or(QStringList());
    mCodes = CodeBook(mCodeLines);
    mCodesUnreadable = !lines && local && QFileInfo::exists(*local);
    mCodesToldUnreadable = false;
}

void frmBoxBasic::refuseScan(const QString& text) {
    mShared.dialogs().message(this, text, Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation);
}

void frmBoxBasic::scanned(const QString& code) {
    if (codesStamp() != mCodesStamp)
        loadCodes();
    if (mTeaching) {
        assignCode(code);
        return;
    }
    if (mCodesUnreadable && !mCodesToldUnreadable) {
        mCodesToldUnreadable = true;
        refuseScan(QStringLiteral("No se pudo leer el archivo de códigos:\n%1\n\nNingún código de "
                                  "barras se reconoce hasta que se corrija; los productos se "
                                  "pueden seguir vendiendo desde la lista de precios.")
                       .arg(codesPath()));
        return;
    }
    const CodeLookup found = mCodes.find(code);
    if (found.status == CodeLookup::Status::Misread) {
        refuseScan(QStringLiteral("El código %1 se leyó mal (su dígito de control no "
                                  "coincide).\n\nVuelva a escanearlo.")
                       .arg(code));
        return;
    }
    if (found.status != CodeLookup::Status::Found) {
        refuseScan(
            QStringLiteral("El código %1 no está asignado a ningún producto.\n\n").arg(code) +
            kSelectFirst);
        return;
    }
    const CodeMatch& match = found.match;
    const int line = priceLineOf(List2->items(), match.product, mShared.environment().locale);
    if (line < 0) {
        refuseScan(QStringLiteral(
                       "El código %1 es de «%2», que ya no está en la lista de "
                       "precios.\n\nAgréguelo a la lista de precios, o seleccione otro producto y "
                       "presione F7 para asignarle este código.")
                       .arg(code, match.product));
        return;
    }
    // The list first: leaving an empty search box would clear the selection again.
    goTo(List2);
    List2->setSelectedIndex(line); // as a click: the fields and the hint follow
    const QString mark = mShared.environment().decimalPoint();
    switch (match.kind) {
    case CodeMatch::Kind::Product:
        ActFactura();
        break;
    case CodeMatch::Kind::PriceLabel:
        ringUp(QStringLiteral("1"), txtDato2->text(), formatCents(match.value, mark));
        break;
    case CodeMatch::Kind::WeightLabel:
        ringUp(kilograms(match.value, mark), txtDato2->text(), txtDato3->text());
        break;
    }
    txtDato1->setText(QStringLiteral("1"));
}

void frmBoxBasic::teachCode() {
    if (codesStamp() != mCodesStamp)
        loadCodes();
    if (mCodesUnreadable) {
        refuseScan(QStringLiteral("No se pudo leer el archivo de códigos:\n%1\n\nCorríjalo antes "
                                  "de asignar códigos, para no perder los que tiene.")
                       .arg(codesPath()));
        return;
    }
    const auto fields = List2->selectedIndex() < 0
                            ? std::nullopt
                            : SplitPriceLine(List2->selectedText(), mShared.environment().locale);
    if (!fields || fields->product.trimmed().isEmpty()) {
        refuseScan(QStringLiteral("Para asignar un código de barras, seleccione en la lista de "
                                  "precios una línea con producto y precio, presione F7 y "
                                  "escanee el código."));
        return;
    }
    if (!mTeaching)
        mTipBeforeTeaching = lblTip->text();
    mTeaching = fields->product.trimmed();
    mCancelTeaching->setEnabled(true);
    mScanFilter->setTyping(true);
    lblTip->setText(
        QStringLiteral("Escanee el código (o escríbalo y presione Intro) para: %1 — Esc cancela")
            .arg(*mTeaching));
}

void frmBoxBasic::endTeaching(const QString& tip) {
    mTeaching.reset();
    mCancelTeaching->setEnabled(false);
    mScanFilter->setTyping(false);
    lblTip->setText(tip.isEmpty() ? mTipBeforeTeaching : tip);
}

void frmBoxBasic::assignCode(const QString& code) {
    const QString product = *mTeaching;
    if (readCode(code).misread) {
        endTeaching({});
        refuseScan(QStringLiteral("El código %1 se leyó mal (su dígito de control no coincide) y "
                                  "no se asignó.\n\nPresione F7 y vuelva a escanearlo.")
                       .arg(code));
        return;
    }
    const auto owner = mCodes.productOf(code);
    if (owner && owner->trimmed().compare(product, Qt::CaseInsensitive) != 0) {
        const auto answer = mShared.dialogs().message(
            this,
            QStringLiteral("El código %1 ya es de «%2».\n\n¿Desea que sea de «%3»?")
                .arg(code, *owner, product),
            Dialogs::Buttons::YesNo, Dialogs::Icon::Question);
        if (answer != Dialogs::Answer::Yes) {
            endTeaching(QStringLiteral("El código %1 sigue siendo de: %2").arg(code, *owner));
            return;
        }
    }
    const QStringList lines = mCodes.assigned(mCodeLines, code, product);
    const auto local = mShared.localPath(codesPath());
    const SaveResult saved = local
                                 ? saveCodeFile(*local, lines)
                                 : SaveResult{false, QStringLiteral("La dirección no es válida.")};
    if (!saved.ok) {
        endTeaching({});
        mShared.dialogs().message(
            this,
            QStringLiteral("No se pudo guardar el archivo de códigos en:\n%1\n\n%2\n\nEl código "
                           "%3 no se asignó.")
                .arg(codesPath(), saved.reason, code),
            Dialogs::Buttons::Ok, Dialogs::Icon::Critical);
        return;
    }
    loadCodes();
    endTeaching(QStringLiteral("Código %1 asignado a: %2").arg(code, product));
}

} // namespace tallimo
