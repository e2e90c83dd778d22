#include "WindowFixture.h"

#include "sale/Invoice.h"

#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <functional>

namespace tallimo {
enum Effect { None, Typed, New, Add, Pay, Qty };

// Each key of `keys`, typed in `from`, moves the focus to `to` (nullptr: stays) with that effect.
// Tab visits the seven controls in the order of the design.
struct KeyRow {
    const char *from, *keys, *to;
    Effect effect;
};
// The controls by name.
constexpr const char *d1 = "txtDato1", *d2 = "txtDato2", *d3 = "txtDato3", *d4 = "txtDato4",
                     *t2 = "txtTotal2", *l1 = "List1", *l2 = "List2";
const KeyRow kRows[] = {
    {d1, " \x7f", l2, New},       {d1, "\rd\t", d2, None},      {d1, "b", d4, None},
    {d1, "P", d3, None},          {d1, "xCt5", nullptr, Typed}, {d2, " dB", nullptr, Typed},
    {d2, "\x7f", l2, New},        {d2, "\r\t", d3, None},       {d3, " \x7f", l2, New},
    {d3, "\r", nullptr, Add},     {d3, "t\t", t2, None},        {d3, "B", d4, None},
    {d3, "c", d1, None},          {d3, "D", d2, None},          {d3, "p", nullptr, Typed},
    {d4, " bP5", nullptr, Typed}, {d4, "\x7f", l2, New},        {d4, "\r", nullptr, Add},
    {d4, "T", t2, None},          {d4, "\t", l2, None},         {t2, " \x7f", l2, New},
    {t2, "\r", nullptr, Pay},     {t2, "b", d4, None},          {t2, "C", d1, None},
    {t2, "d", d2, None},          {t2, "p", d3, None},          {t2, "t", nullptr, Typed},
    {t2, "\t", l1, None},         {l1, " \x7f", l2, New},       {l1, "\r", nullptr, None},
    {l1, "B\t", d4, None},        {l1, "c", d1, None},          {l1, "d", d2, None},
    {l1, "P", d3, None},          {l2, " \x7f", l2, New},       {l2, "\r", nullptr, Add},
    {l2, "7", nullptr, Qty},      {l2, "0x", nullptr, None},    {l2, "t", t2, None},
    {l2, "b", d4, None},          {l2, "C\t", d1, None},        {l2, "D", d2, None},
    {l2, "p", d3, None},
};

using KeyMap = WindowTest;
struct KeyRows : WindowTest, testing::WithParamInterface<KeyRow> {};

TEST_P(KeyRows, MoveTheFocusWithTheirEffect) {
    const KeyRow& row = GetParam();
    open("Pan $2\r\nPapa $3\r\n");
    for (const char c : std::string(row.keys)) {
        SCOPED_TRACE("key " + std::to_string(int(c)));
        w->txtDato1->setText("1"), w->txtDato2->setText("X"), w->txtTotal2->setText("0.00");
        w->txtDato4->setText("Buscar..."), w->lblTotal3->setText("9.99");
        w->List1->setItems({"a", "b"}), w->List2->setSelectedIndex(-1);
        QWidget* from = w->findChild<QWidget*>(row.from);
        from->setFocus();
        auto* box = qobject_cast<QLineEdit*>(from);
        const QString before = box ? box->text() : QString();
        type(QString(QChar(c)));
        EXPECT_EQ(focused(), row.to ? w->findChild<QWidget*>(row.to) : from);
        EXPECT_EQ(w->lblTotal3->text() == "0.00" && w->txtDato1->text() == "1" &&
                      w->txtDato4->text() == "Buscar...",
                  row.effect == New);
        EXPECT_EQ(w->List1->count(), row.effect == Add ? 3 : 2);
        if (row.effect == Pay || (from == w->List2 && c == 't')) {
            EXPECT_EQ(w->lblTip->text(), Hint(row.effect == Pay ? 5 : 4));
        } else if (row.effect == Qty) {
            EXPECT_EQ(w->txtDato1->text(), QString(QChar(c)));
        } else if (box && (row.effect == None || row.effect == Typed)) {
            EXPECT_EQ(box->text() != before, row.effect == Typed);
        }
    }
}
// Named by the control and its keys, a key other than a letter or digit by its code.
INSTANTIATE_TEST_SUITE_P(Rows, KeyRows, testing::ValuesIn(kRows), [](const auto& info) {
    std::string name = info.param.from;
    for (const char c : std::string(info.param.keys))
        name += '_' + (std::isalnum(c) ? std::string(1, c) : std::to_string(int(c)));
    return name;
});

// Fields select their text when they gain the focus; typing limits stop the cashier, not the
// program.
TEST_F(KeyMap, EntryFieldsSelectAndLimit) {
    open();
    w->txtTotal2->setText("abc"), w->txtTotal2->setFocus();
    EXPECT_EQ(w->txtTotal2->selectedText(), "0"); // of "0.00"
    w->txtDato1->setFocus();
    type("100");
    EXPECT_EQ(w->txtDato1->text(), "10");
    w->txtDato4->setFocus(), w->txtDato4->clear();
    type("5"); // in an empty search box, a digit is the quantity
    EXPECT_EQ(w->txtDato1->text() + w->txtDato4->text(), "5");
    w->txtDato3->setText("0"), w->txtDato3->setFocus(); // "0.00" with "0" selected
    type("12345");
    EXPECT_EQ(w->txtDato3->text(), "1234.00");
    w->txtDato3->setText("12345"), w->txtDato1->setFocus();
    w->txtDato3->setFocus(); // "12345.00": put there by the program, not cut
    key(Qt::Key_End);
    type("6");  // but the cashier cannot make it longer
    type("\b"); // shrinking is always allowed
    EXPECT_EQ(w->txtDato3->text(), "12345.0");
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
    const auto escapeNextBox = [] { // once the box has the keyboard
        QTimer::singleShot(0, [] {
            QWidget* box = nullptr;
            EXPECT_TRUE(QTest::qWaitFor([&] {
                return (box = QApplication::activeModalWidget()) && box->isActiveWindow();
            }));
            QTest::keyClick(box, Qt::Key_Escape);
        });
    };
    const std::pair<const char*, std::function<void()>> rows[] = {
        {"currency menu",
         [&] {
             clickAt(w->lblMoney[0]);
             ASSERT_TRUE(QTest::qWaitFor([&] { return w->mnuMoney->isVisible(); }));
             QTest::mouseClick(w->mnuMoney, Qt::LeftButton, {},
                               w->mnuMoney->actionGeometry(w->mMoneda[1]).center());
             for (Label* label : w->lblMoney)
                 EXPECT_EQ(label->text(), QString::fromUtf8("€"));
         }},
        {"message box",
         [&] {
             escapeNextBox();
             QtDialogs().message(w, "Aviso", Dialogs::Buttons::Ok, Dialogs::Icon::Information, {});
         }},
        {"input box", [&] { escapeNextBox(), QtDialogs().input(w, "Moneda", "Símbolo:", {}); }},
        {"another window", [&] { showActive(other), showActive(*w); }},
    };
    for (const auto& [name, interrupt] : rows)
        for (const auto& [box, text] :
             {std::pair(w->txtDato2, "Queso"), std::pair(w->txtDato3, "12.5"),
              std::pair(w->txtDato4, "")}) {
            SCOPED_TRACE(std::string(name) + " over " + box->objectName().toStdString());
            box->setFocus(), box->selectAll();
            type(QString("\b") + text);
            interrupt();
            w->activateWindow(); // as the window manager does once a box closes
            ASSERT_TRUE(QTest::qWaitFor([&] { return focused() == box; }));
            EXPECT_EQ(box->text(), text);
            EXPECT_FALSE(box->hasSelectedText());
        }
}

} // namespace tallimo
