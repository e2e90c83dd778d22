#include "windows/WindowFixture.h"

#include <QPointer>

namespace tallimo {
namespace {

class Startup : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        twoLayouts();
    }
};

// The first start always reads the Spanish layout's file.
TEST_F(Startup, TheFirstStartReadsTheChoiceFileOfTheSpanishLayout) {
    const struct {
        const char* spanishFile; // nullptr: none
        const char* englishFile;
        int choice; // -1: the choice window opens
        const char* firstProduct;
    } rows[] = {
        {" 1 \r\n", nullptr, 1, "Bread $3"},
        {"2\r\n", nullptr, 2, "Bread $3"}, // any nonzero value is the newer layout
        {" 0 \r\n", " 1 \r\n", 0, "Pan $2"},
        {"abc\r\n", nullptr, -1, nullptr},
        {nullptr, " 1 \r\n", -1, nullptr}, // only the other layout's file
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.spanishFile ? row.spanishFile : "(no file)");
        for (bool english : {false, true}) {
            QFile::remove(choiceFile(english));
            if (const char* bytes = english ? row.englishFile : row.spanishFile)
                writeFile(choiceFile(english), bytes);
        }
        newFrame();
        QPointer<frmInicio> splash = &frame->inicio();
        splash->show();
        playToHandOver(*splash);
        EXPECT_FALSE(splash->Timer3->isActive()); // the hand-over runs once
        EXPECT_EQ(frame->shared().SystemChoice, std::max(row.choice, 0));
        EXPECT_EQ(frame->isBoxBasicLoaded(), row.choice >= 0);
        EXPECT_EQ(choiceWindowShown(), row.choice < 0);
        if (row.choice >= 0) {
            EXPECT_EQ(saleWindowShown() ? frame->boxBasic().List2->item(0) : "<hidden>",
                      row.firstProduct);
        }
        EXPECT_TRUE(dialogs.shown.isEmpty()); // a failed read says nothing
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(splash.isNull()); // closing unloaded it
    }
}

// The restart label brings back fresh windows, and the splash reads the file of the layout in use.
TEST_F(Startup, ARestartReadsTheChoiceFileOfTheLayoutInUse) {
    writeFile(choiceFile(false), " 1 \r\n");
    playToHandOver(frame->inicio());
    ASSERT_EQ(frame->shared().SystemChoice, 1);
    frmBoxBasic& sale = frame->boxBasic();
    sale.txtDato2->setText("Queso");
    sale.txtDato3->setText("5");
    sale.ActFactura();

    writeFile(choiceFile(true), "7\r\n");
    sale.lblReset_Click();
    ASSERT_TRUE(frame->isInicioLoaded());
    EXPECT_FALSE(frame->isBoxBasicLoaded());
    EXPECT_EQ(frame->inicio().FadeLevel, 250);
    EXPECT_TRUE(frame->inicio().Shape3->isHidden());
    playToHandOver(frame->inicio());
    EXPECT_EQ(frame->shared().SystemChoice, 7);
    ASSERT_TRUE(saleWindowShown());
    frmBoxBasic& again = frame->boxBasic();
    EXPECT_EQ(again.SaleTotal, 0);
    EXPECT_EQ(again.txtDato2->text(), "Producto");
    // The sale left open was closed by the sale window's own unload.
    EXPECT_EQ(again.List1->items(),
              (QStringList{"1 x Queso de $5.00 = $5.00",
                           "-------------------------------------------------->Total $5.00"}));

    // The Spanish file still reads " 1 ", but it is not the one looked at now.
    QFile::remove(choiceFile(true));
    again.lblReset_Click();
    playToHandOver(frame->inicio());
    EXPECT_TRUE(choiceWindowShown());
    EXPECT_FALSE(frame->isBoxBasicLoaded());
    EXPECT_FALSE(ended);
}

// The "x" of either setup window ends everything at once: no unload handler runs,
// so a sale left open gets no total line.
TEST_F(Startup, TheEscapeLabelsEndTheProgramAtOnce) {
    for (const bool fromSplash : {true, false}) {
        SCOPED_TRACE(fromSplash ? "splash" : "choice window");
        QFile::remove(salesFile());
        newFrame();
        frmBoxBasic& sale = frame->boxBasic();
        sale.txtDato2->setText("Queso");
        sale.txtDato3->setText("5");
        sale.ActFactura();
        const QByteArray beforeEnd = readFile(salesFile());
        ASSERT_TRUE(beforeEnd.startsWith("1 x Queso de $5.00 = $5.00\r\n"));

        QWidget* window = fromSplash ? static_cast<QWidget*>(&frame->inicio()) : &frame->system();
        showActive(*window);
        QTest::mouseClick(window->findChild<Label*>("lblEsc"), Qt::LeftButton);
        EXPECT_TRUE(ended);
        EXPECT_FALSE(frame->anyWindowLoaded());
        EXPECT_EQ(readFile(salesFile()), beforeEnd);
        EXPECT_TRUE(dialogs.shown.isEmpty());
    }
}

} // namespace
} // namespace tallimo
