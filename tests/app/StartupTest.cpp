#include "windows/WindowFixture.h"

#include <QPointer>

namespace tallimo {

class Startup : public WindowTest {
  protected:
    void SetUp() override { WindowTest::SetUp(), twoLayouts(); }
    // The animation played tick by tick up to the hand-over, as the timers would.
    static void playToHandOver(frmInicio& splash) {
        for (int tick = 0; tick < 100 && splash.Timer2->isActive(); ++tick)
            splash.Timer1_Timer(), splash.Timer2_Timer();
        ASSERT_TRUE(splash.Timer3->isActive());
        splash.Timer3_Timer();
    }
};

// The first start always reads the Spanish layout's file; a failed read opens the choice window
// and says nothing. The splash hands over once and is unloaded.
TEST_F(Startup, TheFirstStartReadsTheChoiceFileOfTheSpanishLayout) {
    const struct {
        const char *spanishFile, *englishFile; // nullptr: none
        int choice;
        const char* shown; // the first product of the sale window, or "choice window"
    } rows[] = {{" 1 \r\n", nullptr, 1, "Bread $3"},      {"2\r\n", nullptr, 2, "Bread $3"},
                {" 0 \r\n", " 1 \r\n", 0, "Pan $2"},      {"abc\r\n", nullptr, 0, "choice window"},
                {nullptr, " 1 \r\n", 0, "choice window"}, {" 1 \r\n", " 0 \r\n", 1, "Bread $3"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(
            (QString::fromLatin1(row.spanishFile) + " / " + row.englishFile).toStdString());
        for (bool english : {false, true}) {
            QFile::remove(choiceFile(english));
            if (const char* bytes = english ? row.englishFile : row.spanishFile)
                write(choiceFile(english), bytes);
        }
        newFrame();
        QPointer<frmInicio> splash = &frame->inicio();
        splash->show();
        playToHandOver(*splash);
        EXPECT_EQ(frame->shared().SystemChoice, row.choice);
        EXPECT_EQ(saleWindowShown()     ? frame->boxBasic().List2->item(0)
                  : choiceWindowShown() ? "choice window"
                                        : "none",
                  row.shown);
        EXPECT_TRUE(dialogs.shown.isEmpty());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(splash.isNull());
    }
}

// The restart label brings back fresh windows, and the splash reads the file of the layout in use;
// the sale left open is closed by the sale window's own unload.
TEST_F(Startup, ARestartReadsTheChoiceFileOfTheLayoutInUse) {
    write(choiceFile(false), " 1 \r\n");
    write(choiceFile(true), "7\r\n");
    playToHandOver(frame->inicio());
    // A sale left open: no total yet.
    frame->boxBasic().txtDato2->setText("Queso"), frame->boxBasic().txtDato3->setText("5");
    frame->boxBasic().ActFactura();
    frame->boxBasic().lblReset_Click();
    EXPECT_FALSE(frame->isBoxBasicLoaded());
    EXPECT_EQ(frame->inicio().FadeLevel, 250);
    playToHandOver(frame->inicio());
    EXPECT_EQ(frame->shared().SystemChoice, 7);
    ASSERT_TRUE(saleWindowShown());
    EXPECT_EQ(frame->boxBasic().List1->items(),
              (QStringList{"1 x Queso de $5.00 = $5.00", QString(50, '-') + ">Total $5.00"}));

    QFile::remove(choiceFile(true)); // the Spanish file is not the one looked at now
    frame->boxBasic().lblReset_Click();
    playToHandOver(frame->inicio());
    EXPECT_TRUE(choiceWindowShown());
    EXPECT_FALSE(ended);
}

} // namespace tallimo
