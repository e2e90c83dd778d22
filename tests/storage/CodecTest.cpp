#include "storage/Codec.h"

#include "StorageTestSupport.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace tallimo;
using namespace tallimo::test;
using namespace Qt::StringLiterals;

// Every byte reads as one character and writes back as itself (the five that
// Windows-1252 leaves undefined keep their C1 code point); every other
// character, a surrogate pair or a lone surrogate, writes as one "?", never as
// a byte that would read back as something else.
TEST(Windows1252, EveryByteRoundTripsAndEveryOtherCharacterIsOneQuestionMark) {
    QByteArray all(256, '\0');
    std::iota(all.begin(), all.end(), '\0');
    const QString table = decodeWindows1252(all);
    ASSERT_EQ(table.size(), 256);
    EXPECT_EQ(encodeWindows1252(table), all);
    EXPECT_EQ(table.mid(0x80, 32), u"€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ"_s);

    for (int c = 0; c <= 0xFFFF; ++c) {
        const QChar ch{char16_t(c)};
        const int at = table.indexOf(ch);
        if (ch.isSurrogate())
            continue;
        ASSERT_EQ(encodeWindows1252(QStringView(&ch, 1)),
                  at < 0 ? QByteArray("?") : QByteArray(1, char(at)))
            << std::hex << c;
    }
    const std::pair<QString, QByteArray> texts[] = {{u"a😀b"_s, "a?b"},
                                                    {u"\xD800x"_s, "?x"},
                                                    {u"x\xDC00"_s, "x?"},
                                                    {u"\xD83D\xD83D\xDE00"_s, "??"}};
    for (const auto& [text, written] : texts)
        EXPECT_EQ(encodeWindows1252(text), written) << printable(text);
}

// Valid UTF-8 with some non-ASCII byte is UTF-8, all else Windows-1252; lines
// cut from the bytes are the lines of that text.
TEST(DecodeText, ValidUtf8WithAccentsElseWindows1252) {
    const std::pair<QByteArray, QString> rows[] = {
        {"Producto largo \xC3\xB1", u"Producto largo ñ"_s}, // UTF-8 after a long ASCII run
        {"\xF0\x9F\x98\x80", u"😀"_s},                       // four-byte UTF-8
        {"\xC3\xB1 y \xF1", u"Ã± y ñ"_s},     // one invalid byte makes it all Windows-1252
        {"Caf\xC3", u"CafÃ"_s},               // sequence cut at the end
        {"\xED\xA0\x80", u"í\u00A0€"_s},      // encoded surrogate
        {"\xF4\x90\x80\x80", u"ô\u0090€€"_s}, // above U+10FFFF
    };
    for (const auto& [bytes, text] : rows) {
        EXPECT_EQ(decodeText(bytes), text) << printable(bytes);
        EXPECT_EQ(decodeLines(bytes), splitLines(text)) << printable(bytes);
    }
    // Only the byte order mark that starts the file is dropped.
    EXPECT_EQ(decodeLines("\xEF\xBB\xBF\xC3\xB1\r\n\xEF\xBB\xBF"
                          "a"),
              (QStringList{u"ñ"_s, u"\uFEFFa"_s}));
}

// CR LF, LF and a lone CR end lines; cutting the bytes before decoding gives
// the same lines, in either encoding.
TEST(SplitLines, CrLfLfAndLoneCrEndLines) {
    // The lines joined by "|".
    const std::pair<QString, QString> rows[] = {{u"a\r\nb"_s, u"a|b"_s},
                                                {u"a\nb\rc\r"_s, u"a|b|c"_s},
                                                {u"\n\n"_s, u"|"_s},
                                                {u"a\n\rb\r\r\nc"_s, u"a||b||c"_s}};
    for (const auto& [text, joined] : rows) {
        const QStringList lines = joined.isEmpty() ? QStringList() : joined.split(u'|');
        EXPECT_EQ(splitLines(text), lines) << printable(text);
        EXPECT_EQ(decodeLines(encodeWindows1252(text)), lines) << printable(text);
        const QString accented = text + u"ñ"_s; // read as UTF-8
        EXPECT_EQ(decodeLines(accented.toUtf8()), splitLines(accented)) << printable(text);
    }
}
