#include "WindowFixture.h"

#include "sale/Invoice.h"
#include "windows/frmAddress.h"
#include "windows/frmEditar.h"

#include <QAccessible>
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

using Accessibility = WindowTest;

// A screen reader names every control that takes the focus, in every window.
TEST_F(Accessibility, EveryFocusableControlHasAName) {
    open("Pan $2\r\n");
    for (QWidget* window : QList<QWidget*>{w, &frame->inicio(), &frame->system(), &frame->address(),
                                           &frame->editar()})
        for (QWidget* control : window->findChildren<QWidget*>()) {
            if (control->focusPolicy() == Qt::NoFocus || control->isWindow() ||
                control->parentWidget()->inherits("QAbstractScrollArea"))
                continue;
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(control);
            EXPECT_FALSE(a->text(QAccessible::Name).trimmed().isEmpty())
                << window->objectName().toStdString() << "/" << control->objectName().toStdString();
        }
}

using Splash = WindowTest;

// The title fades from white through 25 greys to black, then its timer stops; the bars go on.
// They grow forty ticks, the square shows where they cross, then the pause is armed; the square
// and the frame are drawn over the bars.
TEST_F(Splash, TheTitleFadesAndTheBarsGrowFortyTicks) {
    frmInicio& w = frame->inicio();
    for (int tick = 0; tick <= 25; ++tick, w.Timer1_Timer()) {
        const int grey = tick ? 250 - 10 * tick : 255; // white on white at first
        ASSERT_EQ(w.lblWord->foreColor(), QColor(grey, grey, grey)) << "tick " << tick;
        ASSERT_TRUE(w.Timer1->isActive()) << "tick " << tick;
    }
    EXPECT_FALSE(w.Timer1->isActive()); // the 26th found black
    EXPECT_TRUE(w.Timer2->isActive());
    for (int tick = 1; tick <= 40; ++tick) {
        SCOPED_TRACE(tick);
        const QRect before = w.shape3Twips();
        w.Timer2_Timer();
        ASSERT_EQ(w.shape2Twips(), QRect(480, 0, 495, 15 + 120 * tick));
        ASSERT_EQ(w.shape1Twips(), QRect(7800 - 200 * tick, 3240, 15 + 200 * tick, 495));
        const bool crossing = tick == 35 || tick == 36; // Shape1 left 800, then 600
        ASSERT_EQ(w.shape3Twips(), crossing ? QRect(480, 3240, 495, 495) : before);
        ASSERT_EQ(w.Shape3->isHidden(), tick < 35);
        ASSERT_FALSE(w.Timer3->isActive());
    }
    w.Timer2_Timer(); // the 41st arms the pause and grows nothing
    EXPECT_TRUE(!w.Timer2->isActive() && w.Timer3->isActive());
    EXPECT_EQ(w.shape1Twips().x(), -200);
    const QImage drawn = w.grab().toImage();
    EXPECT_EQ(drawn.pixelColor(twipsRect(480, 3240, 495, 495).center()).name(), "#00ff00");
    EXPECT_EQ(drawn.pixelColor(twips(700), 0).name(), "#000000");
    EXPECT_EQ(drawn.pixelColor(twips(700), twips(1000)).name(), "#ffff00");
    EXPECT_EQ(drawn.pixelColor(twips(4000), twips(3500)).name(), "#00c000");
}

} // namespace tallimo
