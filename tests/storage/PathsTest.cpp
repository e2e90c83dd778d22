#include "storage/Paths.h"

#include "StorageTestSupport.h"

#include <gtest/gtest.h>

using namespace tallimo::paths;
using namespace Qt::StringLiterals;

// Only choice 0 picks the older Spanish layout; user names go in unchanged.
TEST(PathsTest, LayoutStrings) {
    const struct {
        qint16 choice;
        const char *user, *desktop, *programs;
    } rows[] = {
        {0, "José Núñez", R"(C:\Documents and Settings\José Núñez\Escritorio)",
         R"(C:\Archivos de programa)"},
        {1, "José Núñez", R"(C:\Users\José Núñez\Desktop)", R"(C:\Program Files)"},
        {2, "ana", R"(C:\Users\ana\Desktop)", R"(C:\Program Files)"},
        {-1, " x ", R"(C:\Users\ x \Desktop)", R"(C:\Program Files)"},
    };
    for (const auto& row : rows) {
        const QString user = QString::fromUtf8(row.user), desktop = QString::fromUtf8(row.desktop);
        SCOPED_TRACE(row.choice);
        EXPECT_EQ(priceListPath(row.choice, user), desktop + uR"(\Lista.txt)"_s);
        EXPECT_EQ(salesFilePath(row.choice, user, u"05-12-2026"_s),
                  desktop + uR"(\Ventas de 05-12-2026.txt)"_s);
        EXPECT_EQ(choiceFilePath(row.choice), row.programs + uR"(\TLMSystem.txt)"_s);
        EXPECT_EQ(createFailureMessage(row.choice, user),
                  u"No se puede crear el archivo, la dirección: "_s + desktop + u" no existe."_s);
    }
    // Whatever the layout.
    EXPECT_EQ(proposedAddress(u"José Núñez"_s), uR"(C:\Users\José Núñez\Desktop)"_s);
}

TEST(PathsTest, AddressFile) {
    EXPECT_EQ(addressFilePath(uR"(C:\Users\ana\)"_s), uR"(C:\Users\ana\Probex2.txt)"_s);
    EXPECT_EQ(addressFilePath(uR"(C:\Users\ana)"_s), uR"(C:\Users\ana\probex2.txt)"_s);
    EXPECT_EQ(addressFilePath(u"/home/ana/"_s), uR"(/home/ana/\probex2.txt)"_s);
}

// Slashes become hyphens; everything else follows the user's format.
TEST(PathsTest, FileNameDate) {
    const QDate date(2026, 1, 9);
    EXPECT_EQ(fileNameDate(date, u"dd/MM/yyyy"_s), u"09-01-2026"_s);
    EXPECT_EQ(fileNameDate(date, u"d.M.yy"_s), u"9.1.26"_s);
    EXPECT_EQ(fileNameDate(date, u"dd//MM"_s), u"09--01"_s);
}
