#include "widgets/Artwork.h"
#include "widgets/Language.h"

#include <QCoreApplication>
#include <QImage>
#include <gtest/gtest.h>

using namespace tallimo;

// Every listed size really loads: the installed menu entry and the window frames use them.
TEST(Artwork, IconHoldsEveryRenderedSize) {
    const QIcon icon = programIcon();
    for (const int side : {16, 32, 48, 96, 128, 256}) {
        EXPECT_TRUE(icon.availableSizes().contains(QSize(side, side))) << side;
        EXPECT_EQ(icon.pixmap(side).size(), QSize(side, side)) << side;
    }
}

// The standard buttons read in Spanish whatever the user's locale.
TEST(Language, StandardButtonsReadInSpanish) {
    ASSERT_TRUE(installSpanishTranslations());
    const char* rows[][2] = {{"&Yes", "&Sí"}, {"OK", "Aceptar"}, {"Cancel", "Cancelar"}};
    for (const auto& [english, spanish] : rows)
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", english), QString(spanish))
            << english;
}
