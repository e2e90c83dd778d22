// The list editor's text: any edit buffer shown in the editor and read back
// unchanged is the same buffer, the editor never sees a character a document
// would turn into a line break, and items are exactly the pieces between CR LFs.

#include "FuzzSupport.h"

#include "storage/EditorText.h"

using namespace tallimo;
using namespace tallimo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString buffer = textOf(data, size);

    const QString shown = editortext::toEditor(buffer);
    for (const char16_t c : {u'\r', u'\u2028', u'\u2029', u'\uFDD0', u'\uFDD1'})
        require(!shown.contains(QChar(c)), "the editor gets no character a document breaks at",
                buffer);
    require(editortext::fromEditor(shown) == buffer, "an unedited buffer comes back unchanged",
            buffer);

    const QStringList items = editortext::splitItems(buffer);
    require(items.join(QStringLiteral("\r\n")) == buffer,
            "the items joined by CR LF are the buffer", buffer);
    require(buffer.isEmpty() ? items.isEmpty() : items.size() == shown.count(u'\n') + 1,
            "one item per editor line", buffer);
    for (const QString& item : items)
        require(!item.contains(QStringLiteral("\r\n")), "no item holds a CR LF", item);

    // Whatever the user makes of the editor text, it reads back as items
    // without CR LF inside, and reading is stable once shown again.
    const QString typed = editortext::fromEditor(buffer);
    require(editortext::fromEditor(editortext::toEditor(typed)) == typed,
            "a read-back buffer survives showing", buffer);
    for (const QString& item : editortext::splitItems(typed))
        require(!item.contains(QStringLiteral("\r\n")), "no typed item holds a CR LF", item);
    return 0;
}
