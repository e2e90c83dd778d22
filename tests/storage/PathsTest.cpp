#include "storage/Paths.h"

#include "StorageTestSupport.h"

#include <gtest/gtest.h>

using namespace tallimo::paths;
using namespace Qt::StringLiterals;

// Only choice 0 picks the older Spanish layout; user names go in unchanged. A
// folder typed with a final "\" gets "Probex2.txt", without one "\probex2.txt".
// In a file name's date slashes become hyphens; all else follows the user's format.
TEST(PathsTest, LayoutAddressAndDateStrings) {
    const struct {
        qint16 choice;
        QString user, desktop, programs;
    } rows[] = {{0, u"José Núñez"_s, uR"(C:\Documents and Settings\José Núñez\Escritorio)"_s,
                 uR"(C:\Archivos de programa)"_s},
                {1, u"José Núñez"_s, uR"(C:\Users\José Núñez\Desktop)"_s, uR"(C:\Program Files)"_s},
                {-1, u" x "_s, uR"(C:\Users\ x \Desktop)"_s, uR"(C:\Program Files)"_s}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.choice);
        EXPECT_EQ(priceListPath(row.choice, row.user), row.desktop + uR"(\Lista.txt)"_s);
        EXPECT_EQ(salesFilePath(row.choice, row.user, u"05-12-2026"_s),
                  row.desktop + uR"(\Ventas de 05-12-2026.txt)"_s);
        EXPECT_EQ(choiceFilePath(row.choice), row.programs + uR"(\TLMSystem.txt)"_s);
        EXPECT_EQ(createFailureMessage(row.choice, row.user),
                  u"No se puede crear el archivo, la dirección: "_s + row.desktop +
                      u" no existe."_s);
    }
    EXPECT_EQ(proposedAddress(u"José Núñez"_s), uR"(C:\Users\José Núñez\Desktop)"_s);
    EXPECT_EQ(addressFilePath(uR"(C:\Users\ana\)"_s), uR"(C:\Users\ana\Probex2.txt)"_s);
    EXPECT_EQ(addressFilePath(u"/home/ana"_s), uR"(/home/ana\probex2.txt)"_s);
    EXPECT_EQ(fileNameDate(QDate(2026, 1, 9), u"dd//MM/yyyy"_s), u"09--01-2026"_s);
    EXPECT_EQ(fileNameDate(QDate(2026, 1, 9), u"d.M.yy"_s), u"9.1.26"_s);
}
