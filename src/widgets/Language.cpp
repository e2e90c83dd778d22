#include "widgets/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tallimo {

bool installSpanishTranslations() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    // A program built to stand alone (Windows) carries them inside.
    if (!translator->load(QStringLiteral("qtbase_es"), QStringLiteral(":/i18n")) &&
        !translator->load(QStringLiteral("qtbase_es"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace tallimo
