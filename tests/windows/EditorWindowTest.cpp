#include "WindowFixture.h"

#include "windows/frmEditar.h"

#include <QPlainTextEdit>

namespace tallimo {

class EditorWindow : public WindowTest {
  protected:
    frmEditar* editor = nullptr;

    // A double-click on the list, as the cashier opens the editor.
    void edit(ListBox* list) {
        QTest::mouseDClick(list->viewport(), Qt::LeftButton);
        ASSERT_TRUE(frame->isEditarLoaded());
        editor = &frame->editar();
        showActive(*editor);
        ASSERT_EQ(focused(), editor->txtEditar);
    }
};

// The list goes to the editor one line each, cursor at the end, and comes back as edited.
TEST_F(EditorWindow, ListsRoundTripThroughTheEditor) {
    // Characters a text document would otherwise turn into line breaks or change.
    const QStringList odd = {"a\rb", "c\nd", QString::fromUtf8("x\u00A0y\tz"),
                             QString::fromUtf8("␍␛2028"),
                             QString::fromUtf8("p\u2028q\u2029r\uFDD0")};
    // Name, the list, the keys typed in the editor and the list after.
    const std::tuple<const char*, QStringList, std::function<void()>, QStringList> rows[] = {
        {"unchanged", odd, {}, odd + QStringList{""}},
        {"empty list", {}, {}, {}},
        {"all deleted", {"A", "B"}, [&] { key(Qt::Key_A, Qt::ControlModifier), type("\x7f"); }, {}},
        {"trailing break removed", {"A", "B"}, [&] { type("\b"); }, {"A", "B"}},
        {"lines typed at the end", // a soft break is a line too
         {"A"},
         [&] { type("C\rD"), key(Qt::Key_Return, Qt::ShiftModifier), type("E"); },
         {"A", "C", "D", "E"}},
        {"a line deleted",
         {"A", "B", "C"},
         [&] { key(Qt::Key_Up), key(Qt::Key_Up, Qt::ShiftModifier), type("\x7f"); },
         {"A", "C", ""}},
    };
    open();
    for (const auto& [name, items, keys, after] : rows) {
        SCOPED_TRACE(name);
        w->List2->setItems(items);
        edit(w->List2);
        EXPECT_EQ(editor->editedText(), items.isEmpty() ? "" : items.join("\r\n") + "\r\n");
        EXPECT_TRUE(editor->txtEditar->textCursor().atEnd());
        if (keys)
            keys();
        editor->close();
        EXPECT_FALSE(frame->isEditarLoaded());
        EXPECT_EQ(w->List2->items(), after);
    }
}

// An edited history is saved at once on closing, not while typing; an edited price list never.
// While the editor is open the sale window takes no input and cannot close.
TEST_F(EditorWindow, OnlyTheEditedHistoryIsSaved) {
    const QByteArray pan = "1 x Pan de $2.00 = $2.00\r\n";
    write(salesFile(), pan + "viejo\r\n\r\n");
    open("Pan $2\r\n");
    const QStringList files = QDir(desktop()).entryList(QDir::Files | QDir::Hidden);
    edit(w->List2);
    EXPECT_FALSE(w->isEnabled());
    QTest::mouseDClick(w->List1->viewport(), Qt::LeftButton); // ignored: the price list comes back
    w->activateWindow(); // a click on it brings the editor forward again
    EXPECT_TRUE(QTest::qWaitFor([&] { return editor->isActiveWindow(); }));
    type("Leche $20");
    editor->close();
    EXPECT_EQ(w->List2->items(), (QStringList{"Pan $2", "Leche $20"}));
    EXPECT_EQ(fileBytes(desktop() + "/Lista.txt"), "Pan $2\r\n");
    EXPECT_EQ(QDir(desktop()).entryList(QDir::Files | QDir::Hidden), files);

    edit(w->List1);
    type("\b"), key(Qt::Key_Backspace, Qt::ControlModifier), type("nuevo"); // over "viejo"
    EXPECT_EQ(fileBytes(salesFile()), pan + "viejo\r\n\r\n");
    editor->close();
    EXPECT_EQ(fileBytes(salesFile()), pan + "nuevo\r\n\r\n");
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

} // namespace tallimo
