#include "app/Frame.h"
#include "app/SingleInstance.h"
#include "widgets/Dialogs.h"
#include "widgets/Fonts.h"
#include "widgets/Identity.h"
#include "widgets/Language.h"
#include "windows/frmInicio.h"

#include <QApplication>

using namespace tallimo;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(identity::kTitle);
    QApplication::setOrganizationName(identity::kCompany);
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(identity::kVersionMajor)
                                            .arg(identity::kVersionMinor)
                                            .arg(identity::kVersionRevision));
    QGuiApplication::setDesktopFileName(QStringLiteral("tallimo")); // the installed menu entry
    QApplication::setQuitOnLastWindowClosed(false); // the frame decides when the program ends

    // Standard buttons and context menus read in Spanish whatever the user's locale.
    installSpanishTranslations();
    registerFontSubstitutes();

    QtDialogs dialogs;
    Environment environment = Environment::system();
    DriveRoot root = DriveRoot::fromEnvironment(environment.userName());
    const auto lock =
        SingleInstance::acquire(root.directory(), SingleInstance::defaultLockFolder());
    if (!lock) {
        static_cast<Dialogs&>(dialogs).message(
            nullptr,
            QStringLiteral("Tallimo ya está abierto. Use la ventana que ya está "
                           "abierta: otra copia podría perder las ventas del día."),
            Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation);
        return 1;
    }
    Frame frame(std::move(root), dialogs, environment);
    frame.inicio().show(); // the splash hands over to the next window
    return QApplication::exec();
}
