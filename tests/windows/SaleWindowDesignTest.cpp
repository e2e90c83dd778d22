#include "WindowFixture.h"

#include "sale/Invoice.h"

#include <QFontMetrics>

namespace tallimo {

using SaleWindowDesign = WindowTest;

// The widest texts the cashier must read whole at 96 dpi, every hint among them; and a click on an
// entry field reaches it: no label or shape lies over it.
TEST_F(SaleWindowDesign, WidestTextsFitTheirBoxes) {
    open();
    QList<std::pair<QWidget*, QString>> rows = {
        {w->txtDato1, "99"},         {w->txtDato2, "Producto"},   {w->txtDato3, "1234.56"},
        {w->txtTotal2, "123456.00"}, {w->lblTotal1, "123456.00"}, {w->lblTotal3, "123456.00"},
        {w->lblMoney[0], "$"},       {w->lblMoney[1], "$"},       {w->lblReset, "REINICIAR"},
        {w->lblAbout, "Acerca"},     {w->Label1, " COBRAR<<<"},   {w->Label8, " PAGAR"},
        {w->Label11, " CAMBIO"}};
    for (int hint = 1; hint <= 5; ++hint)
        rows.append({w->lblTip, Hint(hint)});
    for (const auto& [control, text] : rows) {
        SCOPED_TRACE(control->objectName().toStdString() + " " + text.toStdString());
        const QFontMetrics metrics(control->font());
        QRect room = control->contentsRect();
        if (auto* box = qobject_cast<QLineEdit*>(control)) { // 2 pixels each side, 1 for the cursor
            room = room.marginsRemoved(box->textMargins()).adjusted(0, 0, -5, 0);
            EXPECT_EQ(w->childAt(box->mapTo(w, box->rect().center())), box);
        }
        EXPECT_LE(metrics.horizontalAdvance(text), room.width());
        EXPECT_LE(metrics.ascent() + metrics.descent(), room.height());
    }
}

} // namespace tallimo
