#include "SaleWindowFixture.h"

#include "sale/Invoice.h"
#include "windows/frmEditar.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <sys/stat.h>

namespace tallimo {
namespace {

using WindowLife = SaleWindowTest;

TEST_F(WindowLife, LoadStartsEverythingFromItsStartValues)
{
    writePriceList("Pan $2\r\n\r\nLeche $20");
    writeFile(salesFile(), "uno\r\n\r\ndos\r\n");
    open();
    EXPECT_EQ(w->SaleTotal, 0);
    EXPECT_EQ(w->List2->items(), (QStringList{"Pan $2", "", "Leche $20"}));
    EXPECT_EQ(w->List1->items(), (QStringList{"uno", "dos"}));
    EXPECT_EQ(w->List1->selectedIndex(), 1);
    EXPECT_EQ(w->Usuario->text(), "cajera");
    EXPECT_FALSE(w->Usuario->isVisible());
    EXPECT_EQ(w->txtDato1->text(), "1");
    EXPECT_EQ(w->txtDato2->text(), "Producto");
    EXPECT_EQ(w->txtDato3->text(), "0.00");
    EXPECT_EQ(w->lblTotal1->text(), "0.00");
    EXPECT_EQ(w->lblTip->text(), Hint(1));
    EXPECT_EQ(w->palette().color(QPalette::Window), QColor(10, 10, 10));
    EXPECT_EQ(w->windowTitle(), "TALLIMO");
}

TEST_F(WindowLife, ResizePlacesTheFrameForEachWindowState)
{
    writePriceList("");
    open();
    EXPECT_EQ(w->frmeCoord->pos(), QPoint(0, 0));
    EXPECT_EQ(w->lblTip->y(), -w->lblTip->height());
    EXPECT_EQ(w->lblReset->y(), w->frmeCoord->height() + 8);

    w->showMaximized();
    QTest::qWait(50);
    const QRect outer = w->frameGeometry();
    EXPECT_NEAR(w->frmeCoord->x(), (outer.width() - w->frmeCoord->width()) / 2, 1);
    EXPECT_NEAR(w->frmeCoord->y(), (outer.height() - w->frmeCoord->height()) / 2, 1);
    EXPECT_EQ(w->lblAbout->x() + w->lblAbout->width(), w->frmeCoord->geometry().right() + 1);
    EXPECT_EQ(w->lblAbout->y(), w->lblTip->y());

    const QPoint centred = w->frmeCoord->pos();
    w->showMinimized();
    QTest::qWait(50);
    EXPECT_EQ(w->frmeCoord->pos(), centred);

    w->showNormal();
    QTest::qWait(50);
    EXPECT_EQ(w->frmeCoord->pos(), QPoint(0, 0));
}

TEST_F(WindowLife, UnloadClosesAnOpenSaleOnlyOnce)
{
    writePriceList("");
    writeFile(salesFile(), "1 x Pan de $2.00 = $2.00\r\n");
    open();
    w->close(); // history read from the file ends with an invoice line: total 0.00
    EXPECT_EQ(readFile(salesFile()),
              QByteArray("1 x Pan de $2.00 = $2.00\r\n"
                         "-------------------------------------------------->Total $0.00\r\n\r\n"));
    QTest::qWait(10);
    EXPECT_TRUE(ended);
    EXPECT_FALSE(frame->isBoxBasicLoaded());
}

TEST_F(WindowLife, AnEmptyHistoryWritesNothingOnClose)
{
    writePriceList("");
    open();
    w->close();
    EXPECT_FALSE(QFile::exists(salesFile()));
}

TEST_F(WindowLife, CurrencyMenuChangesOnlyTheFourLabels)
{
    writePriceList("");
    open();
    QList<QAction*> items = w->mnuMoney->actions();
    ASSERT_EQ(items.size(), 4);
    EXPECT_TRUE(items[2]->isSeparator());
    EXPECT_EQ(items[1]->text(), QString::fromUtf8("€"));
    EXPECT_EQ(items[3]->text(), "Otro...");

    items[1]->trigger();
    for (Label* label : w->lblMoney)
        EXPECT_EQ(label->text(), QString::fromUtf8("€"));
    w->txtDato3->setFocus();
    key(Qt::Key_Return);
    EXPECT_TRUE(w->List1->item(0).contains("de $0.00"));

    dialogs.inputAnswers << "Bs.";
    items[3]->trigger();
    EXPECT_EQ(dialogs.inputPrompts,
              (QStringList{"Simbolo de moneda:", QString::fromUtf8("Escriba el simbolo que se usará:")}));
    for (Label* label : w->lblMoney)
        EXPECT_EQ(label->text(), "Bs.");
    items[3]->trigger(); // cancelled: back to "$"
    for (Label* label : w->lblMoney)
        EXPECT_EQ(label->text(), "$");
}

TEST_F(WindowLife, LabelButtonsLookPressedOnlyWhileHeld)
{
    writePriceList("");
    open();
    w->showMaximized();
    QTest::qWait(50);
    QSignalSpy resetClicks(w->lblReset, &Label::clicked);
    QTest::mousePress(w->lblReset, Qt::LeftButton);
    EXPECT_TRUE(w->lblReset->hasBorder());
    QTest::mouseRelease(w->lblReset, Qt::LeftButton, {}, QPoint(-5, -5)); // released outside
    EXPECT_FALSE(w->lblReset->hasBorder());
    EXPECT_EQ(resetClicks.count(), 0);

    QTest::mousePress(w->lblMoney[2], Qt::RightButton);
    EXPECT_TRUE(w->lblMoney[2]->hasBorder());
    EXPECT_FALSE(w->lblMoney[1]->hasBorder());
    QTest::mouseRelease(w->lblMoney[2], Qt::RightButton, {}, QPoint(-5, -5));
    EXPECT_FALSE(w->lblMoney[2]->hasBorder());

    QTest::mousePress(w->lblAbout, Qt::LeftButton);
    EXPECT_TRUE(w->lblAbout->font().underline());
    QTest::mouseRelease(w->lblAbout, Qt::LeftButton);
    EXPECT_FALSE(w->lblAbout->font().underline());
    EXPECT_EQ(dialogs.aboutCount, 1);
    EXPECT_EQ(dialogs.aboutApp, "Tallimo");
    EXPECT_TRUE(dialogs.aboutHadIcon);
    EXPECT_EQ(dialogs.aboutOther, QString::fromUtf8("Orvendi\r\nTallimo: Versión 3.7"));
}

TEST_F(WindowLife, AFailedSaveIsToldOnceAndTheNextSaveWritesEverything)
{
    writePriceList("Pan $2\r\n");
    open();
    const QString hidden = desktop() + ".moved";
    ASSERT_TRUE(QDir().rename(desktop(), hidden)); // the desktop folder disappears mid-day
    w->List2->setFocus();
    key(Qt::Key_Down);
    key(Qt::Key_Return);
    key(Qt::Key_Return);
    ASSERT_EQ(dialogs.shown.size(), 1);
    const auto& told = dialogs.shown[0];
    EXPECT_EQ(told.icon, Dialogs::Icon::Critical);
    EXPECT_EQ(told.title, "Tallimo");
    EXPECT_TRUE(told.text.contains("C:\\Documents and Settings\\cajera\\Escritorio\\Ventas de "))
        << told.text.toStdString();
    EXPECT_EQ(w->List1->count(), 2);

    // Closing while the save still fails asks; No keeps every line on screen.
    dialogs.answers << Dialogs::Answer::No;
    EXPECT_FALSE(w->close());
    EXPECT_EQ(dialogs.shown.size(), 2);
    EXPECT_EQ(dialogs.shown[1].buttons, Dialogs::Buttons::YesNo);
    EXPECT_EQ(w->List1->count(), 3);

    ASSERT_TRUE(QDir().rename(hidden, desktop()));
    EXPECT_TRUE(w->close()); // ends with a total line already, but still saved
    EXPECT_EQ(readFile(salesFile()),
              QByteArray("1 x Pan de $2.00 = $2.00\r\n1 x Pan de $2.00 = $2.00\r\n"
                         "-------------------------------------------------->Total $4.00\r\n\r\n"));
}

TEST_F(WindowLife, DoubleClicksHandTheListToTheEditor)
{
    writePriceList("A\r\nB\r\n");
    open();
    QSignalSpy editor(w, &frmBoxBasic::editorRequested);
    QTest::mouseDClick(w->List2->viewport(), Qt::LeftButton);
    EXPECT_EQ(frame->EditBuffer, "A\r\nB\r\n");
    EXPECT_EQ(frame->EditTarget, -1);
    frame->editar().close(); // the sale window takes input again; the buffer is emptied
    QTest::mouseDClick(w->List1->viewport(), Qt::LeftButton); // an empty history too
    EXPECT_EQ(frame->EditBuffer, "");
    EXPECT_EQ(frame->EditTarget, 0);
    EXPECT_EQ(editor.count(), 2);
}

} // namespace
} // namespace tallimo
