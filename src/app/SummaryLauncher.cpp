#include "app/SummaryLauncher.h"
#include "app/ReportDesk.h"

#include "storage/ChoiceFile.h"
#include "storage/Machine.h"
#include "storage/Paths.h"
#include "summary/CashCount.h"
#include "widgets/Artwork.h"
#include "widgets/Identity.h"
#include "windows/frmResumen.h"

#include <cstdio>

namespace tallimo {

namespace {

qint16 chosenLayout(const DriveRoot& root) {
    for (qint16 layout : {0, 1}) {
        const std::optional<QString> local = root.map(paths::choiceFilePath(layout));
        if (const std::optional<qint16> choice = local ? readChoiceFile(*local) : std::nullopt)
            return *choice;
    }
    return 0;
}

} // namespace

QStringList programArguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

int printCommand(const summary::CommandLine& command) {
    const summary::CommandResult result =
        summary::runCommand(command, QString::fromLatin1(identity::kVersion));
    platform::useBinaryStandardStreams(); // the same bytes as --salida writes
    std::fwrite(result.out.constData(), 1, std::size_t(result.out.size()), stdout);
    std::fwrite(result.err.constData(), 1, std::size_t(result.err.size()), stderr);
    if (std::fflush(stdout) != 0) {
        std::fputs("tallimo: no se pudo escribir el resumen.\n", stderr);
        return 2;
    }
    return result.exitCode;
}

frmResumen* openSummaryWindow(const DriveRoot& root, const Environment& environment,
                              Dialogs& dialogs) {
    const qint16 layout = chosenLayout(root);
    const QString user = environment.userName();
    const QString dateFormat = environment.shortDateFormat();
    auto salesFile = [root, layout, user, dateFormat](const QDate& date) {
        return root.map(paths::salesFilePath(layout, user, paths::fileNameDate(date, dateFormat)));
    };
    auto countsFile = [salesFile](const QDate& date) -> std::optional<QString> {
        const std::optional<QString> sales = salesFile(date);
        return sales ? std::optional(summary::countsFileBeside(*sales)) : std::nullopt;
    };
    SummarySource source{salesFile,     environment.today(), environment.decimalPoint(),
                         programIcon(), countsFile,          &dialogs};
    auto* window = new frmResumen(std::move(source));
    window->setAttribute(Qt::WA_DeleteOnClose);
    // The report goes where the tickets go; the desk goes with the window.
    auto* desk = new ReportDesk(root.map(paths::ticketSettingsPath(layout, user)),
                                environment.decimalPoint(), dialogs, window);
    QObject::connect(window, &frmResumen::printAsked, desk,
                     [desk](QDate from, const QList<summary::DaySummary>& days) {
                         desk->print({from, days});
                     });
    window->show();
    return window;
}

} // namespace tallimo
