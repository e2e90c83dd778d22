#include "storage/ChoiceFile.h"
#include "storage/PriceList.h"
#include "storage/SalesFile.h"

#include "StorageTestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tallimo;
using namespace tallimo::test;
using namespace Qt::StringLiterals;

TEST(PriceList, CreatedFileIsTheSampleLine)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Lista.txt"_s);
    EXPECT_FALSE(readPriceList(path));
    ASSERT_TRUE(createPriceList(path));
    EXPECT_EQ(fileBytes(path), golden(u"price_list_sample.txt"_s));
    EXPECT_EQ(readPriceList(path), QStringList{u"Producto patito $198"_s});
}

TEST(PriceList, EveryLineIsAnItemAsItStands)
{
    struct Row {
        QByteArray bytes;
        QStringList items;
    } rows[] = {
        {"", {}},
        {"Pan $10\r\n\r\nLeche $22\r\n", {u"Pan $10"_s, u""_s, u"Leche $22"_s}},
        {"Pan $10\r\nLeche $22", {u"Pan $10"_s, u"Leche $22"_s}},
        {"  Sin precio  \r\n", {u"  Sin precio  "_s}},
        {"Pi\xF1" "ata $15\r\nCaf\xE9 $12\r\n", {u"Piñata $15"_s, u"Café $12"_s}},
        {"Pi\xC3\xB1" "ata $15\nCaf\xC3\xA9 $12\n", {u"Piñata $15"_s, u"Café $12"_s}}, // a Linux editor's list
    };
    for (const Row& row : rows) {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Lista.txt"_s);
        ASSERT_TRUE(writeBytes(path, row.bytes));
        EXPECT_EQ(readPriceList(path), row.items) << printable(row.bytes);
    }
}

TEST(SalesFile, HistoryIsSavedInWindows1252WithAFinalEmptyLine)
{
    const QStringList items = {
        u"2 x Piñata de $15.00 = $30.00"_s,
        u"1 x Café con azúcar de $3.50 = $3.50"_s,
        u"1 x Envío a domicilio € de $2.00 = $2.00"_s,
        u"-------------------------------------------------->Total $35.50"_s,
    };
    struct Row {
        QStringList items;
        QString golden;
    } rows[] = {{items, u"sales_accented.txt"_s}, {{}, u"sales_empty.txt"_s}};
    for (const Row& row : rows) {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Ventas de 05-03-2024.txt"_s);
        ASSERT_TRUE(saveSalesFile(path, row.items));
        EXPECT_EQ(fileBytes(path), golden(row.golden)) << row.golden.toStdString();
        EXPECT_EQ(readSalesFile(path), row.items) << row.golden.toStdString();
    }
}

TEST(SalesFile, EmptyLinesAreSkippedAtLoad)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Ventas de 05-03-2024.txt"_s);
    EXPECT_FALSE(readSalesFile(path)); // the first load of a day
    ASSERT_TRUE(writeBytes(path, "\r\na\r\n\r\n \r\nb\n\rc"));
    EXPECT_EQ(readSalesFile(path), (QStringList{u"a"_s, u" "_s, u"b"_s, u"c"_s}));
}

TEST(ChoiceFile, WrittenLinesMatchTheGoldenFilesAndReadBack)
{
    for (const qint16 value : {0, 1}) {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"TLMSystem.txt"_s);
        ASSERT_TRUE(writeBytes(path, "older and longer content\r\n"));
        ASSERT_TRUE(writeChoiceFile(path, value));
        EXPECT_EQ(fileBytes(path), golden(u"choice_%1.txt"_s.arg(value)));
        EXPECT_EQ(readChoiceFile(path), value);
    }
}

// Every value's written form reads back as the value.
TEST(ChoiceFile, EverySixteenBitValueSurvivesItsWrittenForm)
{
    EXPECT_EQ(choiceFileBytes(-5), "-5 \r\n");
    EXPECT_EQ(choiceFileBytes(32767), " 32767 \r\n");
    for (int v = -32768; v <= 32767; ++v) {
        const QByteArray bytes = choiceFileBytes(qint16(v));
        ASSERT_TRUE(bytes.endsWith(" \r\n")) << v;
        ASSERT_EQ(parseChoiceLine(QString::fromLatin1(bytes.chopped(2))), qint16(v)) << v;
    }
}

TEST(ChoiceFile, FirstLineReadAsAWholeNumber)
{
    const std::optional<qint16> fails;
    struct Row {
        QString line;
        std::optional<qint16> value;
    } rows[] = {
        {u" 0 "_s, 0},
        {u" 1 "_s, 1},
        {u"2"_s, 2},
        {u"\t 7\t"_s, 7},
        {u"-5 "_s, -5},
        {u"007"_s, 7},
        {u" 1.5 "_s, 2},
        {u"2.5"_s, 2},
        {u"-2.5"_s, -2},
        {u"0.5"_s, 0},
        {u"2.4999"_s, 2},
        {u"2.5000000000000001"_s, 3},
        {u"5."_s, 5},
        {u".5"_s, 0},
        {u"1e3"_s, 1000},
        {u"25e-1"_s, 2},
        {u"0.000035E+6"_s, 35},
        {u"7e-999999999999"_s, 0},
        {u"32767"_s, 32767},
        {u"-32768"_s, -32768},
        {u"-32768.5"_s, -32768},
        {u"32767.5"_s, fails},
        {u"99999"_s, fails},
        {u"-32769"_s, fails},
        {u"1e999999999999"_s, fails},
        {u""_s, fails},
        {u"-"_s, fails},
        {u"."_s, fails},
        {u"abc"_s, fails},
        {u"1a"_s, fails},
        {u"1 2"_s, fails},
        {u"1,5"_s, fails},
        {u"1e"_s, fails},
        {u"１"_s, fails}, // fullwidth digit
    };
    for (const Row& row : rows)
        EXPECT_EQ(parseChoiceLine(row.line), row.value) << printable(row.line);
}

TEST(ChoiceFile, OnlyTheFirstLineCounts)
{
    struct Row {
        QByteArray bytes;
        std::optional<qint16> value;
    } rows[] = {
        {" 1 \r\n", 1},
        {"2", 2},
        {" 1 \r\n0\r\n", 1},
        {"", std::nullopt},
        {"\r\n1\r\n", std::nullopt},
        {"uno\r\n1\r\n", std::nullopt},
    };
    for (const Row& row : rows) {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"TLMSystem.txt"_s);
        ASSERT_TRUE(writeBytes(path, row.bytes));
        EXPECT_EQ(readChoiceFile(path), row.value) << printable(row.bytes);
    }
    QTemporaryDir dir;
    EXPECT_EQ(readChoiceFile(dir.filePath(u"TLMSystem.txt"_s)), std::nullopt);
}
