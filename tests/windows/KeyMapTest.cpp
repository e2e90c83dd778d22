#include "WindowFixture.h"

#include "sale/Invoice.h"

#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <functional>

namespace tallimo {
namespace {

enum Effect { None, Typed, NewSale, AddLine, Payment, Quantity };

struct KeyRow {
    const char* from;
    const char* text;       // " " Space, "" Delete, "\r" Return, else that letter or digit
    const char* focusAfter; // nullptr: stays where it was
    Effect effect;
};

// One row per key of every control of the register: where the focus goes and what happens.
const KeyRow kRows[] = {
    {"txtDato1", " ", "List2", NewSale},  {"txtDato1", "", "List2", NewSale},
    {"txtDato1", "\r", "txtDato2", None}, {"txtDato1", "d", "txtDato2", None},
    {"txtDato1", "b", "txtDato4", None},  {"txtDato1", "P", "txtDato3", None},
    {"txtDato1", "x", nullptr, Typed},    {"txtDato1", "C", nullptr, Typed},
    {"txtDato1", "t", nullptr, Typed},    {"txtDato1", "5", nullptr, Typed},
    {"txtDato2", " ", nullptr, Typed},    {"txtDato2", "", "List2", NewSale},
    {"txtDato2", "\r", "txtDato3", None}, {"txtDato2", "d", nullptr, Typed},
    {"txtDato2", "B", nullptr, Typed},    {"txtDato3", " ", "List2", NewSale},
    {"txtDato3", "", "List2", NewSale},   {"txtDato3", "\r", nullptr, AddLine},
    {"txtDato3", "t", "txtTotal2", None}, {"txtDato3", "B", "txtDato4", None},
    {"txtDato3", "c", "txtDato1", None},  {"txtDato3", "D", "txtDato2", None},
    {"txtDato3", "p", nullptr, Typed},    {"txtDato4", " ", nullptr, Typed},
    {"txtDato4", "", "List2", NewSale},   {"txtDato4", "\r", nullptr, AddLine},
    {"txtDato4", "T", "txtTotal2", None}, {"txtDato4", "b", nullptr, Typed},
    {"txtDato4", "P", nullptr, Typed},    {"txtTotal2", " ", "List2", NewSale},
    {"txtTotal2", "", "List2", NewSale},  {"txtTotal2", "\r", nullptr, Payment},
    {"txtTotal2", "b", "txtDato4", None}, {"txtTotal2", "C", "txtDato1", None},
    {"txtTotal2", "d", "txtDato2", None}, {"txtTotal2", "p", "txtDato3", None},
    {"txtTotal2", "t", nullptr, Typed},   {"List1", " ", "List2", NewSale},
    {"List1", "", "List2", NewSale},      {"List1", "\r", nullptr, None},
    {"List1", "B", "txtDato4", None},     {"List1", "c", "txtDato1", None},
    {"List1", "d", "txtDato2", None},     {"List1", "P", "txtDato3", None},
    {"List2", " ", "List2", NewSale},     {"List2", "", "List2", NewSale},
    {"List2", "\r", nullptr, AddLine},    {"List2", "7", nullptr, Quantity},
    {"List2", "0", nullptr, None},        {"List2", "x", nullptr, None},
    {"List2", "t", "txtTotal2", None},    {"List2", "b", "txtDato4", None},
    {"List2", "C", "txtDato1", None},     {"List2", "D", "txtDato2", None},
    {"List2", "p", "txtDato3", None},
};

using KeyMap = WindowTest;

TEST_F(KeyMap, EveryControlsKeys) {
    open("Pan $2\r\nPapa $3\r\n");
    for (const KeyRow& row : kRows) {
        const QString text = QString::fromLatin1(row.text);
        const Qt::Key k = text == " "      ? Qt::Key_Space
                          : text.isEmpty() ? Qt::Key_Delete
                          : text == "\r"   ? Qt::Key_Return
                                           : Qt::Key(text.toUpper()[0].unicode());
        SCOPED_TRACE(std::string(row.from) + " " + row.text + " (" + std::to_string(int(k)) + ")");
        w->txtDato1->setText("1");
        w->txtDato2->setText("X");
        w->txtTotal2->setText("0.00");
        w->txtDato4->setText("Buscar...");
        w->lblTotal3->setText("9.99");
        w->List1->setItems({"a", "b"});
        w->List2->setSelectedIndex(-1);
        QWidget* from = w->findChild<QWidget*>(row.from);
        from->setFocus();
        ASSERT_EQ(focused(), from);
        auto* box = qobject_cast<QLineEdit*>(from);
        const QString before = box ? box->text() : QString();

        QTest::sendKeyEvent(QTest::KeyAction::Click, from, k, text, Qt::NoModifier);

        EXPECT_EQ(focused(), row.focusAfter ? w->findChild<QWidget*>(row.focusAfter) : from);
        const bool newSale = w->lblTotal3->text() == "0.00" && w->txtDato1->text() == "1" &&
                             w->txtDato4->text() == "Buscar...";
        EXPECT_EQ(newSale, row.effect == NewSale);
        EXPECT_EQ(w->List1->count() - 2, row.effect == AddLine ? 1 : 0);
        if (row.effect == Payment || (row.from == std::string("List2") && k == Qt::Key_T)) {
            EXPECT_EQ(w->lblTip->text(), Hint(row.effect == Payment ? 5 : 4));
        }
        if (row.effect == Quantity) {
            EXPECT_EQ(w->txtDato1->text(), "7");
        }
        if (box && (row.effect == None || row.effect == Typed)) {
            EXPECT_EQ(box->text() != before, row.effect == Typed);
        }
    }
}

// Fields select their text when they gain the focus; typing limits stop the cashier, not the
// program.
TEST_F(KeyMap, EntryFieldsSelectAndLimit) {
    open();
    w->txtTotal2->setText("abc");
    w->txtTotal2->setFocus();
    EXPECT_EQ(w->txtTotal2->text(), "0.00");
    EXPECT_EQ(w->txtTotal2->selectedText(), "0");
    w->txtDato3->setText("12.5");
    w->txtDato3->setFocus();
    EXPECT_EQ(w->txtDato3->selectedText(), "12");
    w->txtDato1->setFocus();
    type("100");
    EXPECT_EQ(w->txtDato1->text(), "10");
    w->txtDato3->setText("0");
    w->txtDato3->setFocus(); // "0.00" with "0" selected
    type("12345");
    EXPECT_EQ(w->txtDato3->text(), "1234.00");
    w->txtDato3->setText("12345");
    w->txtDato1->setFocus();
    w->txtDato3->setFocus();
    EXPECT_EQ(w->txtDato3->text(), "12345.00"); // put there by the program, not cut
    key(Qt::Key_End);
    type("6");
    EXPECT_EQ(w->txtDato3->text(), "12345.00"); // but the cashier cannot make it longer
    key(Qt::Key_Backspace);
    EXPECT_EQ(w->txtDato3->text(), "12345.0"); // shrinking is always allowed
    key(Qt::Key_A, Qt::ControlModifier);
    QGuiApplication::clipboard()->setText("12345678");
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w->txtDato3->text(), "1234567"); // a paste keeps what fits
}

// Only a move between controls runs the focus handlers: a pop-up, a box or another window
// taking the keyboard for a while leaves each field as the cashier left it.
TEST_F(KeyMap, FocusHandlersRunOnlyWhenTheFocusMovesBetweenControls) {
    open();
    QWidget other;
    const auto escapeNextBox = [] {
        QTimer::singleShot(0, [] {
            EXPECT_TRUE(QTest::qWaitFor([] {
                QWidget* box = QApplication::activeModalWidget();
                return box && box->isActiveWindow();
            }));
            QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape);
        });
    };
    const std::pair<const char*, std::function<void()>> rows[] = {
        {"currency menu",
         [&] {
             clickAt(w->lblMoney[0]);
             ASSERT_TRUE(QTest::qWaitFor([&] { return w->mnuMoney->isVisible(); }));
             const QPoint euro = w->mnuMoney->actionGeometry(w->mMoneda[1]).center();
             QTest::mouseClick(w->mnuMoney, Qt::LeftButton, {}, euro);
             EXPECT_EQ(w->lblMoney[0]->text(), QString::fromUtf8("€"));
         }},
        {"message box",
         [&] {
             escapeNextBox();
             QtDialogs().message(w, "Aviso", Dialogs::Buttons::Ok, Dialogs::Icon::Information, {});
         }},
        {"input box",
         [&] {
             escapeNextBox();
             QtDialogs().input(w, "Moneda", "Símbolo:", {});
         }},
        {"another window",
         [&] {
             showActive(other);
             showActive(*w);
         }},
    };
    for (const auto& [name, interrupt] : rows)
        for (const auto& [box, text] :
             {std::pair(w->txtDato2, "Queso"), std::pair(w->txtDato3, "12.5"),
              std::pair(w->txtDato4, "")}) {
            SCOPED_TRACE(std::string(name) + " over " + box->objectName().toStdString());
            box->setFocus();
            key(Qt::Key_A, Qt::ControlModifier);
            key(Qt::Key_Backspace);
            type(text);
            interrupt();
            w->activateWindow(); // as the window manager does once a box closes
            ASSERT_TRUE(QTest::qWaitFor([&] { return focused() == box; }));
            EXPECT_EQ(box->text(), text);
            EXPECT_FALSE(box->hasSelectedText());
        }
}

TEST_F(KeyMap, SearchBoxSelectsWhatItFinds) {
    open("Agua $10\r\nCoco $25\r\ncola $15\r\nPan $5\r\n");
    type("b");
    EXPECT_EQ(w->txtDato4->selectedText(), "Buscar...");
    type("COl");
    type("zz");
    EXPECT_EQ(w->List2->selectedIndex(), -1);
    EXPECT_EQ(w->txtDato2->text(), "cola"); // the fields keep their texts

    w->txtDato4->clear();
    type("5");
    EXPECT_EQ(w->txtDato1->text(), "5");
    EXPECT_TRUE(w->txtDato4->text().isEmpty());
    w->List1->setFocus();
    EXPECT_EQ(w->txtDato4->text(), "Buscar...");
    EXPECT_EQ(w->List2->selectedIndex(), -1);
}

} // namespace
} // namespace tallimo
