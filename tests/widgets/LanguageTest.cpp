#include "widgets/Language.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace tallimo {
// The standard buttons read in Spanish whatever the user's locale.
TEST(Language, StandardButtonsReadInSpanish) {
    ASSERT_TRUE(installSpanishTranslations());
    const struct {
        const char* english;
        const char* spanish;
    } rows[] = {{"&Yes", "&Sí"}, {"&No", "&No"}, {"OK", "Aceptar"}, {"Cancel", "Cancelar"}};
    for (const auto& row : rows)
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", row.english),
                  QString::fromUtf8(row.spanish))
            << row.english;
}

} // namespace tallimo
