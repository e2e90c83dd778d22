#include "app/Dialogs.h"
#include "app/Fonts.h"
#include "app/Frame.h"
#include "app/Identity.h"
#include "storage/ChoiceFile.h"
#include "storage/Paths.h"
#include "windows/frmBoxBasic.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

using namespace tallimo;

namespace {

// The remembered folder layout, read the way the start-up reads it; 0 when it cannot be.
qint16 readSystemChoice(const Frame& frame)
{
    const auto local = frame.localPath(paths::choiceFilePath(frame.SystemChoice));
    return local ? readChoiceFile(*local).value_or(0) : 0;
}

void showSaleWindow(Frame& frame)
{
    frame.SystemChoice = readSystemChoice(frame);
    frmBoxBasic& window = frame.boxBasic();
    QObject::connect(&window, &frmBoxBasic::restartRequested, &window,
                     [&frame] { showSaleWindow(frame); });
    window.show();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(identity::kTitle);
    QApplication::setOrganizationName(identity::kCompany);
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(identity::kVersionMajor)
                                            .arg(identity::kVersionMinor)
                                            .arg(identity::kVersionRevision));
    QApplication::setQuitOnLastWindowClosed(false); // the frame decides when the program ends

    // Standard buttons and context menus read in Spanish whatever the user's locale.
    QTranslator translator;
    if (translator.load(QStringLiteral("qtbase_es"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&translator);
    registerFontSubstitutes();

    QtDialogs dialogs;
    Environment environment = Environment::system();
    Frame frame(DriveRoot::fromEnvironment(environment.userName()), dialogs, environment);
    showSaleWindow(frame);
    return QApplication::exec();
}
