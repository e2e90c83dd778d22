#include "storage/EditorText.h"

namespace tallimo::editortext {

namespace {

constexpr char16_t kCr = u'\r';
constexpr char16_t kLf = u'\n';
constexpr char16_t kCrPicture = u'\u240D';
constexpr char16_t kLfPicture = u'\u240A';
constexpr char16_t kEscape = u'\u241B';
constexpr char16_t kLineSeparator = u'\u2028';
constexpr char16_t kParagraphSeparator = u'\u2029';

// Written as an escape: what a document would break a line at, and the three
// characters that would otherwise read as a picture or an escape.
bool needsEscape(char16_t c) {
    switch (c) {
    case kCrPicture:
    case kLfPicture:
    case kEscape:
    case kLineSeparator:
    case kParagraphSeparator:
    case u'\uFDD0': // a frame's start and end inside a document
    case u'\uFDD1':
        return true;
    default:
        return false;
    }
}

int hexValue(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}

// The character escaped at text[at] (the escape itself), or 0 when no valid
// escape starts there.
char16_t escapedAt(const QString& text, qsizetype at) {
    if (at + 4 >= text.size())
        return 0;
    int value = 0;
    for (qsizetype i = at + 1; i <= at + 4; ++i) {
        const int digit = hexValue(text.at(i).unicode());
        if (digit < 0)
            return 0;
        value = value * 16 + digit;
    }
    return needsEscape(char16_t(value)) ? char16_t(value) : 0;
}

} // namespace

QString toEditor(const QString& buffer) {
    QString text;
    text.reserve(buffer.size());
    for (qsizetype i = 0; i < buffer.size(); ++i) {
        const char16_t c = buffer.at(i).unicode();
        if (c == kCr && i + 1 < buffer.size() && buffer.at(i + 1) == QLatin1Char('\n')) {
            text += QLatin1Char('\n');
            ++i;
        } else if (c == kCr) {
            text += QChar(kCrPicture);
        } else if (c == kLf) {
            text += QChar(kLfPicture);
        } else if (needsEscape(c)) {
            text += QChar(kEscape);
            text += QStringLiteral("%1").arg(int(c), 4, 16, QLatin1Char('0')).toUpper();
        } else {
            text += QChar(c);
        }
    }
    return text;
}

QString fromEditor(const QString& text) {
    QString buffer;
    buffer.reserve(text.size() + text.size() / 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == kLf || c == kLineSeparator || c == kParagraphSeparator) {
            buffer += QStringLiteral("\r\n");
        } else if (c == kCrPicture) {
            buffer += QChar(kCr);
        } else if (c == kLfPicture) {
            buffer += QChar(kLf);
        } else if (const char16_t escaped = c == kEscape ? escapedAt(text, i) : 0) {
            buffer += QChar(escaped);
            i += 4;
        } else {
            buffer += QChar(c); // a stray escape the user typed stays
        }
    }
    return buffer;
}

QStringList splitItems(const QString& buffer) {
    if (buffer.isEmpty())
        return {};
    return buffer.split(QStringLiteral("\r\n"), Qt::KeepEmptyParts);
}

} // namespace tallimo::editortext
