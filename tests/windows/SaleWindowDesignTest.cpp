#include "SaleWindowFixture.h"

#include "sale/Invoice.h"

#include <QFontMetrics>

namespace tallimo {
namespace {

using SaleWindowDesign = SaleWindowTest;

// The widest texts the cashier must be able to read whole at 96 dpi.
TEST_F(SaleWindowDesign, WidestTextsFitTheirBoxes)
{
    open();
    const struct {
        QWidget* control;
        const char* text;
    } rows[] = {
        {w->txtDato1, "99"},         {w->txtDato2, "Producto"},    {w->txtDato3, "1234.56"},
        {w->txtTotal2, "123456.00"}, {w->lblTotal1, "123456.00"}, {w->lblTotal3, "123456.00"},
        {w->lblMoney[0], "$"},       {w->lblMoney[1], "$"},       {w->lblReset, "REINICIAR"},
        {w->lblAbout, "Acerca"},     {w->Label1, " COBRAR<<<"},   {w->Label8, " PAGAR"},
        {w->Label11, " CAMBIO"},
    };
    for (const auto& row : rows) {
        const QFontMetrics metrics(row.control->font());
        int room = row.control->contentsRect().width();
        int height = row.control->contentsRect().height();
        if (auto* box = qobject_cast<QLineEdit*>(row.control)) {
            // QLineEdit keeps 2 pixels each side and 1 for the cursor.
            const QMargins m = box->textMargins();
            room -= 2 * 2 + 1 + m.left() + m.right();
            height -= m.top() + m.bottom();
        }
        EXPECT_LE(metrics.horizontalAdvance(QString::fromUtf8(row.text)), room)
            << row.control->objectName().toStdString() << " " << row.text;
        EXPECT_LE(metrics.ascent() + metrics.descent(), height)
            << row.control->objectName().toStdString();
    }
}

TEST_F(SaleWindowDesign, EveryHintFitsTheHintLine)
{
    open();
    const QFontMetrics metrics(w->lblTip->font());
    for (int hint = 1; hint <= 5; ++hint)
        EXPECT_LE(metrics.horizontalAdvance(Hint(hint)), w->lblTip->contentsRect().width()) << hint;
}

// The chain starts at the price list, so it is also where the focus lands first.
TEST_F(SaleWindowDesign, TabVisitsTheSevenFocusableControlsInDesignerOrder)
{
    open();
    const QList<QWidget*> order = {w,         w->List2,    w->txtDato1, w->txtDato2, w->txtDato3,
                                   w->txtTotal2, w->List1, w->txtDato4, w->List2};
    QWidget* at = order.first();
    for (qsizetype i = 1; i < order.size(); ++i) {
        do
            at = at->nextInFocusChain();
        while (at->focusPolicy() == Qt::NoFocus || !at->isVisible());
        EXPECT_EQ(at->objectName().toStdString(), order[i]->objectName().toStdString());
    }
}

TEST_F(SaleWindowDesign, ControlsThatAreNotWindowsNeverTakeTheFocus)
{
    open();
    for (QWidget* control : QList<QWidget*>{w->frmeCoord, w->Frame1, w->Shape1, w->Shape2,
                                            w->Line1, w->Line2, w->lblTip, w->lblAbout,
                                            w->lblReset, w->lblTotal1, w->lblMoney[0], w->lblRe1})
        EXPECT_EQ(control->focusPolicy(), Qt::NoFocus) << control->objectName().toStdString();
}

// Shapes and lines lie lowest, labels above them, text boxes, lists and frames on top:
// otherwise a pattern or a label would hide an entry field.
TEST_F(SaleWindowDesign, StackingKeepsEntryFieldsAboveLabelsAboveShapes)
{
    open();
    const auto rank = [](QWidget* widget) {
        if (dynamic_cast<Shape*>(widget) || dynamic_cast<Line*>(widget))
            return 0;
        if (dynamic_cast<Label*>(widget))
            return 1;
        return 2;
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
