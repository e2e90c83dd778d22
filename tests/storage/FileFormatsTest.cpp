#include "storage/ChoiceFile.h"
#include "storage/Codec.h"
#include "storage/LineList.h"
#include "storage/PriceList.h"
#include "storage/SalesFile.h"

#include "StorageTestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tallimo;
using namespace tallimo::test;
using namespace Qt::StringLiterals;

TEST(PriceList, CreatedAsTheSampleLineAndReadLineByLine) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Lista.txt"_s);
    ASSERT_TRUE(createPriceList(path));
    EXPECT_EQ(fileBytes(path), golden(u"price_list_sample.txt"_s));
    EXPECT_EQ(readPriceList(path), QStringList{u"Producto patito $198"_s});
}

// Saved in Windows-1252 with a final empty line.
TEST(SalesFile, SavedAsTheGoldenFilesAndReadBack) {
    const QStringList items = {
        u"2 x Piñata de $15.00 = $30.00"_s, u"1 x Café con azúcar de $3.50 = $3.50"_s,
        u"1 x Envío a domicilio € de $2.00 = $2.00"_s,
        u"-------------------------------------------------->Total $35.50"_s};
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Ventas de 05-03-2024.txt"_s);
    for (const auto& [saved, name] : {std::pair(items, u"sales_accented.txt"_s),
                                      std::pair(QStringList(), u"sales_empty.txt"_s)}) {
        ASSERT_TRUE(saveSalesFile(path, saved));
        EXPECT_EQ(fileBytes(path), golden(name)) << name.toStdString();
        EXPECT_EQ(readSalesFile(path), saved) << name.toStdString();
    }
}

// Written over a longer file; only the first line is read.
TEST(ChoiceFile, WrittenAsTheGoldenFilesAndReadFromTheFirstLine) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"TLMSystem.txt"_s);
    ASSERT_TRUE(writeBytes(path, "older and longer content\r\n"));
    for (const qint16 value : {1, 0}) {
        ASSERT_TRUE(writeChoiceFile(path, value));
        EXPECT_EQ(fileBytes(path), golden(u"choice_%1.txt"_s.arg(value)));
        EXPECT_EQ(readChoiceFile(path), value);
    }
}

// A whole number between blanks; a fraction rounds half to even, exactly.
TEST(ChoiceFile, FirstLineReadAsAWholeNumber) {
    // Each row is the line, " -> " and the value it reads as.
    for (const char* row :
         {"\t 7\t -> 7", "007 -> 7", " 1.5  -> 2", "2.5 -> 2", "-2.5 -> -2", "2.4999 -> 2",
          "2.5000000000000001 -> 3", "5. -> 5", ".5 -> 0", "25e-1 -> 2", "0.000035E+6 -> 35",
          "7e-999999999999 -> 0", "-32768.5 -> -32768"}) {
        const QString text = QString::fromUtf8(row);
        const qsizetype arrow = text.lastIndexOf(u" -> "_s);
        EXPECT_EQ(parseChoiceLine(text.left(arrow)), text.mid(arrow + 4).toShort()) << row;
    }
    // The last is a fullwidth digit.
    for (const char* line :
         {"32767.5", "-32769", "99999", "1e999999999999", "", "-", ".", "1 2", "1,5", "1e", "１"})
        EXPECT_EQ(parseChoiceLine(QString::fromUtf8(line)), std::nullopt) << line;

    // The lowest value has no positive counterpart to write the digits of.
    EXPECT_EQ(choiceFileBytes(-32768), "-32768 \r\n");
    EXPECT_EQ(parseChoiceLine(u"-32768 "_s), -32768);
}

TEST(LineList, PrefixSearchFromTheTopWithoutRegardToCase) {
    LineList list;
    list.setLines({u"Agua $10"_s, u"Coco $25"_s, u"cola $15"_s, u"ÑAME $3"_s});
    const std::tuple<const char*, QString, int> rows[] = {
        {"other case", u"CO"_s, 1},   {"first of two from the top", u"c"_s, 1},
        {"accent", u"ñame"_s, 3},     {"longer than the line", u"Agua $100"_s, -1},
        {"inside only", u"ua"_s, -1}, {"empty finds the first", QString(), 0},
    };
    for (const auto& [name, prefix, found] : rows)
        EXPECT_EQ(list.findPrefix(prefix), found) << name;
    list.append(u"Zanahoria $7"_s); // the keys follow every change after a search
    EXPECT_EQ(list.findPrefix(u"z"_s), 4);
    list.setLines({u"Uva $9"_s});
    EXPECT_EQ(list.findPrefix(u"agua"_s), -1);
}

// What is kept is always what encoding every line again gives.
TEST(LineList, KeptEncodingFollowsEveryChange) {
    LineList list;
    list.setLines({u"1 x Café de $10.00 = $10.00"_s});
    list.keepEncoded();
    list.append(u"2 x Piñata € de $5.00 = $10.00"_s);
    EXPECT_EQ(list.encoded(), encodeLines(list.lines())) << "added";
    list.setLines({u"a"_s, QString(), u"😀"_s});
    EXPECT_EQ(list.encoded(), encodeLines(list.lines())) << "replaced";
    list.clear();
    list.append(u"Total $0.00"_s);
    EXPECT_EQ(list.encoded(), "Total $0.00\r\n") << "cleared, then added";
}
