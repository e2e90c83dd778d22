#pragma once

#include <QString>
#include <QStringList>

// The list editor's text. The edit buffer holds one item per line, each line
// ended by CR LF; a text document knows only line breaks of its own and turns a
// lone CR or LF into one. So every CR LF becomes one line break of the editor,
// a lone CR shows as "␍" and a lone LF as "␊", and the few characters a document
// cannot keep inside a line (or that would read as one of these) are written
// "␛" + four hex digits. Reading the editor back undoes all of it exactly.
namespace tallimo::editortext {

// "\n" for every CR LF; no CR, U+2028, U+2029, U+FDD0 or U+FDD1 is left.
QString toEditor(const QString& buffer);

// Every line break the editor gives back or the user types ("\n", the
// paragraph separator U+2029 of a document's raw text, the line separator
// U+2028 of Shift+Enter) becomes CR LF; the pictures and escapes of toEditor
// become their characters again; anything else stays as it is.
QString fromEditor(const QString& text);

// The pieces between CR LFs, in order, empty ones included; an empty text
// gives none. A lone CR or LF stays inside its piece.
QStringList splitItems(const QString& buffer);

} // namespace tallimo::editortext
