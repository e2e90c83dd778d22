#include "WindowFixture.h"

namespace tallimo {

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
