// Typed addresses mapped to files under a fixed drive root: only "C:\..." and
// absolute paths map, the result is an absolute Linux path without
// backslashes, and a "C:\" path without ".." stays under the root.

#include "FuzzSupport.h"

#include "storage/DriveRoot.h"
#include "storage/Paths.h"
#include "storage/PriceList.h"
#include "support/Bytes.h"

#include <QTemporaryDir>

using namespace tallimo;
using namespace tallimo::fuzz;

namespace {

QTemporaryDir* gRoot = nullptr;

bool isDriveC(const QString& path) {
    return path.size() >= 3 && (path[0] == u'C' || path[0] == u'c') && path[1] == u':' &&
           (path[2] == u'\\' || path[2] == u'/');
}

void checkMapping(const QString& typed) {
    const QString root = gRoot->path();
    const std::optional<QString> mapped = DriveRoot(root).map(typed);
    const bool mappable = !typed.contains(QChar(0)) && (isDriveC(typed) || typed.startsWith(u'/'));
    require(mapped.has_value() == mappable, "only C:\\ and absolute paths map", typed);
    if (!mapped)
        return;
    require(mapped->startsWith(u'/'), "the result is absolute", typed);
    require(!mapped->contains(u'\\') && !mapped->contains(QLatin1String("//")),
            "the result has no backslash or empty component", typed);

    const QStringList parts = QString(typed).replace(u'\\', u'/').split(u'/');
    if (isDriveC(typed) && !parts.contains(QStringLiteral(".."))) {
        require(*mapped == root || mapped->startsWith(root + u'/'),
                "a C:\\ path stays under the root", typed);
        (void)readPriceList(*mapped); // only the root's own small files
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Destroyed at exit, so the root goes with the run.
    static QTemporaryDir root;
    gRoot = &root;
    for (const char* file : {"/Users/ana/Desktop/Probex2.txt", "/Users/ana/Desktop/LISTA.TXT",
                             "/Documents and Settings/ana/Escritorio/Lista.txt",
                             "/Program Files/TLMSystem.txt", "/Archivos de programa/tlmsystem.TXT"})
        test::writeBytes(root.path() + QString::fromLatin1(file), "Producto patito $198\r\n");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString typed = textOf(data, size);
    checkMapping(typed);

    const QString file = paths::addressFilePath(typed);
    require(file.startsWith(typed) &&
                (file.endsWith(QLatin1String("\\probex2.txt")) ||
                 (typed.endsWith(u'\\') && file.endsWith(QLatin1String("\\Probex2.txt")))),
            "the typed folder gets probex2.txt", typed);
    checkMapping(file);
    return 0;
}
