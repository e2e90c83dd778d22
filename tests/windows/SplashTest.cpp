#include "StartupFixture.h"

namespace tallimo {
namespace {

using Splash = StartupTest;

TEST_F(Splash, LoadsBorderlessWithTheTitleWhiteOnWhiteAndTwoTimersRunning)
{
    frmInicio& w = frame->inicio();
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(w.FadeLevel, 250);
    EXPECT_EQ(w.lblWord->foreColor(), QColor(255, 255, 255));
    EXPECT_TRUE(w.Shape3->isHidden());
    const struct {
        QTimer* timer;
        int interval;
        bool running;
    } timers[] = {{w.Timer1, 30, true}, {w.Timer2, 30, true}, {w.Timer3, 500, false}};
    for (const auto& t : timers) {
        EXPECT_EQ(t.timer->interval(), t.interval) << t.timer->objectName().toStdString();
        EXPECT_EQ(t.timer->isActive(), t.running) << t.timer->objectName().toStdString();
    }
}

TEST_F(Splash, TheTitleFadesThroughTwentyFiveGreysToBlack)
{
    frmInicio& w = frame->inicio();
    for (int tick = 1; tick <= 25; ++tick) {
        w.Timer1_Timer();
        const int grey = 250 - 10 * tick;
        ASSERT_EQ(w.lblWord->foreColor(), QColor(grey, grey, grey)) << "tick " << tick;
        ASSERT_TRUE(w.Timer1->isActive()) << "tick " << tick;
    }
    w.Timer1_Timer(); // the 26th finds black and stops
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_EQ(w.FadeLevel, 0);
    EXPECT_EQ(w.lblWord->foreColor(), QColor(0, 0, 0));
    EXPECT_TRUE(w.Timer2->isActive()); // the bars go on
}

TEST_F(Splash, TheBarsGrowFortyTicksAndTheSquareMarksWhereTheyCross)
{
    frmInicio& w = frame->inicio();
    EXPECT_EQ(w.shape1Twips(), QRect(7800, 3240, 15, 495));
    EXPECT_EQ(w.shape2Twips(), QRect(480, 0, 495, 15));

    for (int tick = 1; tick <= 40; ++tick) {
        const QRect before = w.shape3Twips();
        w.Timer2_Timer();
        ASSERT_EQ(w.shape2Twips(), QRect(480, 0, 495, 15 + 120 * tick)) << "tick " << tick;
        ASSERT_EQ(w.shape1Twips(), QRect(7800 - 200 * tick, 3240, 15 + 200 * tick, 495))
            << "tick " << tick;
        const bool crossing = tick == 35 || tick == 36; // Shape1 left 800, then 600
        if (crossing)
            ASSERT_EQ(w.shape3Twips(), QRect(480, 3240, 495, 495)) << "tick " << tick;
        else
            ASSERT_EQ(w.shape3Twips(), before) << "tick " << tick;
        ASSERT_EQ(w.Shape3->isHidden(), tick < 35) << "tick " << tick;
        ASSERT_FALSE(w.Timer3->isActive()) << "tick " << tick;
    }
    EXPECT_EQ(w.Shape1->geometry(), twipsRect(-200, 3240, 8015, 495));
    EXPECT_EQ(w.Shape2->geometry(), twipsRect(480, 0, 495, 4815));
    EXPECT_EQ(w.Shape3->geometry(), twipsRect(480, 3240, 495, 495));

    w.Timer2_Timer(); // the 41st arms the pause
    EXPECT_FALSE(w.Timer2->isActive());
    EXPECT_TRUE(w.Timer3->isActive());
    EXPECT_EQ(w.shape2Twips().height(), 4815);
    EXPECT_EQ(w.shape1Twips().x(), -200);
}

TEST_F(Splash, TheSquareAndTheFrameAreDrawnOverTheBars)
{
    frmInicio& w = frame->inicio();
    for (int tick = 1; tick <= 41; ++tick)
        w.Timer2_Timer();
    const QImage drawn = w.grab().toImage();
    const QPoint crossing = twipsRect(480, 3240, 495, 495).center();
    EXPECT_EQ(drawn.pixelColor(crossing).name(), "#00ff00");
    EXPECT_EQ(drawn.pixelColor(twips(700), 0).name(), "#000000"); // the frame over the yellow bar
    EXPECT_EQ(drawn.pixelColor(twips(700), twips(1000)).name(), "#ffff00");
    EXPECT_EQ(drawn.pixelColor(twips(4000), twips(3500)).name(), "#00c000");
}

TEST_F(Splash, LeftAloneItHandsOverAfterTheBarsAndThePause)
{
    writeFile(spanishPrograms() + "/TLMSystem.txt", " 0 \r\n");
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
