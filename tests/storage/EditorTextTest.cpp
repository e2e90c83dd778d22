#include "storage/EditorText.h"

#include "StorageTestSupport.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace tallimo::editortext;

namespace {

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

TEST(EditorText, SplitsAtEveryCrLfOnly)
{
    const struct {
        const char* buffer;
        QStringList items;
    } rows[] = {
        {"", {}},
        {"A\r\nB\r\n", {"A", "B", ""}}, // a list handed over unchanged
        {"A\r\nB", {"A", "B"}},
        {"\r\n", {"", ""}},
        {"\r\n\r\n", {"", "", ""}},
        {"x", {"x"}},
        {"a\rb\r\n", {"a\rb", ""}},
        {"a\nb", {"a\nb"}},
        {"\r\r\n\n", {"\r", "\n"}},
        {"\n\r", {"\n\r"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.buffer);
        EXPECT_EQ(splitItems(u(row.buffer)), row.items);
    }
}

TEST(EditorText, ShowsEachCrLfAsOneLineAndMarksTheRest)
{
    const struct {
        const char* buffer;
        const char* shown;
    } rows[] = {
        {"A\r\nB\r\n", "A\nB\n"},
        {"", ""},
        {"a\rb", "a␍b"},
        {"a\nb", "a␊b"},
        {"\r\r\n\n", "␍\n␊"},
        {"\n\r", "␊␍"},
        // Characters that would read as a picture, an escape or a line break.
        {"a␍b", "a␛240Db"},
        {"␊", "␛240A"},
        {"␛", "␛241B"},
        {"␛2028", "␛241B2028"},
        {"a\u2028b", "a␛2028b"},
        {"a\u2029b", "a␛2029b"},
        {"\uFDD0\uFDD1", "␛FDD0␛FDD1"},
        // Everything else as it is.
        {"Caf\u00E9\u00A0\t$3", "Caf\u00E9\u00A0\t$3"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.buffer);
        EXPECT_EQ(toEditor(u(row.buffer)), u(row.shown));
    }
}

TEST(EditorText, ReadsWhatTheEditorGivesBack)
{
    const struct {
        const char* text;
        const char* buffer;
    } rows[] = {
        {"A\nB\n", "A\r\nB\r\n"},
        {"A\u2029B", "A\r\nB"}, // a document's raw text
        {"A\u2028B", "A\r\nB"}, // Shift+Enter
        {"a␍b␊", "a\rb\n"},
        {"␛240D␛240a", "␍␊"}, // either case of hex digits
        {"␛2029", "\u2029"},
        // What is not a whole escape of an escaped character stays as typed.
        {"␛", "␛"},
        {"␛202", "␛202"},
        {"␛0041", "␛0041"},
        {"␛20G8", "␛20G8"},
        {"␛␛241B", "␛␛"},
        {"x\r", "x\r"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(fromEditor(u(row.text)), u(row.buffer));
    }
}

// Whatever the buffer holds comes back unchanged, and the shown text keeps no
// character a document would break a line at, other than one "\n" per CR LF.
void expectRoundTrip(const QString& buffer)
{
    const QString shown = toEditor(buffer);
    ASSERT_EQ(fromEditor(shown), buffer) << tallimo::test::printable(buffer);
    for (const QChar c : shown)
        ASSERT_TRUE(c != u'\r' && c != u'\u2028' && c != u'\u2029' && c != u'\uFDD0'
                    && c != u'\uFDD1')
            << tallimo::test::printable(buffer);
    ASSERT_EQ(shown.count(u'\n'), buffer.count(QStringLiteral("\r\n")));
}

TEST(EditorText, EveryBufferRoundTrips)
{
    for (const char* buffer : {"", "A\r\nB\r\n", "\r", "\n", "\r\r\n", "\r\n\n", "␛240D",
                               "␛␍", "\u2028\r\n\u2029", "␛", "␛241", "a\u00A0b"})
        expectRoundTrip(u(buffer));

    // Random strings over the characters that matter, hex digits included.
    const QString alphabet = u("\r\n␍␊␛\u2028\u2029\uFDD0\uFDD1024ADFadfGx \u00A0");
    QRandomGenerator random(2026);
    for (int run = 0; run < 5000; ++run) {
        QString buffer;
        const int length = random.bounded(12);
        for (int i = 0; i < length; ++i)
            buffer += alphabet.at(random.bounded(int(alphabet.size())));
        expectRoundTrip(buffer);
    }
}

} // namespace
