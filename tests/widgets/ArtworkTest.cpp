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

// One picture for each of the two buttons, different, and none for any other index.
TEST(Artwork, OnePictureForEachLayoutButton) {
    EXPECT_EQ(tallimo::systemPicture(0).size(), QSize(200, 120));
    EXPECT_NE(tallimo::systemPicture(0).toImage(), tallimo::systemPicture(1).toImage());
    EXPECT_TRUE(tallimo::systemPicture(-1).isNull() && tallimo::systemPicture(2).isNull());
}
