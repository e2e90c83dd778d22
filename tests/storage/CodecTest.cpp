#include "storage/Codec.h"

#include "StorageTestSupport.h"

#include <gtest/gtest.h>

using namespace tallimo;
using namespace Qt::StringLiterals;

namespace {

QByteArray allBytes()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    return all;
}

} // namespace

TEST(Windows1252, EveryByteSurvivesARoundTrip)
{
    const QByteArray all = allBytes();
    const QString text = decodeWindows1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(encodeWindows1252(text), all);

    EXPECT_EQ(text.at(0x80), QChar(0x20AC)); // euro
    EXPECT_EQ(text.at(0x8A), QChar(0x0160));
    EXPECT_EQ(text.at(0x9F), QChar(0x0178));
    EXPECT_EQ(text.at(0xA0), QChar(0x00A0));
    EXPECT_EQ(text.at(0xF1), QChar(0x00F1)); // ñ
    for (int undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        EXPECT_EQ(text.at(undefined), QChar(undefined));
}

// No character is written as a byte that would read back as something else.
TEST(Windows1252, EveryOtherCharacterBecomesAQuestionMark)
{
    const QString table = decodeWindows1252(allBytes());
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const QChar ch(static_cast<char16_t>(c));
        const QByteArray encoded = encodeWindows1252(QStringView(&ch, 1));
        ASSERT_EQ(encoded.size(), 1) << std::hex << unsigned(c);
        const int at = table.indexOf(ch);
        if (at >= 0)
            EXPECT_EQ(static_cast<unsigned char>(encoded[0]), at) << std::hex << unsigned(c);
        else
            EXPECT_EQ(encoded, "?") << std::hex << unsigned(c);
    }
}

TEST(Windows1252, EncodesOneQuestionMarkPerCodePoint)
{
    struct Row {
        QString text;
        QByteArray bytes;
    } rows[] = {
        {u"Café 5 €"_s, "Caf\xE9 5 \x80"},
        {u"日本"_s, "??"},
        {u"a😀b"_s, "a?b"},                                  // surrogate pair
        {QString(QChar(0xD800)) + u"x"_s, "?x"},             // lone high surrogate
        {u"x"_s + QChar(0xDC00), "x?"},                       // lone low surrogate
        {QString(QChar(0xD83D)) + QChar(0xD83D) + QChar(0xDE00), "??"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(encodeWindows1252(row.text), row.bytes) << test::printable(row.text);
}

TEST(DecodeText, ValidUtf8WithAccentsElseWindows1252)
{
    struct Row {
        QByteArray bytes;
        QString text;
        const char* why;
    } rows[] = {
        {"Pan $10", u"Pan $10"_s, "plain ASCII"},
        {"Caf\xC3\xA9 $12", u"Café $12"_s, "UTF-8"},
        {"Producto largo \xC3\xB1", u"Producto largo ñ"_s, "UTF-8 after a long ASCII run"},
        {"\xF0\x9F\x98\x80", u"😀"_s, "four-byte UTF-8"},
        {"\xEF\xBB\xBFPan", u"Pan"_s, "byte order mark dropped"},
        {"Caf\xE9 \x80", u"Café €"_s, "Windows-1252"},
        {"\xC3\xB1 y \xF1", u"Ã± y ñ"_s, "one invalid byte makes it all Windows-1252"},
        {"Caf\xC3", u"CafÃ"_s, "sequence cut at the end"},
        {"\xC0\xAF", u"À¯"_s, "overlong form"},
        {"\xED\xA0\x80", u"í\u00A0€"_s, "encoded surrogate"},
        {"\xF4\x90\x80\x80", u"ô\u0090€€"_s, "above U+10FFFF"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(decodeText(row.bytes), row.text) << row.why;
        EXPECT_EQ(decodeLines(row.bytes), splitLines(row.text)) << row.why;
    }
    // Only the byte order mark that starts the file is dropped.
    EXPECT_EQ(decodeLines("\xEF\xBB\xBF\xC3\xB1\r\n\xEF\xBB\xBF" "a"), (QStringList{u"ñ"_s, u"\uFEFFa"_s}));
}

TEST(SplitLines, CrLfLfAndLoneCrEndLines)
{
    struct Row {
        QString text;
        QStringList lines;
    } rows[] = {
        {u""_s, {}},
        {u"a"_s, {u"a"_s}},
        {u"a\r\n"_s, {u"a"_s}},
        {u"a\r\nb"_s, {u"a"_s, u"b"_s}},
        {u"a\nb\n"_s, {u"a"_s, u"b"_s}},
        {u"a\rb\r"_s, {u"a"_s, u"b"_s}},
        {u"\r\n"_s, {u""_s}},
        {u"\n\n"_s, {u""_s, u""_s}},
        {u"a\r\n\r\nb"_s, {u"a"_s, u""_s, u"b"_s}},
        {u"a\n\rb"_s, {u"a"_s, u""_s, u"b"_s}},
        {u"a\r\r\nb"_s, {u"a"_s, u""_s, u"b"_s}},
        {u" a \t\r\n"_s, {u" a \t"_s}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(splitLines(row.text), row.lines) << test::printable(row.text);
        // Cutting the bytes before decoding must give the same lines.
        EXPECT_EQ(decodeLines(encodeWindows1252(row.text)), row.lines) << test::printable(row.text);
        const QString accented = row.text + u"ñ"_s; // read as UTF-8
        EXPECT_EQ(decodeLines(accented.toUtf8()), splitLines(accented)) << test::printable(row.text);
    }
}
