#include "windows/frmBoxBasic.h"

#include "sale/Amount.h"
#include "sale/Invoice.h"
#include "sale/SalesLine.h"
#include "storage/Paths.h"
#include "storage/PriceList.h"
#include "storage/SalesFile.h"
#include "widgets/Dialogs.h"
#include "widgets/KeyAdapter.h"

#include <QCloseEvent>

namespace tallimo {

frmBoxBasic::frmBoxBasic(Shared& shared) : Form(shared) {
    buildControls();
    List1->lines().keepEncoded(); // the history is saved after every line
    connectHandlers();
}

frmBoxBasic::~frmBoxBasic() {
    qDeleteAll(findChildren<KeyAdapter*>()); // their handlers call into this window
    detachHandlers(this);
}

void frmBoxBasic::Form_Load() {
    SaleTotal = 0;
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(10, 10, 10));
    setPalette(p);
    for (TextBox* box : {txtTotal2}) {
        QPalette tp = box->palette();
        tp.setColor(QPalette::Text, QColor(0, 10, 0));
        box->setPalette(tp);
    }
    lblTotal3->setForeColor(QColor(0, 10, 0));
    BLoad();
    BOpen();
}

void frmBoxBasic::Form_Resize() {
    // Positions are worked out in twips on the window's outer size.
    const QRect outer = frameGeometry();
    const float width = float(outer.width()) * 15.0f;
    const float height = float(outer.height()) * 15.0f;
    const float frameW = float(frmeCoord->width()) * 15.0f;
    const float frameH = float(frmeCoord->height()) * 15.0f;

    if (isMaximized())
        frmeCoord->move(twips((width - frameW) / 2), twips((height - frameH) / 2));
    else if (!isMinimized())
        frmeCoord->move(0, 0);
    if (isMinimized())
        return;

    Shape1->setGeometry(0, 0, outer.width(), outer.height());
    const QRect coord = frmeCoord->geometry();
    lblTip->move(coord.left(), coord.top() - lblTip->height());
    lblAbout->move(coord.left() + coord.width() - lblAbout->width(), lblTip->y());
    lblReset->move(coord.left() + coord.width() - lblReset->width(),
                   coord.top() + coord.height() + twips(120));
}

bool frmBoxBasic::Form_Unload() {
    const int n = List1->count();
    if (n > 0 && !IsTotalLine(List1->item(n - 1))) {
        List1->addItem(TotalLine(SaleTotal, mShared.environment().decimalPoint()));
        List1->setSelectedIndex(List1->count() - 1);
    } else if (!mSession.unsaved()) {
        return true;
    }
    // Saved again even when the history already ends with a total line if the
    // last save failed: closing must not lose what is only on screen.
    const SaveResult result = saveHistory();
    if (result.ok)
        return true;
    const auto answer = mShared.dialogs().message(
        this,
        QStringLiteral("No se pudieron guardar las ventas del día en:\n%1\n\n%2\n\n¿Desea "
                       "cerrar de todos modos? Las ventas que no se guardaron se perderán.")
            .arg(salesPath(), result.reason),
        Dialogs::Buttons::YesNo, Dialogs::Icon::Critical);
    return answer == Dialogs::Answer::Yes;
}

void frmBoxBasic::closeEvent(QCloseEvent* event) {
    // Disabled under the editor or the address window: its close box is input too.
    if (!isEnabled() && !mShared.ending) {
        event->ignore();
        return;
    }
    Form::closeEvent(event);
}

void frmBoxBasic::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmBoxBasic::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void frmBoxBasic::ActFactura() {
    ringUp(txtDato1->text(), txtDato2->text(), txtDato3->text());
}

void frmBoxBasic::ringUp(const QString& quantity, const QString& product, const QString& price) {
    const auto entry = ComposeInvoiceLine(quantity, product, price, SaleTotal,
                                          mShared.environment().decimalPoint());
    if (!entry) {
        refuseAmount();
        return;
    }
    SaleTotal = entry->newTotal;
    List1->addItem(entry->line);
    mSession.rungUp(List1->count() - 1);
    List1->setSelectedIndex(List1->count() - 1);
    lblTotal1->setText(FormatAmount(SaleTotal, mShared.environment().decimalPoint()));
    lblTip->setText(Hint(3));
    BSave(); // every line reaches the disk as soon as it is rung up
}

