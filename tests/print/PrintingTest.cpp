#include "windows/WindowFixture.h"

#include "app/ReportDesk.h"
#include "app/SummaryLauncher.h"
#include "app/TicketDesk.h"
#include "summary/CashCount.h"
#include "windows/frmResumen.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>

namespace tallimo {

// Through the CUPS server of tests/print/cups.sh, which CTest starts before these tests: its
// queue "Caja" prints into PDF files, "CajaDetenida" is disabled, "CajaColgada" never finishes a
// job, "CajaLenta" takes 6 s.
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
    void spool(const char* command, const QString& dir = {}, const QStringList& more = {}) {
        ASSERT_EQ(QProcess::execute(TALLIMO_TEST_DATA "/../print/cups.sh",
                                    QStringList{command, dir.isEmpty() ? cups : dir} + more),
                  0);
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
    void expectSoldAsIs() {
        EXPECT_EQ(fileBytes(salesFile()), "2 x Pan de $2.00 = $4.00\r\n" + QByteArray(50, '-') +
                                              ">Total $4.00\r\n1 x Papa de $3.00 = $3.00\r\n\r\n");
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
        const int count = printed->count();
        key(Qt::Key_F9);
        EXPECT_EQ(screen(), before) << name;
        EXPECT_EQ(printed->count(), count); // the window did not wait for it
        EXPECT_TRUE(QTest::qWaitFor([&] { return printed->count() == count + 1; }, 30000));
    }
    EXPECT_EQ(dialogs.shown.size(), 2);
}

// While a sale's ticket is on its way, pressing for it again prints nothing more and is told once.
TEST_F(Printing, OneTicketOfASaleAtATime) {
    paidSale("Impresora=CajaLenta\r\n");
    for (int i = 0; i < 10; ++i)
        key(Qt::Key_F9), key(Qt::Key_F12);
    EXPECT_EQ(dialogs.shown, QStringList{"Exclamation: El ticket de esta venta ya se está "
                                         "imprimiendo."});
    ASSERT_TRUE(printed->wait(20000));
    QTest::qWait(500);
    EXPECT_EQ(printed->count(), 1);
    EXPECT_EQ(dialogs.shown.size(), 1);
    // Two customers' sales with the same lines are two tickets: the second waits its turn.
    type(" "), type("2\r"), key(Qt::Key_F9);
    type(" "), type("2\r"), key(Qt::Key_F9);
    EXPECT_TRUE(QTest::qWaitFor([&] { return printed->count() == 3; }, 40000));
    EXPECT_EQ(dialogs.shown.size(), 1);
}

// A ticket lost on its way is told once, soon, with its own reason; the sales file stays as it is.
// Each row on a CUPS server of its own, which it may stop or kill.
TEST_F(Printing, ATicketLostOnItsWayIsToldWithItsReason) {
    const QString own = cups + "-own";
    // Name, queue, what is done to the server (before F9 when at -1 ms), within how long of it the
    // cashier is told, and what.
    const std::tuple<const char*, const char*, QStringList, int, int, const char*> rows[] = {
        {"queue stopped mid-job",
         "CajaColgada",
         {"run", "cupsdisable", "CajaColgada"},
         1500,
         2000,
         "La impresora \"CajaColgada\" está detenida: actívela y vuelva a imprimir."},
        {"queue deleted mid-job",
         "CajaColgada",
         {"run", "lpadmin", "-x", "CajaColgada"},
         1500,
         2000,
         "La impresora \"CajaColgada\" se quitó del sistema de impresión antes de terminar el "
         "ticket."},
        {"scheduler hung",
         "Caja",
         {"hang"},
         -1,
         12000,
         "El sistema de impresión no contesta: revise que el servicio de impresión esté en "
         "marcha."},
        {"scheduler killed mid-job",
         "CajaColgada",
         {"kill"},
         1500,
         2000,
         "El sistema de impresión dejó de contestar antes de terminar el ticket"},
        {"no server", "Caja", {"stop"}, -1, 2000, "El sistema de impresión no contesta"},
    };
    for (const auto& [name, queue, action, afterMs, withinMs, told] : rows) {
        SCOPED_TRACE(name);
        spool("start", own);
        QFile server(own + "/server");
        ASSERT_TRUE(server.open(QIODevice::ReadOnly));
        qputenv("CUPS_SERVER", server.readAll().trimmed());
        dialogs.shown.clear();
        paidSale("Impresora=" + QByteArray(queue));
        if (afterMs < 0)
            spool(action[0].toLatin1(), own, action.mid(1));
        key(Qt::Key_F9);
        type(" "), sell("1"); // the sale closed, and the next one begun
        if (afterMs >= 0)
            QTest::qWait(afterMs), spool(action[0].toLatin1(), own, action.mid(1));
        QElapsedTimer since;
        since.start();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dialogs.shown.isEmpty(); }, withinMs + 1000));
        EXPECT_LT(since.elapsed(), withinMs);
        if (action[0] == "hang")
            spool("wake", own);
        spool("stop", own);
        EXPECT_EQ(dialogs.shown.size(), 1);
        EXPECT_TRUE(dialogs.shown.value(0).contains(QString::fromUtf8(told)))
            << dialogs.shown.value(0).toStdString();
        EXPECT_EQ(printed->count(), 0);
        expectSoldAsIs();
    }
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
        expectSoldAsIs();
    }
}

