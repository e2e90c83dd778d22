#include "WindowFixture.h"

#include "windows/frmEditar.h"

#include <QPlainTextEdit>
#include <functional>

namespace tallimo {
namespace {

class EditorWindow : public WindowTest {
  public: // for the table's edits
    using WindowTest::key;
    using WindowTest::type;
    frmEditar* editor = nullptr;

    // A double-click on the list, as the cashier opens the editor.
    void edit(ListBox* list) {
        QTest::mouseDClick(list->viewport(), Qt::LeftButton);
        ASSERT_TRUE(frame->isEditarLoaded());
        editor = &frame->editar();
        showActive(*editor);
        ASSERT_EQ(focused(), editor->txtEditar);
    }
    void closeEditor() {
        editor->close();
        ASSERT_FALSE(frame->isEditarLoaded());
    }
};

using Edit = std::function<void(EditorWindow&)>;

TEST_F(EditorWindow, ListsRoundTripThroughTheEditor) {
    const QString cr = QStringLiteral("a\rb"), lf = QStringLiteral("c\nd");
    // Characters a text document would otherwise turn into line breaks or change.
    const QStringList odd = {QString::fromUtf8("x\u00A0y\tz"), QString::fromUtf8("␍␛2028"),
                             QString::fromUtf8("p\u2028q\u2029r\uFDD0")};
    const Edit none = [](EditorWindow&) {};
    const struct {
        const char* name;
        QStringList items;
        Edit edit;
        QStringList after;
    } rows[] = {
        {"unchanged", {"A", "B"}, none, {"A", "B", ""}},
        {"empty list", {}, none, {}},
        {"all deleted",
         {"A", "B"},
         [](EditorWindow& t) {
             t.key(Qt::Key_A, Qt::ControlModifier);
             t.key(Qt::Key_Delete);
         },
         {}},
        {"trailing break removed",
         {"A", "B"},
         [](EditorWindow& t) { t.key(Qt::Key_Backspace); },
         {"A", "B"}},
        {"lines typed at the end",
         {"A"},
         [](EditorWindow& t) { // a soft break is a line too
             t.type("C");
             t.key(Qt::Key_Return);
             t.type("D");
             t.key(Qt::Key_Return, Qt::ShiftModifier);
             t.type("E");
         },
         {"A", "C", "D", "E"}},
        {"a line deleted",
         {"A", "B", "C"},
         [](EditorWindow& t) {
             t.key(Qt::Key_Up);
             t.key(Qt::Key_Up, Qt::ShiftModifier);
             t.key(Qt::Key_Delete);
         },
         {"A", "C", ""}},
        {"lone CR and LF", {cr, lf}, none, {cr, lf, ""}},
        {"odd characters", odd, none, odd + QStringList{""}},
    };
    open();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        w->List2->setItems(row.items);
        edit(w->List2);
        EXPECT_EQ(editor->editedText(), row.items.isEmpty() ? "" : row.items.join("\r\n") + "\r\n");
        EXPECT_TRUE(editor->txtEditar->textCursor().atEnd());
        row.edit(*this);
        closeEditor();
        EXPECT_EQ(w->List2->items(), row.after);
        EXPECT_EQ(frame->shared().EditBuffer, "");
    }
}

TEST_F(EditorWindow, TheSaleWindowTakesNoInputWhileItIsOpen) {
    open("A\r\n");
    edit(w->List2);
    EXPECT_EQ(frame->shared().EditTarget, -1);
    EXPECT_FALSE(w->isEnabled());
    QTest::mouseDClick(w->List1->viewport(), Qt::LeftButton); // ignored
    EXPECT_EQ(frame->shared().EditTarget, -1);
    EXPECT_EQ(frame->shared().EditBuffer, "A\r\n");
    EXPECT_FALSE(w->close()); // nor can it be closed under the editor
    EXPECT_TRUE(frame->isBoxBasicLoaded());
    w->activateWindow(); // a click on it brings the editor forward again
    EXPECT_TRUE(QTest::qWaitFor([&] { return editor->isActiveWindow(); }));
    closeEditor();
    EXPECT_TRUE(w->isEnabled());
}

// An edited history is saved at once on closing, not while typing; an edited price list never.
TEST_F(EditorWindow, OnlyTheEditedHistoryIsSaved) {
    writeFile(salesFile(), "1 x Pan de $2.00 = $2.00\r\nviejo\r\n\r\n");
    open("Pan $2\r\n");
    const QStringList files = QDir(desktop()).entryList(QDir::Files | QDir::Hidden);
    edit(w->List2);
    type("Leche $20");
    closeEditor();
    EXPECT_EQ(w->List2->items(), (QStringList{"Pan $2", "Leche $20"}));
    EXPECT_EQ(readFile(desktop() + "/Lista.txt"), QByteArray("Pan $2\r\n"));
    EXPECT_EQ(QDir(desktop()).entryList(QDir::Files | QDir::Hidden), files);

    edit(w->List1);
    EXPECT_EQ(frame->shared().EditTarget, 0);
    key(Qt::Key_Backspace);
    key(Qt::Key_Backspace, Qt::ControlModifier); // the word "viejo"
    type("nuevo");
    EXPECT_EQ(readFile(salesFile()), QByteArray("1 x Pan de $2.00 = $2.00\r\nviejo\r\n\r\n"));
    closeEditor();
    EXPECT_EQ(w->List1->items(), (QStringList{"1 x Pan de $2.00 = $2.00", "nuevo"}));
    EXPECT_EQ(readFile(salesFile()), QByteArray("1 x Pan de $2.00 = $2.00\r\nnuevo\r\n\r\n"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

} // namespace
} // namespace tallimo
