#include "storage/Codec.h"

#include "StorageTestSupport.h"

#include <gtest/gtest.h>

using namespace tallimo;
using namespace Qt::StringLiterals;

namespace {

QByteArray allBytes() {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    return all;
}

} // namespace

TEST(Windows1252, EveryByteSurvivesARoundTrip) {
    const QByteArray all = allBytes();
    const QString text = decodeWindows1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(encodeWindows1252(text), all);
    EXPECT_EQ(text.at(0x80), QChar(0x20AC)); // euro
    EXPECT_EQ(text.at(0x8A), QChar(0x0160));
    EXPECT_EQ(text.at(0x9F), QChar(0x0178));
    EXPECT_EQ(text.at(0xF1), QChar(0x00F1)); // ñ
    for (int undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        EXPECT_EQ(text.at(undefined), QChar(undefined));
}

// No character is written as a byte that would read back as something else.
TEST(Windows1252, EveryOtherCodePointBecomesOneQuestionMark) {
    const QString table = decodeWindows1252(allBytes());
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
        const QChar ch(static_cast<char16_t>(c));
        if (ch.isSurrogate())
            continue;
        const int at = table.indexOf(ch);
        ASSERT_EQ(encodeWindows1252(QStringView(&ch, 1)),
                  at < 0 ? QByteArray("?") : QByteArray(1, char(at)))
            << std::hex << unsigned(c);
    }
    // One question mark per code point, a lone surrogate being one.
    const std::pair<QString, QByteArray> rows[] = {
        {u"Café 5 €"_s, "Caf\xE9 5 \x80"},
        {u"a😀b"_s, "a?b"},
        {QString(QChar(0xD800)) + u"x"_s, "?x"},
        {u"x"_s + QChar(0xDC00), "x?"},
        {QString(QChar(0xD83D)) + QChar(0xD83D) + QChar(0xDE00), "??"},
    };
    for (const auto& [text, bytes] : rows)
        EXPECT_EQ(encodeWindows1252(text), bytes) << test::printable(text);
}

TEST(DecodeText, ValidUtf8WithAccentsElseWindows1252) {
    const std::pair<QByteArray, QString> rows[] = {
        {"Producto largo \xC3\xB1", u"Producto largo ñ"_s}, // UTF-8 after a long ASCII run
        {"\xF0\x9F\x98\x80", u"😀"_s},                       // four-byte UTF-8
        {"\xEF\xBB\xBFPan", u"Pan"_s},                      // byte order mark dropped
        {"Caf\xE9 \x80", u"Café €"_s},                      // Windows-1252
        {"\xC3\xB1 y \xF1", u"Ã± y ñ"_s},     // one invalid byte makes it all Windows-1252
        {"Caf\xC3", u"CafÃ"_s},               // sequence cut at the end
        {"\xC0\xAF", u"À¯"_s},                // overlong form
        {"\xED\xA0\x80", u"í\u00A0€"_s},      // encoded surrogate
        {"\xF4\x90\x80\x80", u"ô\u0090€€"_s}, // above U+10FFFF
    };
    for (const auto& [bytes, text] : rows) {
        EXPECT_EQ(decodeText(bytes), text) << test::printable(bytes);
        EXPECT_EQ(decodeLines(bytes), splitLines(text)) << test::printable(bytes);
    }
    // Only the byte order mark that starts the file is dropped.
    EXPECT_EQ(decodeLines("\xEF\xBB\xBF\xC3\xB1\r\n\xEF\xBB\xBF"
                          "a"),
              (QStringList{u"ñ"_s, u"\uFEFFa"_s}));
}

// Cutting the bytes before decoding gives the same lines, in either encoding.
TEST(SplitLines, CrLfLfAndLoneCrEndLines) {
    const std::pair<QString, QStringList> rows[] = {
        {u""_s, {}},
        {u"a\r\nb"_s, {u"a"_s, u"b"_s}},
        {u"a\nb\n"_s, {u"a"_s, u"b"_s}},
        {u"a\rb\r"_s, {u"a"_s, u"b"_s}},
        {u"\r\n"_s, {u""_s}},
        {u"\n\n"_s, {u""_s, u""_s}},
        {u"a\n\rb"_s, {u"a"_s, u""_s, u"b"_s}},
        {u"a\r\r\nb"_s, {u"a"_s, u""_s, u"b"_s}},
    };
    for (const auto& [text, lines] : rows) {
        EXPECT_EQ(splitLines(text), lines) << test::printable(text);
        EXPECT_EQ(decodeLines(encodeWindows1252(text)), lines) << test::printable(text);
        const QString accented = text + u"ñ"_s; // read as UTF-8
        EXPECT_EQ(decodeLines(accented.toUtf8()), splitLines(accented)) << test::printable(text);
    }
}
