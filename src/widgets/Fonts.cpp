#include "widgets/Fonts.h"

#include <QFont>
#include <QStringList>

namespace tallimo {

void registerFontSubstitutes() {
    QFont::insertSubstitutions(QStringLiteral("Microsoft Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Segoe UI"), {QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Candara"), {QStringLiteral("Carlito")});
    QFont::insertSubstitutions(QStringLiteral("Calibri"), {QStringLiteral("Carlito")});
}

} // namespace tallimo
