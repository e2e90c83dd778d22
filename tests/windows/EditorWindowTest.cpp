#include "SaleWindowFixture.h"

#include "windows/frmEditar.h"

#include <QPlainTextEdit>
#include <functional>

namespace tallimo {
namespace {

class EditorWindow : public SaleWindowTest {
public: // for the table's edits
    using SaleWindowTest::key;
    using SaleWindowTest::type;
    frmEditar* editor = nullptr;

    // A double-click on the list, as the cashier opens the editor.
    void edit(ListBox* list)
    {
        QTest::mouseDClick(list->viewport(), Qt::LeftButton);
        ASSERT_TRUE(frame->isEditarLoaded());
        editor = &frame->editar();
        ASSERT_TRUE(editor->isVisible());
        editor->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(editor));
        ASSERT_EQ(focused(), editor->txtEditar);
    }
    void closeEditor()
    {
        editor->close();
        editor = nullptr;
        ASSERT_FALSE(frame->isEditarLoaded());
    }
    QTextCursor cursor() const { return editor->txtEditar->textCursor(); }
};

using Edit = std::function<void(EditorWindow&)>;

TEST_F(EditorWindow, ListsRoundTripThroughTheEditor)
{
    const QString cr = QStringLiteral("a\rb"), lf = QStringLiteral("c\nd");
    // Characters a text document would otherwise turn into line breaks or change.
    const QStringList odd = {QString::fromUtf8("x\u00A0y\tz"), QString::fromUtf8("␍␛2028"),
                             QString::fromUtf8("p\u2028q\u2029r\uFDD0")};
    const struct {
        const char* name;
        QStringList items;
        Edit edit;
        QStringList after;
    } rows[] = {
        {"unchanged", {"A", "B"}, [](EditorWindow&) {}, {"A", "B", ""}},
        {"empty list", {}, [](EditorWindow&) {}, {}},
        {"all deleted", {"A", "B"},
         [](EditorWindow& t) {
             t.key(Qt::Key_A, Qt::ControlModifier);
             t.key(Qt::Key_Delete);
         },
         {}},
        {"trailing break removed", {"A", "B"}, [](EditorWindow& t) { t.key(Qt::Key_Backspace); },
         {"A", "B"}},
        {"lines typed at the end", {"A"},
         [](EditorWindow& t) {
             t.type("C");
             t.key(Qt::Key_Return);
             t.type("D");
             t.key(Qt::Key_Return, Qt::ShiftModifier); // a soft break is a line too
             t.type("E");
         },
         {"A", "C", "D", "E"}},
        {"a line deleted", {"A", "B", "C"},
         [](EditorWindow& t) {
             QTextCursor c = t.cursor();
             c.movePosition(QTextCursor::Start);
             c.movePosition(QTextCursor::NextBlock);
             c.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
             t.editor->txtEditar->setTextCursor(c);
             t.key(Qt::Key_Delete);
         },
         {"A", "C", ""}},
        {"lone CR and LF", {cr, lf}, [](EditorWindow&) {}, {cr, lf, ""}},
        {"odd characters", odd, [](EditorWindow&) {}, odd + QStringList{""}},
    };
    writePriceList("");
    open();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        w->List2->setItems(row.items);
        edit(w->List2);
        QString handed;
        for (const QString& item : row.items)
            handed += item + "\r\n";
        EXPECT_EQ(editor->editedText(), handed);
        EXPECT_TRUE(cursor().atEnd());
        row.edit(*this);
        closeEditor();
        EXPECT_EQ(w->List2->items(), row.after);
        EXPECT_EQ(frame->EditBuffer, "");
    }
}

TEST_F(EditorWindow, ShowsEachItemOnALineOfItsOwn)
{
    writePriceList("Pan $2\r\nLeche $20\r\n");
    open();
    edit(w->List2);
    EXPECT_EQ(editor->txtEditar->toPlainText(), "Pan $2\nLeche $20\n");
    EXPECT_EQ(editor->txtEditar->document()->blockCount(), 3);
    EXPECT_EQ(editor->windowTitle(), "EDITANDO:");
    EXPECT_EQ(editor->geometry(), QRect(170, 137, 625, 416)); // at its place, not centred
    EXPECT_EQ(editor->txtEditar->geometry(), editor->rect());
    EXPECT_EQ(editor->txtEditar->palette().color(QPalette::Base), QColor(0, 192, 0));
    EXPECT_EQ(editor->txtEditar->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

TEST_F(EditorWindow, TheSaleWindowTakesNoInputWhileItIsOpen)
{
    writePriceList("A\r\n");
    open();
    edit(w->List2);
    EXPECT_FALSE(w->isEnabled());
    QTest::mouseDClick(w->List1->viewport(), Qt::LeftButton); // ignored
    EXPECT_EQ(frame->EditTarget, -1);
    EXPECT_EQ(frame->EditBuffer, "A\r\n");
    EXPECT_FALSE(w->close()); // nor can it be closed under the editor
    EXPECT_TRUE(frame->isBoxBasicLoaded());
    w->activateWindow(); // a click on it brings the editor forward again
    EXPECT_TRUE(QTest::qWaitFor([&] { return editor->isActiveWindow(); }));
    closeEditor();
    EXPECT_TRUE(w->isEnabled());
}

TEST_F(EditorWindow, TheEditedHistoryIsSavedAtOnce)
{
    writePriceList("Pan $2\r\n");
    writeFile(salesFile(), "1 x Pan de $2.00 = $2.00\r\nviejo\r\n\r\n");
    open();
    edit(w->List1);
    EXPECT_EQ(editor->editedText(), "1 x Pan de $2.00 = $2.00\r\nviejo\r\n");
    key(Qt::Key_Backspace);
    key(Qt::Key_Backspace, Qt::ControlModifier); // the word "viejo"
    type("nuevo");
    EXPECT_EQ(readFile(salesFile()), QByteArray("1 x Pan de $2.00 = $2.00\r\nviejo\r\n\r\n"));
    closeEditor();
    EXPECT_EQ(w->List1->items(), (QStringList{"1 x Pan de $2.00 = $2.00", "nuevo"}));
    EXPECT_EQ(readFile(salesFile()), QByteArray("1 x Pan de $2.00 = $2.00\r\nnuevo\r\n\r\n"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(EditorWindow, TheEditedPriceListWritesNoFile)
{
    writePriceList("Pan $2\r\n");
    open();
    const QStringList before = QDir(desktop()).entryList(QDir::Files | QDir::Hidden);
    edit(w->List2);
    type("Leche $20");
    closeEditor();
    EXPECT_EQ(w->List2->items(), (QStringList{"Pan $2", "Leche $20"}));
    EXPECT_EQ(readFile(desktop() + "/Lista.txt"), QByteArray("Pan $2\r\n"));
    EXPECT_EQ(QDir(desktop()).entryList(QDir::Files | QDir::Hidden), before);
}

} // namespace
} // namespace tallimo
