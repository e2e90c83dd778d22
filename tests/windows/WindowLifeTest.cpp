#include "WindowFixture.h"

#include "windows/frmAddress.h"

#include <QAccessible>
#include <QAction>
#include <QSignalSpy>
#include <functional>

namespace tallimo {

using WindowLife = WindowTest;

// Load reads both lists (the history without its blank lines, the last one selected); unload
// adds the total line when the history ends with an invoice line, and only then.
TEST_F(WindowLife, LoadAndUnloadCloseAnOpenSaleOnce) {
    const QByteArray pan = "1 x Pan de $2.00 = $2.00\r\n", total = QByteArray(50, '-') + ">Total $";
    // The file before (empty: none), whether "3 x Pan" is rung up before closing, the file after.
    const std::tuple<QByteArray, bool, QByteArray> rows[] = {
        {pan, false, pan + total + "0.00\r\n\r\n"}, // a history read from the file: total 0.00
        {"uno\r\n\r\n" + pan + "\r\n", true,
         "uno\r\n" + pan + "3 x Pan de $2.00 = $6.00\r\n" + total + "6.00\r\n\r\n"},
        {"", false, "<missing>"},
    };
    for (const auto& [before, sells, after] : rows) {
        SCOPED_TRACE(before.toStdString());
        QFile::remove(salesFile());
        if (!before.isEmpty())
            write(salesFile(), before);
        open("Pan $2\r\n\r\nLeche $20");
        EXPECT_EQ(w->List2->items(), (QStringList{"Pan $2", "", "Leche $20"}));
        EXPECT_EQ(w->List1->selectedIndex(), w->List1->count() - 1);
        EXPECT_EQ(w->Usuario->text(), "cajera");
        if (sells)
            sell("3");
        EXPECT_TRUE(w->close());
        EXPECT_EQ(fileBytes(salesFile()), after);
        EXPECT_TRUE(QTest::qWaitFor([&] { return ended; }));
        EXPECT_FALSE(frame->isBoxBasicLoaded());
    }
}

// A typed symbol goes on the four labels, never into the lines; a cancelled one puts "$" back.
TEST_F(WindowLife, CurrencyMenuChangesOnlyTheFourLabels) {
    open();
    dialogs.inputAnswers << "Bs."
                         << "";
    for (const char* shown : {"Bs.", "$"}) {
        w->mMoneda[3]->trigger();
        for (Label* label : w->lblMoney)
            EXPECT_EQ(label->text(), shown);
        w->txtDato3->setFocus(), type("\r");
    }
    EXPECT_EQ(w->List1->items(), QStringList(2, "1 x Producto de $0.00 = $0.00"));
}

// Every label button of every window looks pressed only while held, a release outside it
// clicks nothing, a click at its place reaches it (nothing lies over it there), and a screen
// reader sees a button.
TEST_F(WindowLife, LabelButtonsTakeAClickAtTheirPlaceAndLookPressedOnlyWhileHeld) {
    write(desktop() + "/Lista.txt", "");
    const std::pair<std::function<Label*()>, Qt::MouseButton> rows[] = {
        {[&] { return frame->boxBasic().lblAbout; }, Qt::LeftButton},
        {[&] { return frame->boxBasic().lblReset; }, Qt::LeftButton},
        {[&] { return frame->boxBasic().lblMoney[0]; }, Qt::LeftButton},
        {[&] { return frame->boxBasic().lblMoney[1]; }, Qt::LeftButton},
        {[&] { return frame->boxBasic().lblMoney[2]; }, Qt::RightButton},
        {[&] { return frame->boxBasic().lblMoney[3]; }, Qt::LeftButton},
        {[&] { return frame->inicio().lblEsc; }, Qt::RightButton},
        {[&] { return frame->system().lblEsc; }, Qt::LeftButton},
        {[&] { return frame->address().lblChange; }, Qt::RightButton},
    };
    for (const auto& [loadLabel, button] : rows) {
        newFrame();
        Label* label = loadLabel(); // loads its window on a fresh start
        QWidget* window = label->window();
        const QString name = window->objectName() + "/" + label->objectName();
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(QAccessible::queryAccessibleInterface(label)->role(), QAccessible::Button);
        if (frame->isInicioLoaded())
            frame->inicio().Timer2->stop(); // no hand-over under the test
        // The sale window's top labels are in view only when it is maximized.
        qobject_cast<frmBoxBasic*>(window) ? window->showMaximized() : window->show();
        ASSERT_TRUE(QTest::qWaitFor([&] {
            return window->rect().contains(QRect(label->mapTo(window, QPoint()), label->size()));
        }));
        QSignalSpy clicks(label, &Label::clicked);
        const QImage released = label->grab().toImage();
        QTest::mousePress(label, button);
        EXPECT_NE(label->grab().toImage(), released);
        QTest::mouseRelease(label, button, {}, QPoint(-5, -5));
        EXPECT_EQ(label->grab().toImage(), released);
        EXPECT_EQ(clicks.count(), 0);
        clickAt(label, button);
        EXPECT_EQ(ended, name.endsWith("lblEsc")); // an "x" ends the program at once
        EXPECT_TRUE(clicks.count() == 1 || ended); // before the spy hears it
    }
}

} // namespace tallimo
