#include "app/Frame.h"
#include "app/SingleInstance.h"
#include "app/SummaryLauncher.h"
#include "storage/Machine.h"
#include "widgets/Dialogs.h"
#include "widgets/Fonts.h"
#include "widgets/Identity.h"
#include "widgets/Language.h"
#include "windows/frmInicio.h"

#include <QApplication>
#include <cstdio>

using namespace tallimo;

int main(int argc, char** argv) {
    // Reports, help and the version are printed without a display.
    const summary::CommandLine command = summary::parseCommandLine(programArguments(argc, argv));
    const bool window = command.mode == summary::CommandLine::Mode::Window;
    if (command.mode != summary::CommandLine::Mode::Register && !window)
        return printCommand(command);
    if (!platform::hasDisplay()) {
        std::fputs(window ? "tallimo: no hay pantalla para abrir el resumen; sin ella, use "
                            "tallimo --resumen ARCHIVO... --texto o --csv.\n"
                          : "tallimo: no hay pantalla para abrir la caja registradora.\n",
                   stderr);
        return 2;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(identity::kTitle);
    QApplication::setOrganizationName(identity::kCompany);
    QApplication::setApplicationVersion(QString::fromLatin1(identity::kVersion));
    QGuiApplication::setDesktopFileName(QStringLiteral("tallimo")); // the installed menu entry
    // The frame decides when the register ends; the summary ends with its window.
    QApplication::setQuitOnLastWindowClosed(window);

    // Standard buttons and context menus read in Spanish whatever the user's locale.
    installSpanishTranslations();
    registerFontSubstitutes();

    Environment environment = Environment::system();
    DriveRoot root = DriveRoot::fromEnvironment(environment.userName());
    QtDialogs dialogs;
    if (window) {
        // Reads the sales files and writes only the cash counts, so it runs beside the register.
        openSummaryWindow(root, environment, dialogs);
        return QApplication::exec();
    }
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
