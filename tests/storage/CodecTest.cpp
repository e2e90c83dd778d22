#include "storage/Codec.h"
#include "storage/EditorText.h"

#include "support/GTestHelpers.h"

#include <QRandomGenerator>

#include <numeric>

using namespace tallimo;
using namespace tallimo::editortext;
using namespace tallimo::test;
using namespace Qt::StringLiterals;

static QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Every byte reads as one character and writes back as itself (the five that
// Windows-1252 leaves undefined keep their C1 code point); every other
// character writes as its composed form (NFC: an accent typed apart joins its
// letter), a character without a byte, a surrogate pair or a lone surrogate as
// one "?", never as a byte that would read back as something else.
TEST(Windows1252, EveryByteRoundTripsAndEveryOtherCharacterIsComposedOrQuestionMarks) {
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
        // A character that composes to another (U+212B to "Å") writes as that one.
        const QString composed = QString(ch).normalized(QString::NormalizationForm_C);
        const QByteArray written = composed != ch ? encodeWindows1252(composed)
                                   : at < 0       ? QByteArray("?")
                                                  : QByteArray(1, char(at));
        ASSERT_EQ(encodeWindows1252(QStringView(&ch, 1)), written) << std::hex << c;
    }
    const std::pair<QString, QByteArray> texts[] = {
        {u"a😀b"_s, "a?b"}, {u"\xD800x"_s, "?x"}, {u"\xD83D\xD83D\xDE00"_s, "??"}};
    for (const auto& [text, written] : texts)
        EXPECT_EQ(encodeWindows1252(text), written) << printable(text);
    EXPECT_EQ(encodeWindows1252(u"Cafe\u0301 \u20AC"_s), "Caf\xe9 \x80"); // an accent typed apart
}

// Valid UTF-8 with some non-ASCII byte is UTF-8, all else Windows-1252; lines
// cut from the bytes are the lines of that text.
TEST(DecodeText, ValidUtf8WithAccentsElseWindows1252) {
    const std::pair<QByteArray, QString> rows[] = {
        {"Producto largo \xC3\xB1", u"Producto largo ñ"_s}, // UTF-8 after a long ASCII run
        {"\xF0\x9F\x98\x80", u"😀"_s},                       // four-byte UTF-8
        {"\xEF\xBB\xBF\xC3\xB1\n\xEF\xBB\xBFPan", u"ñ\n\uFEFFPan"_s}, // only the first mark dropped
        {"\xC3\xB1\r\n\xF1", u"Ã±\r\nñ"_s},   // one invalid byte makes it all Windows-1252
        {"Caf\xC3", u"CafÃ"_s},               // sequence cut at the end
        {"\xED\xA0\x80", u"í\u00A0€"_s},      // encoded surrogate
        {"\xF4\x90\x80\x80", u"ô\u0090€€"_s}, // above U+10FFFF
    };
    for (const auto& [bytes, text] : rows) {
        EXPECT_EQ(decodeText(bytes), text) << printable(bytes);
        EXPECT_EQ(decodeLines(bytes), splitLines(text)) << printable(bytes);
    }
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
    }
}

// One line per CR LF; a lone CR or LF as its picture; what would read as a
// picture, an escape or a line break as an escape; everything else as it is.
TEST(EditorText, ShowsEachCrLfAsOneLineAndMarksTheRest) {
    const std::pair<const char*, const char*> rows[] = {
        {"A\r\nB\r\n", "A\nB\n"}, {"\r\r\n\n", "␍\n␊"}, {"\n\r", "␊␍"},
        {"a␍b", "a␛240Db"},       {"␛", "␛241B"},       {"␛2028", "␛241B2028"},
        {"a\u2028b", "a␛2028b"},  {"\uFDD0", "␛FDD0"},  {"\u00E9\u00A0\t$", "\u00E9\u00A0\t$"}};
    for (const auto& [buffer, shown] : rows)
        EXPECT_EQ(toEditor(u(buffer)), u(shown)) << printable(u(buffer));
}

// Every line break the editor gives back or the user types is CR LF; what is
// not a whole escape of an escaped character stays as typed.
TEST(EditorText, ReadsWhatTheEditorGivesBack) {
    const std::pair<const char*, const char*> rows[] = {
        {"A\nB\n", "A\r\nB\r\n"}, {"a␍b␊", "a\rb\n"},   {"A\u2029B", "A\r\nB"},
        {"A\u2028B", "A\r\nB"},   {"␛240D␛240a", "␍␊"}, {"␛2029", "\u2029"},
        {"␛202", "␛202"},         {"␛0041", "␛0041"},   {"␛20G8", "␛20G8"},
        {"␛␛241B", "␛␛"},         {"x\r", "x\r"}};
    for (const auto& [text, buffer] : rows)
        EXPECT_EQ(fromEditor(u(text)), u(buffer)) << printable(u(text));
}

// Whatever the buffer holds comes back unchanged, and the shown text keeps no
// character a document would break a line at, other than one "\n" per CR LF.
TEST(EditorText, EveryBufferRoundTrips) {
    const QStringList fixed = {u("\r\r\n"), u("␛240D"), u("␛␍"), u("\u2028\r\n\u2029"), u("␛241")};
    // Random strings over the characters that matter, hex digits included.
    const QString alphabet = u("\r\n␍␊␛\u2028\u2029\uFDD0\uFDD1024ADFadfGx \u00A0");
    QRandomGenerator random(2026);
    for (int run = 0; run < 5000; ++run) {
        QString buffer = fixed.value(run);
        for (int i = run < fixed.size() ? 0 : random.bounded(12); i > 0; --i)
            buffer += alphabet.at(random.bounded(int(alphabet.size())));
        const QString shown = toEditor(buffer);
        ASSERT_EQ(fromEditor(shown), buffer) << printable(buffer);
        for (const QChar c : u("\r\u2028\u2029\uFDD0\uFDD1"))
            ASSERT_FALSE(shown.contains(c)) << printable(buffer);
        ASSERT_EQ(shown.count(u'\n'), buffer.count(QStringLiteral("\r\n"))) << printable(buffer);
    }
}
