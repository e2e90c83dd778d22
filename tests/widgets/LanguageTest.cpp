#include "widgets/Language.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace tallimo {
// The standard buttons read in Spanish whatever the user's locale.
TEST(Language, StandardButtonsReadInSpanish) {
    ASSERT_TRUE(installSpanishTranslations());
    const char* rows[][2] = {{"&Yes", "&Sí"}, {"OK", "Aceptar"}, {"Cancel", "Cancelar"}};
    for (const auto& [english, spanish] : rows)
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", english), QString(spanish))
            << english;
}

} // namespace tallimo
