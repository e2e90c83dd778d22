#include "WindowFixture.h"

#include "sale/Invoice.h"

#include <QFontMetrics>

namespace tallimo {
namespace {

using SaleWindowDesign = WindowTest;

// The widest texts the cashier must be able to read whole at 96 dpi, every hint among them.
TEST_F(SaleWindowDesign, WidestTextsFitTheirBoxes) {
    open();
    QList<std::pair<QWidget*, QString>> rows = {
        {w->txtDato1, "99"},         {w->txtDato2, "Producto"},   {w->txtDato3, "1234.56"},
        {w->txtTotal2, "123456.00"}, {w->lblTotal1, "123456.00"}, {w->lblTotal3, "123456.00"},
        {w->lblMoney[0], "$"},       {w->lblMoney[1], "$"},       {w->lblReset, "REINICIAR"},
        {w->lblAbout, "Acerca"},     {w->Label1, " COBRAR<<<"},   {w->Label8, " PAGAR"},
        {w->Label11, " CAMBIO"},
    };
    for (int hint = 1; hint <= 5; ++hint)
        rows.append({w->lblTip, Hint(hint)});
    for (const auto& [control, text] : rows) {
        SCOPED_TRACE(control->objectName().toStdString() + " " + text.toStdString());
        const QFontMetrics metrics(control->font());
        QRect room = control->contentsRect();
        if (auto* box =
                qobject_cast<QLineEdit*>(control)) // 2 pixels each side and 1 for the cursor
            room = room.marginsRemoved(box->textMargins()).adjusted(0, 0, -5, 0);
        EXPECT_LE(metrics.horizontalAdvance(text), room.width());
        EXPECT_LE(metrics.ascent() + metrics.descent(), room.height());
    }
}

// The chain starts at the price list, so it is also where the focus lands first;
// no label, shape or frame is a stop on it.
TEST_F(SaleWindowDesign, TabVisitsTheSevenFocusableControlsInDesignerOrder) {
    open();
    const QList<QWidget*> order = {w,           w->List2,    w->txtDato1,
                                   w->txtDato2, w->txtDato3, w->txtTotal2,
                                   w->List1,    w->txtDato4, w->List2};
    QWidget* at = order.first();
    for (qsizetype i = 1; i < order.size(); ++i) {
        do
            at = at->nextInFocusChain();
        while (at->focusPolicy() == Qt::NoFocus || !at->isVisible());
        EXPECT_EQ(at->objectName().toStdString(), order[i]->objectName().toStdString());
    }
}

// Shapes and lines lie lowest, labels above them, text boxes, lists and frames on top:
// otherwise a pattern or a label would hide an entry field.
TEST_F(SaleWindowDesign, StackingKeepsEntryFieldsAboveLabelsAboveShapes) {
    open();
    const auto rank = [](QWidget* widget) {
        return dynamic_cast<Shape*>(widget) || dynamic_cast<Line*>(widget) ? 0
               : dynamic_cast<Label*>(widget)                              ? 1
                                                                           : 2;
    };
    for (QWidget* container : QList<QWidget*>{w, w->frmeCoord, w->Frame1}) {
        int highest = 0;
        for (QObject* child : container->children()) { // bottom to top
            auto* widget = qobject_cast<QWidget*>(child);
            if (!widget || widget->isWindow())
                continue;
            EXPECT_GE(rank(widget), highest) << widget->objectName().toStdString();
            highest = std::max(highest, rank(widget));
        }
    }
}

} // namespace
} // namespace tallimo
