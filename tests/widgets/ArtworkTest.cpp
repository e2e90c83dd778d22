#include "widgets/Artwork.h"

#include <QImage>
#include <gtest/gtest.h>

// Every listed size really loads: the installed menu entry and the window frames use them.
TEST(Artwork, IconHoldsEveryRenderedSize) {
    const QIcon icon = tallimo::programIcon();
    for (const int side : {16, 32, 48, 96, 128, 256}) {
        EXPECT_TRUE(icon.availableSizes().contains(QSize(side, side))) << side;
        EXPECT_EQ(icon.pixmap(side).size(), QSize(side, side)) << side;
    }
}
