#include "WindowFixture.h"

namespace tallimo {
namespace {

using Splash = WindowTest;

TEST_F(Splash, TheTitleFadesThroughTwentyFiveGreysToBlack) {
    frmInicio& w = frame->inicio();
    EXPECT_EQ(w.lblWord->foreColor(), QColor(255, 255, 255)); // white on white at first
    for (int tick = 1; tick <= 25; ++tick) {
        w.Timer1_Timer();
        const int grey = 250 - 10 * tick;
        ASSERT_EQ(w.lblWord->foreColor(), QColor(grey, grey, grey)) << "tick " << tick;
        ASSERT_TRUE(w.Timer1->isActive()) << "tick " << tick;
    }
    w.Timer1_Timer(); // the 26th finds black and stops
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_EQ(w.lblWord->foreColor(), QColor(0, 0, 0));
    EXPECT_TRUE(w.Timer2->isActive()); // the bars go on
}

TEST_F(Splash, TheBarsGrowFortyTicksAndTheSquareMarksWhereTheyCross) {
    frmInicio& w = frame->inicio();
    for (int tick = 1; tick <= 40; ++tick) {
        const QRect before = w.shape3Twips();
        w.Timer2_Timer();
        ASSERT_EQ(w.shape2Twips(), QRect(480, 0, 495, 15 + 120 * tick)) << "tick " << tick;
        ASSERT_EQ(w.shape1Twips(), QRect(7800 - 200 * tick, 3240, 15 + 200 * tick, 495))
            << "tick " << tick;
        const bool crossing = tick == 35 || tick == 36; // Shape1 left 800, then 600
        ASSERT_EQ(w.shape3Twips(), crossing ? QRect(480, 3240, 495, 495) : before)
            << "tick " << tick;
        ASSERT_EQ(w.Shape3->isHidden(), tick < 35) << "tick " << tick;
        ASSERT_FALSE(w.Timer3->isActive()) << "tick " << tick;
    }
    w.Timer2_Timer(); // the 41st arms the pause and grows nothing
    EXPECT_FALSE(w.Timer2->isActive());
    EXPECT_TRUE(w.Timer3->isActive());
    EXPECT_EQ(w.shape1Twips().x(), -200);

    // The square and the frame are drawn over the bars.
    const QImage drawn = w.grab().toImage();
    EXPECT_EQ(drawn.pixelColor(twipsRect(480, 3240, 495, 495).center()).name(), "#00ff00");
    EXPECT_EQ(drawn.pixelColor(twips(700), 0).name(), "#000000");
    EXPECT_EQ(drawn.pixelColor(twips(700), twips(1000)).name(), "#ffff00");
    EXPECT_EQ(drawn.pixelColor(twips(4000), twips(3500)).name(), "#00c000");
}

TEST_F(Splash, LeftAloneItHandsOverAfterTheBarsAndThePause) {
    twoLayouts();
    writeFile(choiceFile(false), " 0 \r\n");
    QElapsedTimer clock;
    clock.start();
    frame->inicio().show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame->isBoxBasicLoaded(); }, 5000));
    // 41 ticks of 30 ms, then 500 ms (coarse timers may run a little early).
    EXPECT_GE(clock.elapsed(), 1500);
    EXPECT_FALSE(frame->isInicioLoaded());
    EXPECT_TRUE(frame->boxBasic().isVisible());
}

} // namespace
} // namespace tallimo
