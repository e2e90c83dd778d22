#include "WindowFixture.h"

#include "sale/Invoice.h"

namespace tallimo {
namespace {

using SaleFlow = WindowTest;

TEST_F(SaleFlow, AWholeSaleFromTheKeyboard) {
    open("Pan dulce $4.5\r\nRefresco $12.5\r\nCaf\xe9 $30\r\n");
    EXPECT_EQ(focused(), w->List2);
    EXPECT_EQ(w->List2->selectedIndex(), -1);

    key(Qt::Key_Down); // first line
    key(Qt::Key_Down); // Refresco
    EXPECT_EQ(w->txtDato2->text(), "Refresco");
    EXPECT_EQ(w->txtDato3->text(), "12.50");
    EXPECT_EQ(w->lblTip->text(), Hint(2));
    type("2");
    key(Qt::Key_Return);
    EXPECT_EQ(w->List1->items(), QStringList{"2 x Refresco de $12.50 = $25.00"});
    EXPECT_EQ(w->lblTip->text(), Hint(3));

    // A product found through the search box, with accents.
    type("b");
    EXPECT_EQ(focused(), w->txtDato4);
    type("caf");
    EXPECT_EQ(w->txtDato2->text(), QString::fromUtf8("Café"));
    key(Qt::Key_Return);
    EXPECT_EQ(w->lblTotal1->text(), "85.00");

    type("t");
    EXPECT_EQ(focused(), w->txtTotal2);
    type("100");
    key(Qt::Key_Return);
    EXPECT_EQ(w->lblTotal3->text(), "15.00");
    EXPECT_EQ(w->lblTip->text(), Hint(5));
    const QByteArray lines =
        "2 x Refresco de $12.50 = $25.00\r\n2 x Caf\xe9 de $30.00 = $60.00\r\n";
    EXPECT_EQ(readFile(salesFile()), lines + "\r\n");

    key(Qt::Key_Space);
    const QByteArray closed =
        lines + "-------------------------------------------------->Total $85.00\r\n\r\n";
    EXPECT_EQ(readFile(salesFile()), closed);
    EXPECT_EQ(w->SaleTotal, 0);
    for (QWidget* zero : QList<QWidget*>{w->lblTotal1, w->lblTotal3, w->txtTotal2})
        EXPECT_EQ(zero->property("text").toString(), "0.00") << zero->objectName().toStdString();
    EXPECT_EQ(w->txtDato1->text(), "1");
    EXPECT_EQ(w->txtDato4->text(), "Buscar...");
    EXPECT_EQ(focused(), w->List2);
    // The first line is selected for the next customer.
    EXPECT_EQ(w->List2->selectedIndex(), 0);
    EXPECT_EQ(w->txtDato2->text(), "Pan dulce");
    EXPECT_EQ(w->txtDato3->text(), "4.50");

    // Closing with the history ending in a total line writes nothing more.
    w->close();
    EXPECT_EQ(readFile(salesFile()), closed);
}

// Amounts shown with the locale's mark read back as shown: the line, the change, the file.
TEST_F(SaleFlow, APaidSaleUnderACommaAndAPointLocale) {
    const struct {
        QLocale::Country country;
        const char *change, *line, *total;
    } rows[] = {
        {QLocale::Spain, "6,50", "3 x Pan dulce de $4,50 = $13,50", "13,50"},
        {QLocale::Mexico, "6.50", "3 x Pan dulce de $4.50 = $13.50", "13.50"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.change);
        locale = QLocale(QLocale::Spanish, row.country);
        open("Pan dulce $4.5\r\n");
        key(Qt::Key_Down);
        type("3");
        key(Qt::Key_Return);
        type("t20");
        key(Qt::Key_Return);
        EXPECT_EQ(w->lblTotal3->text(), row.change);
        key(Qt::Key_Space);
        EXPECT_EQ(readFile(salesFile()), QByteArray(row.line) + "\r\n" + QByteArray(50, '-') +
                                             ">Total $" + row.total + "\r\n\r\n");
    }
}

TEST_F(SaleFlow, TypedEntryAndNewSaleWithoutPayment) {
    open();
    w->txtDato1->setFocus();
    type(".5");
    key(Qt::Key_Return);
    EXPECT_EQ(focused(), w->txtDato2);
    type("Queso");
    key(Qt::Key_Return);
    EXPECT_EQ(focused(), w->txtDato3);
    type("80");
    key(Qt::Key_Return);
    EXPECT_EQ(w->List1->items(), QStringList{".5 x Queso de $80.00 = $40.00"});
    EXPECT_EQ(w->txtDato3->selectedText(), "80"); // ready for the next entry
    // Every line is on disk as soon as it is rung up.
    EXPECT_EQ(readFile(salesFile()), QByteArray(".5 x Queso de $80.00 = $40.00\r\n\r\n"));

    key(Qt::Key_Delete); // no payment: no total line
    EXPECT_EQ(w->List1->count(), 1);
    EXPECT_EQ(w->SaleTotal, 0);
    EXPECT_EQ(w->lblTip->text(), Hint(1)); // an empty price list stops the new sale there
}

// A missing price list is offered; when its folder is missing too, the folder is named.
TEST_F(SaleFlow, AMissingPriceListIsCreatedWhenItCanBe) {
    const QString created = QString::fromUtf8(
        "No hay una lista de precios y productos en el escritorio, ¿desea crear uno?");
    const QString noFolder =
        QString::fromUtf8("No se puede crear el archivo, la dirección: C:\\Documents "
                          "and Settings\\cajera\\Escritorio no existe.");
    for (const bool folder : {true, false}) {
        SCOPED_TRACE(folder);
        dialogs.shown.clear();
        if (!folder)
            QDir(desktop()).removeRecursively();
        open(nullptr);
        ASSERT_EQ(dialogs.shown.size(), folder ? 1 : 2);
        EXPECT_EQ(dialogs.shown[0].text, created);
        EXPECT_EQ(dialogs.shown.back().text, folder ? created : noFolder);
        EXPECT_EQ(readFile(desktop() + "/Lista.txt"),
                  folder ? "Producto patito $198\r\n" : "<missing>");
        EXPECT_EQ(w->List2->items(), folder ? QStringList{"Producto patito $198"} : QStringList{});
        QFile::remove(desktop() + "/Lista.txt");
    }
}

TEST_F(SaleFlow, OutOfRangeAmountsAreRefusedAndChangeNothing) {
    open();
    w->txtDato3->setFocus();
    w->txtDato3->setText("1e308");
    key(Qt::Key_Return);
    ASSERT_EQ(w->List1->count(), 1);
    const double before = w->SaleTotal;
    const QString shownTotal = w->lblTotal1->text();

    w->txtDato1->setText("99"); // 99 x 1e308 is beyond the doubles
    key(Qt::Key_Return);
    EXPECT_EQ(w->List1->count(), 1);
    EXPECT_EQ(w->SaleTotal, before);
    EXPECT_EQ(w->lblTotal1->text(), shownTotal);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown.back().icon, Dialogs::Icon::Exclamation);

    w->txtTotal2->setFocus();
    w->txtTotal2->setText("1e400");
    key(Qt::Key_Return);
    EXPECT_EQ(w->txtTotal2->text(), "1e400");
    EXPECT_EQ(w->lblTotal3->text(), "0.00");
    EXPECT_EQ(dialogs.shown.size(), 2);

    key(Qt::Key_Space); // a new sale on it would close the sale without its total line
    EXPECT_EQ(w->txtTotal2->text(), "1e400");
    EXPECT_EQ(w->List1->count(), 1);
    EXPECT_EQ(w->SaleTotal, before);
    EXPECT_EQ(dialogs.shown.size(), 3);
}

} // namespace
} // namespace tallimo
