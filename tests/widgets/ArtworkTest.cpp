#include "widgets/Artwork.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Share of pixels whose every channel is close to white.
double whiteShare(const QImage& image) {
    long white = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (std::min({qRed(p), qGreen(p), qBlue(p)}) >= 240)
                ++white;
        }
    return double(white) / (double(image.width()) * image.height());
}

} // namespace

TEST(Artwork, IconHoldsEveryRenderedSize) {
    const QIcon icon = tallimo::programIcon();
    QList<QSize> sizes = icon.availableSizes();
    std::sort(sizes.begin(), sizes.end(),
              [](const QSize& a, const QSize& b) { return a.width() < b.width(); });
    const QList<QSize> expected{{16, 16}, {32, 32}, {48, 48}, {96, 96}, {128, 128}, {256, 256}};
    EXPECT_EQ(sizes, expected);
    // Each size must really load, not just be listed.
    for (const QSize& s : expected)
        EXPECT_EQ(icon.pixmap(s).size(), s) << s.width();
}

TEST(Artwork, SystemPicturesAreMostlyWhiteButtons) {
    for (int i : {0, 1}) {
        const QPixmap picture = tallimo::systemPicture(i);
        ASSERT_FALSE(picture.isNull()) << i;
        EXPECT_EQ(picture.size(), QSize(200, 120)) << i;
        EXPECT_GT(whiteShare(picture.toImage()), 0.5) << i;
    }
    // The two buttons must not show the same picture; there is no third.
    EXPECT_NE(tallimo::systemPicture(0).toImage(), tallimo::systemPicture(1).toImage());
    EXPECT_TRUE(tallimo::systemPicture(-1).isNull());
    EXPECT_TRUE(tallimo::systemPicture(2).isNull());
}