// F9 in the summary window prints the report of the days it shows on the roll Ticket.txt names, as
// the queue's PDF reads back (the time it was printed aside); F9 again while it is on its way, and
// a queue that does not take it, are told once each.
TEST_F(Printing, TheSummaryPrintsTheDaysReport) {
    write(salesFile(), fileBytes(TALLIMO_TEST_DATA "/../e2e/expected/Ventas-es_MX.txt"));
    write(summary::countsFileBeside(salesFile()), fileBytes(TALLIMO_TEST_DATA "/print/Cortes.txt"));
    for (const QByteArray paper : {"58", "80", ""}) {
        write(desktop() + "/Ticket.txt",
              (paper.isEmpty() ? "Impresora=CajaDetenida" : "Impresora=Caja\r\nPapel=" + paper) +
                  "\r\nEncabezado=La Esperanza\r\nPie=Gracias");
        frmResumen* window = openSummaryWindow(DriveRoot(root()), test::shopEnvironment(), dialogs);
        showActive(*window);
        QSignalSpy done(&window->findChild<ReportDesk*>()->printer(), &TicketPrinter::printed);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(window->windowHandle(), Qt::Key_F9);
        EXPECT_EQ(done.wait(paper.isEmpty() ? 3000 : 30000), !paper.isEmpty());
        window->close();
        if (paper.isEmpty())
            continue;
        const QDir out(cups + "/out", "Resumen*.pdf", QDir::Time);
        QProcess text;
        text.start("sh", {"-c",
                          "pdftotext -layout \"$0\" - | tr -s ' \\f' ' ' | sed -E 's/^ //; s/ $//; "
                          "/^$/d; s#[0-9/]{10} [0-9:]{5}#FECHA HORA#'",
                          out.filePath(out.entryList().value(0))});
        ASSERT_TRUE(text.waitForFinished(10000));
        EXPECT_EQ(text.readAll(), fileBytes(TALLIMO_TEST_DATA "/print/Resumen-" + paper + ".txt"));
    }
    EXPECT_EQ(dialogs.shown, QStringList(3, "Exclamation: El resumen ya se está imprimiendo.") +
                                 QStringList{"Exclamation: No se imprimió el resumen.\n\nLa "
                                             "impresora \"CajaDetenida\" está detenida: actívela y "
                                             "vuelva a imprimir.\n\nPulse F9 para imprimirlo otra "
                                             "vez."});
}

// A later ticket of a sale already printed says COPIA: F12's reprint, and F9 again once it is
// closed; a new sale with the same lines, and the retry of a ticket that did not come out, do not.
TEST_F(Printing, ALaterTicketOfAPrintedSaleIsACopy) {
    const QString out = cups + "/out/";
    QStringList seen = QDir(out).entryList({"*.pdf"});
    QString marks;
    const auto ticket = [&](Qt::Key k) {
        const int count = printed->count();
        key(k);
        QStringList made;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                made = QDir(out).entryList({"*.pdf"});
                made.removeIf([&](const QString& name) { return seen.contains(name); });
                return printed->count() > count && made.size() == 1;
            },
            30000));
        seen += made;
        QProcess text;
        text.start("pdftotext", {"-layout", out + made.value(0), "-"});
        text.waitForFinished();
        const QString read = text.readAllStandardOutput();
        marks += read.contains("Esperanza") && read.contains("Pan")
                     ? QString::number(read.count("COPIA"))
                     : "?";
        return read;
    };
    paidSale("Encabezado=La Esperanza\r\nImpresora=Caja\r\n");
    ticket(Qt::Key_F9), ticket(Qt::Key_F12);
    type(" ");
    EXPECT_TRUE(ticket(Qt::Key_F9).contains("Cambio"));
    type("2\r");
    ticket(Qt::Key_F9);
    type("t10\r"), type(" "), type("2\r");
    write(desktop() + "/Ticket.txt", "Encabezado=La Esperanza\r\nImpresora=CajaDetenida\r\n");
    key(Qt::Key_F9);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialogs.shown.isEmpty(); }, 30000));
    write(desktop() + "/Ticket.txt", "Encabezado=La Esperanza\r\nImpresora=Caja\r\n");
    ticket(Qt::Key_F12), ticket(Qt::Key_F12);
    EXPECT_EQ(marks, QString("011001")) << dialogs.shown.join('\n').toStdString();
}

} // namespace tallimo
