#include "storage/Paths.h"

#include <gtest/gtest.h>

using namespace tallimo::paths;

namespace {

struct LayoutRow {
    qint16 choice;
    const char* user;
    const char* priceList;
    const char* salesFile;
    const char* choiceFile;
    const char* failure;
    const char* proposed; // whatever the layout
};

// Any nonzero choice picks the newer layout; names go in unchanged.
const LayoutRow kLayouts[] = {
    {1, "ana", R"(C:\Users\ana\Desktop\Lista.txt)", R"(C:\Users\ana\Desktop\Ventas de 05-12-2026.txt)",
     R"(C:\Program Files\TLMSystem.txt)",
     R"(No se puede crear el archivo, la dirección: C:\Users\ana\Desktop no existe.)",
     R"(C:\Users\ana\Desktop)"},
    {2, "José Núñez", R"(C:\Users\José Núñez\Desktop\Lista.txt)",
     R"(C:\Users\José Núñez\Desktop\Ventas de 05-12-2026.txt)", R"(C:\Program Files\TLMSystem.txt)",
     R"(No se puede crear el archivo, la dirección: C:\Users\José Núñez\Desktop no existe.)",
     R"(C:\Users\José Núñez\Desktop)"},
    {-1, " x ", R"(C:\Users\ x \Desktop\Lista.txt)", R"(C:\Users\ x \Desktop\Ventas de 05-12-2026.txt)",
     R"(C:\Program Files\TLMSystem.txt)",
     R"(No se puede crear el archivo, la dirección: C:\Users\ x \Desktop no existe.)",
     R"(C:\Users\ x \Desktop)"},
    {0, "José Núñez", R"(C:\Documents and Settings\José Núñez\Escritorio\Lista.txt)",
     R"(C:\Documents and Settings\José Núñez\Escritorio\Ventas de 05-12-2026.txt)",
     R"(C:\Archivos de programa\TLMSystem.txt)",
     R"(No se puede crear el archivo, la dirección: C:\Documents and Settings\José Núñez\Escritorio no existe.)",
     R"(C:\Users\José Núñez\Desktop)"},
};

} // namespace

TEST(PathsTest, LayoutStrings)
{
    for (const LayoutRow& row : kLayouts) {
        const QString user = QString::fromUtf8(row.user);
        SCOPED_TRACE(row.choice);
        SCOPED_TRACE(row.user);
        EXPECT_EQ(priceListPath(row.choice, user), QString::fromUtf8(row.priceList));
        EXPECT_EQ(salesFilePath(row.choice, user, QStringLiteral("05-12-2026")),
                  QString::fromUtf8(row.salesFile));
        EXPECT_EQ(choiceFilePath(row.choice), QString::fromUtf8(row.choiceFile));
        EXPECT_EQ(createFailureMessage(row.choice, user), QString::fromUtf8(row.failure));
        EXPECT_EQ(proposedAddress(user), QString::fromUtf8(row.proposed));
    }
}

TEST(PathsTest, AddressFile)
{
    const struct {
        const char* address;
        const char* expected;
    } rows[] = {
        {R"(C:\Users\ana\Desktop\)", R"(C:\Users\ana\Desktop\Probex2.txt)"},
        {R"(C:\Users\ana\Desktop)", R"(C:\Users\ana\Desktop\probex2.txt)"},
        {"", R"(\probex2.txt)"},
        {"/home/ana/", R"(/home/ana/\probex2.txt)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.address);
        EXPECT_EQ(addressFilePath(QString::fromUtf8(row.address)), QString::fromUtf8(row.expected));
    }
}

TEST(PathsTest, FileNameDate)
{
    const struct {
        QDate date;
        const char* format;
        const char* expected;
    } rows[] = {
        {QDate(2026, 12, 5), "dd/MM/yyyy", "05-12-2026"},
        {QDate(2026, 12, 5), "d.M.yy", "5.12.26"},
        {QDate(2026, 12, 5), "M/d/yy", "12-5-26"},
        {QDate(2026, 1, 9), "yyyy-MM-dd", "2026-01-09"},
        {QDate(2026, 1, 9), "dd//MM", "09--01"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.format);
        EXPECT_EQ(fileNameDate(row.date, QString::fromUtf8(row.format)), QString::fromUtf8(row.expected));
    }
}