void frmBoxBasic::BSupr() {
    const auto payment = ReadNumber(txtTotal2->text(), mShared.environment().decimalPoint());
    if (!payment) {
        refuseAmount(); // a sale closed on it would lose its total line
        return;
    }
    txtDato1->setText(QStringLiteral("1"));
    txtDato2->setText(QStringLiteral("Producto"));
    txtDato3->setText(QStringLiteral("0.00"));
    txtDato4->setText(QStringLiteral("Buscar..."));
    lblTotal1->setText(QStringLiteral("0.00"));
    lblTotal3->setText(QStringLiteral("0.00"));
    lblTip->setText(Hint(1));
    if (*payment > 0) {
        List1->addItem(TotalLine(SaleTotal, mShared.environment().decimalPoint()));
        List1->setSelectedIndex(List1->count() - 1);
        mSession.closed(List1->count() - 1); // with the payment confirmed, not the one typed
    }
    txtTotal2->setText(QStringLiteral("0.00"));
    SaleTotal = 0;
    mSession.newSale();
    BSave();
    goTo(List2);
    if (List2->count() == 0)
        return; // selecting the first line of an empty list fails here
    List2->setSelectedIndex(0);
}

QString frmBoxBasic::salesPath() const {
    const Environment& env = mShared.environment();
    return paths::salesFilePath(mShared.SystemChoice, Usuario->text(),
                                paths::fileNameDate(env.today(), env.shortDateFormat()));
}

void frmBoxBasic::BLoad() {
    Usuario->setText(mShared.environment().userName());
    loadCodes();
    List2->clear();
    const auto local =
        mShared.localPath(paths::priceListPath(mShared.SystemChoice, Usuario->text()));
    const auto items = local ? readPriceList(*local) : std::nullopt;
    if (!items) {
        BCrear();
        return;
    }
    List2->setItems(*items);
    BOpen();
}

void frmBoxBasic::BCrear() {
    const auto answer = mShared.dialogs().message(
        this,
        QStringLiteral(
            "No hay una lista de precios y productos en el escritorio, ¿desea crear uno?"),
        Dialogs::Buttons::YesNo, Dialogs::Icon::Question);
    if (answer != Dialogs::Answer::Yes)
        return;
    const auto local =
        mShared.localPath(paths::priceListPath(mShared.SystemChoice, Usuario->text()));
    if (!local || !createPriceList(*local)) {
        mShared.dialogs().message(
            this, paths::createFailureMessage(mShared.SystemChoice, Usuario->text()),
            Dialogs::Buttons::Ok, Dialogs::Icon::Critical);
        return;
    }
    BLoad();
}

void frmBoxBasic::BOpen() {
    List1->clear();
    const auto local = mShared.localPath(salesPath());
    const auto items = local ? readSalesFile(*local) : std::nullopt;
    if (!items)
        return;
    List1->setItems(*items);
    List1->setSelectedIndex(List1->count() - 1);
}

SaveResult frmBoxBasic::saveHistory() {
    const auto local = mShared.localPath(salesPath());
    SaveResult result = local ? saveSalesFile(*local, List1->lines())
                              : SaveResult{false, QStringLiteral("La dirección no es válida.")};
    mSession.saved(result.ok);
    return result;
}

bool frmBoxBasic::BSave() {
    const SaveResult result = saveHistory();
    // Told once for a run of failures: the sale goes on and the next save retries.
    if (mSession.tellFailure()) {
        mShared.dialogs().message(
            this,
            QStringLiteral("No se pudieron guardar las ventas del día en:\n%1\n\n%2\n\nLas "
                           "ventas siguen en pantalla; se guardarán en cuanto sea posible.")
                .arg(salesPath(), result.reason),
            Dialogs::Buttons::Ok, Dialogs::Icon::Critical);
    }
    return result.ok;
}

void frmBoxBasic::refuseAmount() {
    mShared.dialogs().message(this,
                              QStringLiteral("El importe es demasiado grande para calcularlo. "
                                             "No se cambió nada; revise la cantidad y el precio."),
                              Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation);
}

std::optional<SaleForTicket> frmBoxBasic::ticketSale() const {
    // The total as lblTotal1 and the total line show it, to the cent.
    const auto total = shownCents(SaleTotal);
    if (!total && mSession.inProgress())
        return std::nullopt;
    return mSession.forTicket(List1->items(), total.value_or(0));
}

void frmBoxBasic::requestTicket() {
    if (const auto sale = ticketSale()) {
        emit ticketRequested(*sale, lblMoney[1]->text());
        return;
    }
    mShared.dialogs().message(
        this, QStringLiteral("El total es demasiado grande para imprimirlo en un ticket."),
        Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation);
}

void frmBoxBasic::setHistory(const QStringList& lines) {
    mSession.edited(List1->items(), lines);
    List1->setItems(lines);
    BSave();
}

void frmBoxBasic::setPriceList(const QStringList& lines) {
    List2->setItems(lines);
}

void frmBoxBasic::BEditar1() {
    for (const QString& item : List1->items())
        mShared.EditBuffer += item + QStringLiteral("\r\n");
}

void frmBoxBasic::BEditar2() {
    for (const QString& item : List2->items())
        mShared.EditBuffer += item + QStringLiteral("\r\n");
}

void frmBoxBasic::goTo(QWidget* control) {
    control->setFocus(Qt::OtherFocusReason);
}

} // namespace tallimo
