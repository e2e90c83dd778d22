#include "windows/WindowFixture.h"

#include "app/TicketDesk.h"

#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>

namespace tallimo {

// Through the CUPS server of tests/print/cups.sh, which CTest starts before these tests: its
// queue "Caja" prints into PDF files, "CajaDetenida" is disabled.
class Printing : public WindowTest {
  protected:
    const QString cups = TALLIMO_CUPS_DIR;
    std::unique_ptr<QSignalSpy> printed;

    void SetUp() override {
        QFile server(cups + "/server");
        if (!server.open(QIODevice::ReadOnly))
            GTEST_SKIP() << "no CUPS server of the tests' own: run through ctest, as root";
        qputenv("CUPS_SERVER", server.readAll().trimmed()); // read by each printing thread
        WindowTest::SetUp();
    }
    void spool(const char* command) {
        ASSERT_EQ(QProcess::execute(TALLIMO_TEST_DATA "/../print/cups.sh", {command, cups}), 0);
    }
    // A fresh start with a price list and Ticket.txt; 2 x Pan rung up and paid with 10.
    void paidSale(const QByteArray& ticketFile) {
        write(desktop() + "/Ticket.txt", ticketFile);
        QFile::remove(salesFile());
        open("Pan $2\r\nPapa $3\r\n");
        printed =
            std::make_unique<QSignalSpy>(&frame->tickets().printer(), &TicketPrinter::printed);
        sell("2"), type("t10\r");
    }
    // Every text of the window and where the focus is.
    QStringList screen() const {
        QStringList texts{focused()->objectName()};
        for (const QLineEdit* box : w->findChildren<QLineEdit*>())
            texts << box->text();
        for (const QLabel* label : w->findChildren<QLabel*>())
            texts << label->text();
        return texts + w->List1->items();
    }
};

// F9 prints from every control while the window goes on taking keys, and changes nothing on it;
// with nothing to print, or to print again, the cashier is told.
TEST_F(Printing, TheKeyPrintsFromEveryControlAndChangesNothing) {
    write(desktop() + "/Ticket.txt", "Impresora=Caja\r\n");
    open("Pan $2\r\n");
    key(Qt::Key_F12), key(Qt::Key_F9);
    EXPECT_EQ(dialogs.shown, (QStringList{"Exclamation: Todavía no se ha pedido ningún ticket: "
                                          "pulse F9 para imprimir el de la venta.",
                                          "Exclamation: No hay ninguna venta para imprimir."}));
    paidSale("Impresora=Caja\r\n");
    const char* controls[] = {"txtDato1",  "txtDato2", "txtDato3", "txtDato4",
                              "txtTotal2", "List1",    "List2"};
    for (const char* name : controls) {
        w->findChild<QWidget*>(name)->setFocus();
        const QStringList before = screen();
        key(Qt::Key_F9);
        EXPECT_EQ(screen(), before) << name;
    }
    EXPECT_EQ(printed->count(), 0); // the window did not wait for any of them
    EXPECT_TRUE(QTest::qWaitFor([&] { return printed->count() == 7; }, 60000));
    EXPECT_EQ(dialogs.shown.size(), 2);
}

// A ticket the queue does not take is told once and never as printed; the register keeps selling
// and the sales file is what it would have been.
TEST_F(Printing, ARefusedTicketIsToldOnceAndTheSaleGoesOn) {
    // Name, Ticket.txt, what the spool is made (nullptr: as it is), what the cashier is told.
    const std::tuple<const char*, const char*, const char*, const char*> rows[] = {
        {"no such queue", "Impresora=NoHay", nullptr,
         "La impresora \"NoHay\" no existe: revise su nombre en Ticket.txt."},
        {"disabled queue", "Impresora=CajaDetenida", nullptr,
         "La impresora \"CajaDetenida\" está detenida: actívela y vuelva a imprimir."},
        {"full spool", "Impresora=Caja", "fill",
         "La impresora \"Caja\" rechazó el ticket: la cola de impresión no tiene espacio para él."},
        {"bad Ticket.txt", "Impresora=Caja\nPapel=57", nullptr,
         "revise Ticket.txt en el escritorio.\n\nTicket.txt, línea 2 (\"Papel=57\"): el papel "
         "debe ser de 58 o de 80 mm."},
    };
    for (const auto& [name, ticketFile, spooled, told] : rows) {
        SCOPED_TRACE(name);
        dialogs.shown.clear();
        if (spooled)
            spool(spooled);
        paidSale(ticketFile);
        key(Qt::Key_F9);
        type(" "), sell("1"); // the sale closed, and the next one begun
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dialogs.shown.isEmpty(); }, 30000));
        if (spooled)
            spool("empty");
        ASSERT_EQ(dialogs.shown.size(), 1);
        EXPECT_TRUE(dialogs.shown[0].startsWith("Exclamation: No se imprimió el ticket"));
        EXPECT_TRUE(dialogs.shown[0].contains(QString::fromUtf8(told)))
            << dialogs.shown[0].toStdString();
        EXPECT_EQ(printed->count(), 0);
        EXPECT_EQ(fileBytes(salesFile()), "2 x Pan de $2.00 = $4.00\r\n" + QByteArray(50, '-') +
                                              ">Total $4.00\r\n1 x Papa de $3.00 = $3.00\r\n\r\n");
    }
}

} // namespace tallimo
