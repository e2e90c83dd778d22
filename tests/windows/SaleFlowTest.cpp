#include "WindowFixture.h"

#include "sale/Invoice.h"

#include <csignal>
#include <sys/resource.h>

namespace tallimo {
using SaleFlow = WindowTest;

// A whole sale from the keyboard under a point and a comma locale: amounts shown with the
// locale's mark read back as shown, on screen and in the file.
TEST_F(SaleFlow, AWholeSaleFromTheKeyboard) {
    for (const QLocale::Country country : {QLocale::Mexico, QLocale::Spain}) {
        SCOPED_TRACE(country);
        locale = QLocale(QLocale::Spanish, country);
        const auto shown = [&](const char* text) {
            return QString::fromLatin1(text).replace('.', locale.decimalPoint());
        };
        open("Pan dulce $4.5\r\nRefresco $12.5\r\nCaf\xe9 $30\r\n");
        key(Qt::Key_Down);
        sell("2"); // Refresco
        EXPECT_EQ(w->List1->items(), QStringList{shown("2 x Refresco de $12.50 = $25.00")});
        EXPECT_EQ(w->lblTip->text(), Hint(3));
        type("bcaf\r"); // found through the search box, with its accent
        EXPECT_EQ(w->lblTotal1->text(), shown("85.00"));
        type("t100\r");
        EXPECT_EQ(w->lblTotal3->text(), shown("15.00"));
        const QByteArray lines =
            shown("2 x Refresco de $12.50 = $25.00\r\n2 x Caf\xe9 de $30.00 = $60.00\r\n")
                .toLatin1();
        EXPECT_EQ(fileBytes(salesFile()), lines + "\r\n"); // every line on disk at once

        key(Qt::Key_Space);
        const QByteArray closed =
            lines + QByteArray(50, '-') + ">Total $" + shown("85.00").toLatin1() + "\r\n\r\n";
        EXPECT_EQ(fileBytes(salesFile()), closed);
        EXPECT_EQ(w->SaleTotal, 0);
        EXPECT_EQ(w->lblTotal1->text(), "0.00"); // reset with a point under any locale
        EXPECT_EQ(focused(), w->List2);
        EXPECT_EQ(w->txtDato3->text(), shown("4.50")); // the first line, for the next customer
        w->close(); // the history ends in a total line: nothing more
        EXPECT_EQ(fileBytes(salesFile()), closed);
    }
}

// The ticket tells the payment whose change the screen shows: the one confirmed with Enter, not
// one typed after it; the sale closed then keeps it.
TEST_F(SaleFlow, TheTicketTellsThePaymentConfirmed) {
    open("Vino $37.5\r\n"), sell("");
    type("t50\r\b\b\b\b\b20");
    EXPECT_EQ(w->txtTotal2->text() + " " + w->lblTotal3->text(), "20 12.50");
    EXPECT_EQ(formatCents(w->ticketSale().value().payment.value_or(0), "."), "50.00");
    type(" "); // closed
    EXPECT_EQ(formatCents(w->ticketSale().value().payment.value_or(0), "."), "50.00");
}

// A missing price list is offered; when its folder is missing too, the folder is named.
TEST_F(SaleFlow, AMissingPriceListIsCreatedWhenItCanBe) {
    open(nullptr);
    EXPECT_EQ(fileBytes(desktop() + "/Lista.txt"), test::golden("price_list_sample.txt"));
    EXPECT_EQ(w->List2->items(), QStringList{"Producto patito $198"});
    QDir(desktop()).removeRecursively();
    open(nullptr);
    const QString offer = "Question (Sí/No): No hay una lista de precios y productos en el "
                          "escritorio, ¿desea crear uno?";
    EXPECT_EQ(dialogs.shown,
              (QStringList{offer, offer,
                           "Critical: No se puede crear el archivo, la dirección: "
                           "C:\\Documents and Settings\\cajera\\Escritorio no existe."}));
    EXPECT_TRUE(w->List2->items().isEmpty());
}

// Typed entries ring up as typed. An amount past the doubles is told and changes nothing, nor lets
// a new sale lose the total line; without a payment a new sale adds no total line.
TEST_F(SaleFlow, TypedEntriesAndOutOfRangeAmounts) {
    open();
    w->txtDato1->setFocus();
    type(".5\rQueso\r80\r");
    EXPECT_EQ(w->txtDato3->selectedText(), "80"); // ready for the next entry
    w->txtDato1->setText("99");
    w->txtDato3->setText("1e307"); // 99 x 1e307 is beyond the doubles
    type("\r");
    w->txtTotal2->setFocus();
    w->txtTotal2->setText("1e400");
    type("\r ");
    EXPECT_EQ(w->txtTotal2->text() + " " + w->lblTotal3->text(), "1e400 0.00");
    EXPECT_EQ(w->List1->count(), 1);
    EXPECT_EQ(w->SaleTotal, 40);
    ASSERT_EQ(dialogs.shown.size(), 3);
    EXPECT_TRUE(dialogs.shown[0].startsWith("Exclamation: "));
    w->txtTotal2->setText("0");
    type("\x7f");
    EXPECT_EQ(fileBytes(salesFile()), ".5 x Queso de $80.00 = $40.00\r\n\r\n");
    EXPECT_EQ(w->lblTip->text(), Hint(1)); // an empty price list stops the new sale there
}

using WriteFault = WindowTest;

// A failed save keeps the last complete file and every line on screen, is told once per run of
// failures, and the next save writes everything; closing while it fails asks first.
TEST_F(WriteFault, AFullDiskLosesNoLineAndIsToldOnce) {
    open("Pan $2\r\n");
    sell("");
    const QByteArray pan = "1 x Pan de $2.00 = $2.00\r\n";
    // A full disk for this process (only non-fatal checks until it goes): files may not grow.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN); // a write fails instead of killing us
    const rlimit full{rlim_t(pan.size() + 12), saved.rlim_max};
    setrlimit(RLIMIT_FSIZE, &full);
    type("\r\r\r");
    EXPECT_EQ(w->List1->count(), 4);
    EXPECT_EQ(fileBytes(salesFile()), pan + "\r\n"); // the last complete save stands
    setrlimit(RLIMIT_FSIZE, &saved), std::signal(SIGXFSZ, oldHandler);
    type("t20\r"); // the payment saves again: everything lands
    EXPECT_EQ(fileBytes(salesFile()), pan.repeated(4) + "\r\n");
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown[0].contains("No queda espacio en el disco."));

    const QString hidden = desktop() + ".moved";
    ASSERT_TRUE(QDir().rename(desktop(), hidden)); // the desktop folder disappears mid-day
    type(" ");
    dialogs.answers << Dialogs::Answer::No;
    EXPECT_FALSE(w->close());
    ASSERT_EQ(dialogs.shown.size(), 3); // a later failure is told again, then the question
    EXPECT_TRUE(
        dialogs.shown[1].startsWith("Critical: No se pudieron guardar las ventas del día en:"
                                    "\nC:\\Documents and Settings\\cajera\\Escritorio\\"));
    EXPECT_TRUE(dialogs.shown[2].startsWith("Critical (Sí/No): "));
    EXPECT_EQ(w->List1->count(), 5);
    ASSERT_TRUE(QDir().rename(hidden, desktop()));
    EXPECT_TRUE(w->close()); // ends with its total line, yet saved again: the last save failed
    EXPECT_EQ(fileBytes(salesFile()),
              pan.repeated(4) + QByteArray(50, '-') + ">Total $8.00\r\n\r\n");
}

} // namespace tallimo
