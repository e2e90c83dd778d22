#include "StartupFixture.h"

#include "storage/Paths.h"

#include <QPointer>

namespace tallimo {
namespace {

using Startup = StartupTest;

// The first start always reads the Spanish layout's file.
TEST_F(Startup, TheFirstStartReadsTheChoiceFileOfTheSpanishLayout)
{
    const char* missing = nullptr;
    const struct {
        const char* spanishFile;
        const char* englishFile;
        int choice; // -1: the choice window opens
        const char* firstProduct;
    } rows[] = {
        {" 1 \r\n", missing, 1, "Bread $3"},
        {"2\r\n", missing, 2, "Bread $3"}, // any nonzero value is the newer layout
        {" 0 \r\n", " 1 \r\n", 0, "Pan $2"},
        {"abc\r\n", missing, -1, nullptr},
        {"", missing, -1, nullptr},
        {missing, " 1 \r\n", -1, nullptr}, // only the other layout's file
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.spanishFile ? row.spanishFile : "(no file)");
        QFile::remove(spanishPrograms() + "/TLMSystem.txt");
        QFile::remove(englishPrograms() + "/TLMSystem.txt");
        if (row.spanishFile)
            writeFile(spanishPrograms() + "/TLMSystem.txt", row.spanishFile);
        if (row.englishFile)
            writeFile(englishPrograms() + "/TLMSystem.txt", row.englishFile);
        newFrame();

        QPointer<frmInicio> splash = &frame->inicio();
        splash->show();
        playToHandOver(*splash);
        EXPECT_EQ(splash->Usuario->text(), "cajera");
        EXPECT_FALSE(frame->isInicioLoaded());
        EXPECT_FALSE(splash->isVisible());
        EXPECT_FALSE(splash->Timer3->isActive()); // the hand-over runs once
        if (row.choice >= 0) {
            EXPECT_EQ(frame->SystemChoice, row.choice);
            ASSERT_TRUE(saleWindowShown());
            EXPECT_EQ(frame->boxBasic().List2->item(0), row.firstProduct);
            EXPECT_FALSE(frame->isSystemLoaded());
        } else {
            EXPECT_EQ(frame->SystemChoice, 0);
            EXPECT_TRUE(choiceWindowShown());
            EXPECT_FALSE(frame->isBoxBasicLoaded());
        }
        EXPECT_TRUE(dialogs.shown.isEmpty()); // a failed read says nothing
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(splash.isNull()); // closing unloaded it
    }
}

// The restart label brings the splash back, which reads the file of the layout in use.
TEST_F(Startup, ARestartReadsTheChoiceFileOfTheLayoutInUse)
{
    writeFile(spanishPrograms() + "/TLMSystem.txt", " 1 \r\n");
    playToHandOver(frame->inicio());
    ASSERT_EQ(frame->SystemChoice, 1);

    writeFile(englishPrograms() + "/TLMSystem.txt", "7\r\n");
    frame->boxBasic().lblReset_Click();
    ASSERT_TRUE(frame->isInicioLoaded());
    playToHandOver(frame->inicio());
    EXPECT_EQ(frame->SystemChoice, 7);
    EXPECT_TRUE(saleWindowShown());

    // The Spanish file still reads " 1 ", but it is not the one looked at now.
    QFile::remove(englishPrograms() + "/TLMSystem.txt");
    frame->boxBasic().lblReset_Click();
    playToHandOver(frame->inicio());
    EXPECT_TRUE(choiceWindowShown());
    EXPECT_FALSE(frame->isBoxBasicLoaded());
    EXPECT_EQ(frame->SystemChoice, 7);
    EXPECT_FALSE(ended);
}

// Each window comes back from its designer values once it has been unloaded.
TEST_F(Startup, RestartedWindowsStartFromTheirStartValues)
{
    writeFile(spanishPrograms() + "/TLMSystem.txt", " 0 \r\n");
    playToHandOver(frame->inicio());
    frmBoxBasic& sale = frame->boxBasic();
    sale.show();
    sale.txtDato2->setText("Queso");
    sale.txtDato3->setText("5");
    sale.ActFactura();
    ASSERT_EQ(sale.SaleTotal, 5);

    sale.lblReset_Click();
    EXPECT_FALSE(frame->isBoxBasicLoaded());
    frmInicio& splash = frame->inicio();
    EXPECT_TRUE(splash.isVisible());
    EXPECT_EQ(splash.FadeLevel, 250);
    EXPECT_EQ(splash.lblWord->foreColor(), QColor(255, 255, 255));
    EXPECT_EQ(splash.shape1Twips(), QRect(7800, 3240, 15, 495));
    EXPECT_TRUE(splash.Shape3->isHidden());

    playToHandOver(splash);
    frmBoxBasic& again = frame->boxBasic();
    EXPECT_TRUE(again.isVisible());
    EXPECT_EQ(again.SaleTotal, 0);
    EXPECT_EQ(again.txtDato1->text(), "1");
    EXPECT_EQ(again.txtDato2->text(), "Producto");
    EXPECT_EQ(again.txtDato3->text(), "0.00");
    EXPECT_EQ(again.lblTotal1->text(), "0.00");
    // The sale left open was closed by the sale window's own unload.
    EXPECT_EQ(again.List1->items(),
              (QStringList{"1 x Queso de $5.00 = $5.00",
                           "-------------------------------------------------->Total $5.00"}));
    EXPECT_FALSE(ended);
}

TEST_F(Startup, TheEscapeLabelsLookPressedOnlyWhileHeld)
{
    const QColor black(0, 0, 0), grey(128, 128, 128);
    const struct {
        QWidget* window;
        Label* x;
        QColor pressedBack, pressedFore, releasedFore;
    } rows[] = {
        {&frame->inicio(), frame->inicio().lblEsc, QColor(224, 224, 224), black, black},
        {&frame->system(), frame->system().lblEsc, QColor(255, 0, 0), black, grey},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.window->objectName().toStdString());
        showActive(*row.window);
        QTest::mousePress(row.x, Qt::RightButton);
        EXPECT_TRUE(row.x->isOpaque());
        EXPECT_EQ(row.x->backColor(), row.pressedBack);
        EXPECT_EQ(row.x->foreColor(), row.pressedFore);
        QTest::mouseRelease(row.x, Qt::RightButton, {}, QPoint(-5, -5)); // released outside
        EXPECT_FALSE(row.x->isOpaque());
        EXPECT_EQ(row.x->foreColor(), row.releasedFore);
        EXPECT_FALSE(ended);
    }
}

