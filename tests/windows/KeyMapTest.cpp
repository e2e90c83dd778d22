#include "SaleWindowFixture.h"

#include "sale/Invoice.h"

namespace tallimo {
namespace {

enum class Effect { None, Typed, NewSale, AddLine, Payment, Quantity };

struct KeyRow {
    const char* from;
    Qt::Key key;
    const char* text;
    const char* focusAfter; // nullptr: stays where it was
    Effect effect;
};

// One row per key of every control of the register: where the focus goes and what happens.
const KeyRow kRows[] = {
    {"txtDato1", Qt::Key_Space, " ", "List2", Effect::NewSale},
    {"txtDato1", Qt::Key_Delete, "", "List2", Effect::NewSale},
    {"txtDato1", Qt::Key_Return, "\r", "txtDato2", Effect::None},
    {"txtDato1", Qt::Key_D, "d", "txtDato2", Effect::None},
    {"txtDato1", Qt::Key_D, "D", "txtDato2", Effect::None},
    {"txtDato1", Qt::Key_B, "b", "txtDato4", Effect::None},
    {"txtDato1", Qt::Key_P, "P", "txtDato3", Effect::None},
    {"txtDato1", Qt::Key_X, "x", nullptr, Effect::Typed},
    {"txtDato1", Qt::Key_C, "C", nullptr, Effect::Typed},
    {"txtDato1", Qt::Key_T, "t", nullptr, Effect::Typed},
    {"txtDato1", Qt::Key_5, "5", nullptr, Effect::Typed},
    {"txtDato2", Qt::Key_Space, " ", nullptr, Effect::Typed},
    {"txtDato2", Qt::Key_Delete, "", "List2", Effect::NewSale},
    {"txtDato2", Qt::Key_Return, "\r", "txtDato3", Effect::None},
    {"txtDato2", Qt::Key_D, "d", nullptr, Effect::Typed},
    {"txtDato2", Qt::Key_B, "B", nullptr, Effect::Typed},
    {"txtDato3", Qt::Key_Space, " ", "List2", Effect::NewSale},
    {"txtDato3", Qt::Key_Delete, "", "List2", Effect::NewSale},
    {"txtDato3", Qt::Key_Return, "\r", nullptr, Effect::AddLine},
    {"txtDato3", Qt::Key_T, "t", "txtTotal2", Effect::None},
    {"txtDato3", Qt::Key_B, "B", "txtDato4", Effect::None},
    {"txtDato3", Qt::Key_C, "c", "txtDato1", Effect::None},
    {"txtDato3", Qt::Key_D, "D", "txtDato2", Effect::None},
    {"txtDato3", Qt::Key_P, "p", nullptr, Effect::Typed},
    {"txtDato4", Qt::Key_Space, " ", nullptr, Effect::Typed},
    {"txtDato4", Qt::Key_Delete, "", "List2", Effect::NewSale},
    {"txtDato4", Qt::Key_Return, "\r", nullptr, Effect::AddLine},
    {"txtDato4", Qt::Key_T, "T", "txtTotal2", Effect::None},
    {"txtDato4", Qt::Key_B, "b", nullptr, Effect::Typed},
    {"txtDato4", Qt::Key_P, "P", nullptr, Effect::Typed},
    {"txtTotal2", Qt::Key_Space, " ", "List2", Effect::NewSale},
    {"txtTotal2", Qt::Key_Delete, "", "List2", Effect::NewSale},
    {"txtTotal2", Qt::Key_Return, "\r", nullptr, Effect::Payment},
    {"txtTotal2", Qt::Key_B, "b", "txtDato4", Effect::None},
    {"txtTotal2", Qt::Key_C, "C", "txtDato1", Effect::None},
    {"txtTotal2", Qt::Key_D, "d", "txtDato2", Effect::None},
    {"txtTotal2", Qt::Key_P, "p", "txtDato3", Effect::None},
    {"txtTotal2", Qt::Key_T, "t", nullptr, Effect::Typed},
    {"List1", Qt::Key_Space, " ", "List2", Effect::NewSale},
    {"List1", Qt::Key_Delete, "", "List2", Effect::NewSale},
    {"List1", Qt::Key_Return, "\r", nullptr, Effect::None},
    {"List1", Qt::Key_B, "B", "txtDato4", Effect::None},
    {"List1", Qt::Key_C, "c", "txtDato1", Effect::None},
    {"List1", Qt::Key_D, "d", "txtDato2", Effect::None},
    {"List1", Qt::Key_P, "P", "txtDato3", Effect::None},
    {"List2", Qt::Key_Space, " ", "List2", Effect::NewSale},
    {"List2", Qt::Key_Delete, "", "List2", Effect::NewSale},
    {"List2", Qt::Key_Return, "\r", nullptr, Effect::AddLine},
    {"List2", Qt::Key_7, "7", nullptr, Effect::Quantity},
    {"List2", Qt::Key_0, "0", nullptr, Effect::None},
    {"List2", Qt::Key_X, "x", nullptr, Effect::None},
    {"List2", Qt::Key_T, "t", "txtTotal2", Effect::None},
    {"List2", Qt::Key_B, "b", "txtDato4", Effect::None},
    {"List2", Qt::Key_C, "C", "txtDato1", Effect::None},
    {"List2", Qt::Key_D, "D", "txtDato2", Effect::None},
    {"List2", Qt::Key_P, "p", "txtDato3", Effect::None},
};

using KeyMap = SaleWindowTest;

TEST_F(KeyMap, EveryControlsKeys)
{
    writePriceList("Pan $2\r\nPapa $3\r\n");
    open();
    for (const KeyRow& row : kRows) {
        const std::string name = std::string(row.from) + " " + row.text + " (" +
                                 std::to_string(int(row.key)) + ")";
        w->txtDato1->setText("1");
        w->txtDato2->setText("X");
        w->txtTotal2->setText("0.00");
        w->txtDato4->setText("Buscar...");
        w->lblTotal3->setText("9.99");
        w->List1->setItems({"a", "b"});
        w->List2->setSelectedIndex(-1);
        QWidget* from = w->findChild<QWidget*>(row.from);
        ASSERT_TRUE(from) << name;
        from->setFocus();
        ASSERT_EQ(focused(), from) << name;
        auto* box = qobject_cast<QLineEdit*>(from);
        const QString before = box ? box->text() : QString();
        const int lines = w->List1->count();

        QTest::sendKeyEvent(QTest::KeyAction::Click, from, row.key, QString::fromLatin1(row.text),
                            Qt::NoModifier);

        QWidget* expectedFocus = row.focusAfter ? w->findChild<QWidget*>(row.focusAfter) : from;
        EXPECT_EQ(focused(), expectedFocus) << name;
        const bool newSale = w->lblTotal3->text() == "0.00" && w->txtDato1->text() == "1" &&
                             w->txtDato4->text() == "Buscar...";
        EXPECT_EQ(newSale, row.effect == Effect::NewSale) << name;
        EXPECT_EQ(w->List1->count() - lines, row.effect == Effect::AddLine ? 1 : 0) << name;
        if (row.effect == Effect::Payment) {
            EXPECT_EQ(w->lblTip->text(), Hint(5)) << name;
        }
        if (row.effect == Effect::Quantity) {
            EXPECT_EQ(w->txtDato1->text(), "7") << name;
        }
        if (box && row.effect != Effect::NewSale && row.effect != Effect::AddLine &&
            row.effect != Effect::Payment) {
            EXPECT_EQ(box->text() != before, row.effect == Effect::Typed) << name;
        }
        if (row.from == std::string("List2") && row.key == Qt::Key_T) {
            EXPECT_EQ(w->lblTip->text(), Hint(4)) << name;
        }
    }
}

TEST_F(KeyMap, FieldsSelectTheirTextWhenTheyGainFocus)
{
    writePriceList("");
    open();
    w->txtDato2->setFocus();
    EXPECT_EQ(w->txtDato2->selectedText(), "Producto");
    w->txtDato3->setText("12.5");
    w->txtDato3->setFocus();
    EXPECT_EQ(w->txtDato3->text(), "12.50");
    EXPECT_EQ(w->txtDato3->selectedText(), "12");
    w->txtTotal2->setText("abc");
    w->txtTotal2->setFocus();
    EXPECT_EQ(w->txtTotal2->text(), "0.00");
    EXPECT_EQ(w->txtTotal2->selectedText(), "0");
    w->txtDato4->setFocus();
    EXPECT_EQ(w->txtDato4->selectedText(), "Buscar...");
}

TEST_F(KeyMap, TypingLimitsStopTheCashierNotTheProgram)
{
    writePriceList("");
    open();
    w->txtDato1->setFocus();
    type("100");
    EXPECT_EQ(w->txtDato1->text(), "10");
    w->txtDato3->setFocus(); // "0.00" with "0" selected
    type("12345");
    EXPECT_EQ(w->txtDato3->text(), "1234.00");
    w->txtDato3->setText("1234567");
    w->txtDato1->setFocus();
    w->txtDato3->setFocus();
    EXPECT_EQ(w->txtDato3->text(), "1234567.00"); // put there by the program, not cut
    key(Qt::Key_End);
    key(Qt::Key_Backspace);
    EXPECT_EQ(w->txtDato3->text(), "1234567.0"); // shrinking is always allowed
}

TEST_F(KeyMap, SearchBoxFindsPrefixesWithoutRegardToCase)
{
    writePriceList("Agua $10\r\nCoco $25\r\ncola $15\r\nPan $5\r\n");
    open();
    type("b");
    type("CO");
    EXPECT_EQ(w->List2->selectedIndex(), 1);
    EXPECT_EQ(w->txtDato2->text(), "Coco");
    type("l");
    EXPECT_EQ(w->List2->selectedIndex(), 2);
    EXPECT_EQ(w->txtDato3->text(), "15.00");
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
