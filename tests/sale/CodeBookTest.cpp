#include "sale/CodeBook.h"
#include "sale/Barcode.h"
#include "storage/Paths.h"
#include "support/ShopDrive.h"

#include <gtest/gtest.h>

using namespace tallimo;

static QString shown(const CodeLookup& found) {
    static const char* kinds[] = {"producto", "precio", "peso"};
    if (found.status != CodeLookup::Status::Found)
        return found.status == CodeLookup::Status::Misread ? "mal leído" : "desconocido";
    return QString("%1 %2 %3")
        .arg(kinds[int(found.match.kind)], found.match.product)
        .arg(found.match.value);
}

// The key a code is compared by: check digits by the mod-10 weights, UPC-A as its EAN-13.
TEST(Barcode, KeyOrMisread) {
    const std::pair<const char*, const char*> rows[] = {{"96385074", "96385074"},
                                                        {"96385075", "mal leído"},
                                                        {" 036000291452\t", "0036000291452"},
                                                        {"036000291453", "mal leído"},
                                                        {" Abc-39 ", "abc-39"},
                                                        {"40063813339311", "40063813339311"}};
    for (const auto& [code, key] : rows) {
        const CodeRead read = readCode(QString(code));
        EXPECT_EQ(read.misread ? "mal leído" : read.key, QString(key)) << code;
    }
}

// Codigos.txt's lines: comments, lines out of shape skipped, the first of two lines wins,
// scale labels by their first 7 digits unless the whole code is listed.
TEST(CodeBook, FindsProductsAndLabels) {
    const CodeBook book({"# códigos", "", "4006381333931 Jabón de baño", "4006381333931 Otro",
                         "036000291452 Leche", "96385074", "  ABC-39  Pan dulce ",
                         "4006381333932 Mal", "2123456 PESO Manzana", "2200001 precio Queso",
                         "7501234 peso Nada", "2123456987652 Melón"});
    const std::pair<const char*, const char*> rows[] = {
        {"4006381333931", "producto Jabón de baño 0"},
        {"0036000291452", "producto Leche 0"},
        {"abc-39", "producto Pan dulce 0"},
        {"4006381333932", "mal leído"},
        {"96385074", "desconocido"},
        {"2123456012347", "peso Manzana 1234"},
        {"2200001004504", "precio Queso 450"},
        {"2123456987652", "producto Melón 0"},
        {"7501234001007", "desconocido"}};
    for (const auto& [code, found] : rows)
        EXPECT_EQ(shown(book.find(QString(code))), QString(found)) << code;
}

// A code assigned replaces its line in either UPC form, or is added; a pair that would not
// read back leaves the file as it was.
TEST(CodeBook, AssignedInPlace) {
    const QStringList lines{"# c", "036000291452 Leche", "X1 Pan"};
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"0036000291452", "Leche entera", "# c|0036000291452 Leche entera|X1 Pan"},
        {"x1", " Bolillo ", "# c|036000291452 Leche|x1 Bolillo"},
        {"ZZ", "Pan", "# c|036000291452 Leche|X1 Pan|ZZ Pan"},
        {"4006381333932", "Pan", "unchanged"},
        {"A B", "Pan", "unchanged"},
        {"ZZ", "peso Pan", "unchanged"},
        {"#1", "Pan", "unchanged"}};
    for (const auto& [code, product, joined] : rows) {
        const QStringList result = CodeBook().assigned(lines, QString(code), product);
        EXPECT_EQ(result == lines ? "unchanged" : result.join('|'), QString(joined)) << code;
        EXPECT_TRUE(result == lines ||
                    CodeBook(result).productOf(QString(code)) == QString(product).trimmed());
    }
}

TEST(CodeBook, PriceLineByProductFileAndPath) {
    const QStringList list{"Pan $1", " leche  $2", "Leche $3", "Sin precio"};
    EXPECT_EQ(priceLineOf(list, "LECHE ", QLocale::c()), 1);
    EXPECT_EQ(priceLineOf(list, "Sin precio", QLocale::c()), -1);

    const test::ShopDrive drive;
    const QString path = drive.desktop() + "/Codigos.txt";
    EXPECT_FALSE(readCodeFile(path));
    ASSERT_TRUE(saveCodeFile(path, {"1 Jabón", "2 Pan"}));
    EXPECT_EQ(test::fileBytes(path), "1 Jab\xF3n\r\n2 Pan\r\n");
    EXPECT_EQ(readCodeFile(path), QStringList({"1 Jabón", "2 Pan"}));
    EXPECT_EQ(paths::codesPath(1, "ana"), R"(C:\Users\ana\Desktop\Codigos.txt)");
}