// The "x" of either setup window ends everything at once: no unload handler runs,
// so a sale left open gets no total line.
TEST_F(Startup, TheEscapeLabelsEndTheProgramAtOnce)
{
    const QLocale mx(QLocale::Spanish, QLocale::Mexico);
    const QString salesFile = spanishDesktop() + "/Ventas de " +
        paths::fileNameDate(QDate(2026, 12, 5), mx.dateFormat(QLocale::ShortFormat)) + ".txt";
    for (const bool fromSplash : {true, false}) {
        SCOPED_TRACE(fromSplash ? "splash" : "choice window");
        QFile::remove(salesFile);
        newFrame();
        frmBoxBasic& sale = frame->boxBasic();
        sale.txtDato2->setText("Queso");
        sale.txtDato3->setText("5");
        sale.ActFactura();
        const QByteArray beforeEnd = readFile(salesFile);
        ASSERT_TRUE(beforeEnd.startsWith("1 x Queso de $5.00 = $5.00\r\n"));

        QWidget& window = fromSplash ? static_cast<QWidget&>(frame->inicio())
                                     : static_cast<QWidget&>(frame->system());
        showActive(window);
        Label* x = fromSplash ? frame->inicio().lblEsc : frame->system().lblEsc;
        QTest::mouseClick(x, Qt::LeftButton);

        EXPECT_TRUE(ended);
        EXPECT_FALSE(frame->anyWindowLoaded());
        EXPECT_EQ(readFile(salesFile), beforeEnd);
        EXPECT_TRUE(dialogs.shown.isEmpty());
    }
}

} // namespace
} // namespace tallimo
