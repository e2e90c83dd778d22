#include "WindowFixture.h"

namespace tallimo {
using ScanWindow = WindowTest;

namespace {
const char* kList = "Pan dulce $4.5\r\nRefresco $12.5\r\nQueso fresco $80\r\nJam\xf3n $100\r\n";
const char* kCodes = "# Mostrador\r\n7501031311309 Refresco\r\n036000291452 pan DULCE\r\n2000001 "
                     "precio Jam\xf3n\r\n2000002 PESO Queso fresco\r\n4006381333931 Tamal\r\n";
} // namespace

// Scans ring up what the price list sells, from any control, with a person's keys before them (a
// quantity, back to 1 after the scan); the day's file holds them as lines rung up by hand, in the
// decimal mark of the machine.
TEST_F(ScanWindow, ScansRingUpTheirLines) {
    locale = QLocale(QLocale::Spanish, QLocale::Spain), write(desktop() + "/Codigos.txt", kCodes);
    open(kList);
    const char* rows[][2] = {{"", "7501031311309"}, {"3", "7501031311309"}, {"b", "0036000291452"},
                             {"t", "036000291452"}, {"5", "2000001012505"}, {"", "2000002007500"}};
    for (const auto& row : rows) {
        type(row[0]), scan(row[1]);
        EXPECT_EQ(w->txtDato1->text() + QString::number(focused() == w->List2), "11") << row[1];
    }
    EXPECT_EQ(fileBytes(salesFile()),
              "1 x Refresco de $12,50 = $12,50\r\n3 x Refresco de $12,50 = $37,50\r\n1 x Pan dulce "
              "de $4,50 = $4,50\r\n1 x Pan dulce de $4,50 = $4,50\r\n1 x Jam\xf3n de $12,50 = "
              "$12,50\r\n0,750 x Queso fresco de $80,00 = $60,00\r\n\r\n");
}

// A misread, an unknown code or a product gone from the price list: one message naming the code,
// and the fields, the focus and the sale as they were. An unreadable file is told once.
TEST_F(ScanWindow, RefusedScansChangeNothing) {
    write(desktop() + "/Codigos.txt", kCodes), open("Pan dulce $4.5\r\n");
    type("4t"); // the quantity typed, then the payment field
    for (const char* code : {"7501031311308", "7790000000010", "4006381333931", "ABC-123"}) {
        dialogs.shown.clear(), scan(code);
        EXPECT_TRUE(dialogs.shown.size() == 1 &&
                    dialogs.shown[0].startsWith(QString("Exclamation: El código ") + code));
        EXPECT_EQ(w->txtDato1->text() + w->txtDato2->text() + QString::number(w->List1->count()) +
                      QString::number(focused() == w->txtTotal2),
                  "4Producto01");
    }
    QFile::remove(desktop() + "/Codigos.txt"), QDir(desktop()).mkdir("Codigos.txt"), open("");
    scan("7501031311309"), scan("7501031311309");
    EXPECT_EQ(dialogs.shown.join('|').count("No se pudo leer el archivo de códigos"), 1);
}

// F7 waits for the next scan and gives its code to the selected product; a code of another
// product moves only when the cashier says so; Escape cancels.
TEST_F(ScanWindow, F7TeachesTheNextScan) {
    open(kList), key(Qt::Key_F7);
    EXPECT_TRUE(dialogs.shown.value(0).contains("seleccione en la lista de precios"));
    key(Qt::Key_Down), key(Qt::Key_F7);
    EXPECT_EQ(w->lblTip->text(),
              "Escanee el código (o escríbalo y presione Intro) para: Pan dulce — Esc cancela");
    scan("7790000000010"); // assigned, nothing sold
    EXPECT_EQ(fileBytes(desktop() + "/Codigos.txt"), "7790000000010 Pan dulce\r\n");
    key(Qt::Key_Down), key(Qt::Key_F7), dialogs.answers << Dialogs::Answer::No;
    scan("7790000000010"); // asked, and left with Pan dulce
    EXPECT_TRUE(dialogs.shown.value(1).contains("7790000000010 ya es de «Pan dulce»"));
    key(Qt::Key_F7), type("PAN-001\b2\r"), key(Qt::Key_F7), type("77\x1b"); // typed by hand
    EXPECT_EQ(fileBytes(desktop() + "/Codigos.txt"),
              "7790000000010 Pan dulce\r\nPAN-002 Refresco\r\n");
    scan("PAN-002"), key(Qt::Key_F7), type("\x1b"), scan("7790000000010"); // cancelled: rings up

    EXPECT_FALSE(frame->isAddressLoaded());
    write(desktop() + "/Codigos.txt", "7501031311309 Refresco\r\n"), scan("7501031311309");
    EXPECT_EQ(w->List1->items(), // the file edited by hand is read again
              QStringList({"1 x Refresco de $12.50 = $12.50", "1 x Pan dulce de $4.50 = $4.50",
                           "1 x Refresco de $12.50 = $12.50"}));
}

} // namespace tallimo
