#include "storage/EditorText.h"

#include "StorageTestSupport.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace tallimo::editortext;
using tallimo::test::printable;

namespace {

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

TEST(EditorText, SplitsAtEveryCrLfOnly) {
    const std::pair<const char*, QStringList> rows[] = {
        {"", {}},           {"A\r\nB\r\n", {"A", "B", ""}}, {"A\r\nB", {"A", "B"}},
        {"\r\n", {"", ""}}, {"\r\r\n\n", {"\r", "\n"}},     {"\n\r", {"\n\r"}}};
    for (const auto& [buffer, items] : rows)
        EXPECT_EQ(splitItems(u(buffer)), items) << printable(u(buffer));
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
    QStringList buffers = {u("\r\r\n"), u("␛240D"), u("␛␍"), u("\u2028\r\n\u2029"), u("␛241")};
    // Random strings over the characters that matter, hex digits included.
    const QString alphabet = u("\r\n␍␊␛\u2028\u2029\uFDD0\uFDD1024ADFadfGx \u00A0");
    QRandomGenerator random(2026);
    for (int run = 0; run < 5000; ++run) {
        QString buffer;
        for (int i = random.bounded(12); i > 0; --i)
            buffer += alphabet.at(random.bounded(int(alphabet.size())));
        buffers.append(buffer);
    }
    for (const QString& buffer : std::as_const(buffers)) {
        const QString shown = toEditor(buffer);
        ASSERT_EQ(fromEditor(shown), buffer) << printable(buffer);
        for (const QChar c : u("\r\u2028\u2029\uFDD0\uFDD1"))
            ASSERT_FALSE(shown.contains(c)) << printable(buffer);
        ASSERT_EQ(shown.count(u'\n'), buffer.count(QStringLiteral("\r\n"))) << printable(buffer);
    }
}

} // namespace
