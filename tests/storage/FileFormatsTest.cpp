#include "storage/ChoiceFile.h"
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

// Saved in Windows-1252 with a final empty line; empty lines are skipped at load.
TEST(SalesFile, SavedAsTheGoldenFilesAndReadBack) {
    const QStringList items = {
        u"2 x Piñata de $15.00 = $30.00"_s,
        u"1 x Café con azúcar de $3.50 = $3.50"_s,
        u"1 x Envío a domicilio € de $2.00 = $2.00"_s,
        u"-------------------------------------------------->Total $35.50"_s,
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Ventas de 05-03-2024.txt"_s);
    for (const auto& [saved, name] : {std::pair(items, u"sales_accented.txt"_s),
                                      std::pair(QStringList(), u"sales_empty.txt"_s)}) {
        ASSERT_TRUE(saveSalesFile(path, saved));
        EXPECT_EQ(fileBytes(path), golden(name)) << name.toStdString();
        EXPECT_EQ(readSalesFile(path), saved) << name.toStdString();
    }
    ASSERT_TRUE(writeBytes(path, "\r\na\r\n\r\n \r\nb\n\rc"));
    EXPECT_EQ(readSalesFile(path), (QStringList{u"a"_s, u" "_s, u"b"_s, u"c"_s}));
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

    // Every value's written form reads back as the value.
    EXPECT_EQ(choiceFileBytes(-5), "-5 \r\n");
    for (int v = -32768; v <= 32767; ++v) {
        const QByteArray bytes = choiceFileBytes(qint16(v));
        ASSERT_TRUE(bytes.endsWith(" \r\n")) << v;
        ASSERT_EQ(parseChoiceLine(QString::fromLatin1(bytes.chopped(2))), qint16(v)) << v;
    }
}
