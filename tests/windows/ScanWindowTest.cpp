#include "WindowFixture.h"

#include "sale/Invoice.h"

namespace tallimo {
using ScanWindow = WindowTest;

namespace {
const char* kList = "Pan dulce $4.5\r\nRefresco $12.5\r\nQueso fresco $80\r\nJam\xf3n $100\r\n";
const char* kCodes =
    "# Mostrador\r\n7501031311309 Refresco\r\n036000291452 pan DULCE\r\n"
    "2000001 precio Jam\xf3n\r\n2000002 PESO Queso fresco\r\n4006381333931 Tamal\r\n";
} // namespace

// Scans ring up what the price list sells, from any control, with the quantity typed before them
// (then back to 1); the day's file holds them as lines rung up by hand would be.
TEST_F(ScanWindow, ScansRingUpTheirLines) {
    for (const QLocale::Country country : {QLocale::Mexico, QLocale::Spain}) {
        SCOPED_TRACE(country);
        locale = QLocale(QLocale::Spanish, country);
        write(desktop() + "/Codigos.txt", kCodes), open(kList);
        struct {
            const char* keys; // a person's, before the scan
            const char* code;
        } rows[] = {{"", "7501031311309"}, {"3", "7501031311309"}, {"b", "0036000291452"},
                    {"t", "036000291452"}, {"5", "2000001012505"}, {"", "2000002007500"}};
        for (const auto& row : rows) {
            type(row.keys), scan(row.code);
            EXPECT_EQ(focused(), w->List2) << row.code;
            EXPECT_EQ(w->txtDato1->text(), "1") << row.code;
        }
        const char* lines = "1 x Refresco de $12.50 = $12.50\r\n3 x Refresco de $12.50 = "
                            "$37.50\r\n1 x Pan dulce de $4.50 = $4.50\r\n1 x Pan dulce de $4.50 "
                            "= $4.50\r\n1 x Jam\xf3n de $12.50 = $12.50\r\n0.750 x Queso fresco "
                            "de $80.00 = $60.00\r\n\r\n";
        EXPECT_EQ(fileBytes(salesFile()),
                  QString::fromLatin1(lines).replace('.', locale.decimalPoint()).toLatin1());
        EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join('\n').toStdString();
    }
}

// A misread, an unknown code or a product gone from the price list: one message naming the code,
// and the fields, the focus and the sale as they were.
TEST_F(ScanWindow, RefusedScansChangeNothing) {
    write(desktop() + "/Codigos.txt", kCodes), open("Pan dulce $4.5\r\n");
    type("4t"); // the quantity typed, then the payment field
    for (const char* code : {"7501031311308", "7790000000010", "4006381333931", "ABC-123"}) {
        dialogs.shown.clear();
        scan(code);
        ASSERT_EQ(dialogs.shown.size(), 1) << code;
        EXPECT_TRUE(dialogs.shown[0].startsWith(QString("Exclamation: El código ") + code));
        EXPECT_EQ(w->txtDato1->text() + w->txtDato2->text(), "4Producto");
        EXPECT_EQ(focused(), w->txtTotal2);
    }
    EXPECT_EQ(w->List1->count(), 0);
    QFile::remove(desktop() + "/Codigos.txt"), QDir(desktop()).mkdir("Codigos.txt");
    open(""), dialogs.shown.clear(), scan("7501031311309"), scan("7501031311309");
    ASSERT_EQ(dialogs.shown.size(), 2); // unreadable: told once, then the code is unknown
    EXPECT_TRUE(dialogs.shown[0].startsWith("Exclamation: No se pudo leer el archivo de códigos"));
}

// F7 waits for the next scan and gives its code to the selected product; a code of another
// product moves only when the cashier says so; Escape cancels.
TEST_F(ScanWindow, F7TeachesTheNextScan) {
    open(kList);
    key(Qt::Key_F7);
    EXPECT_TRUE(dialogs.shown.value(0).contains("seleccione en la lista de precios"));
    key(Qt::Key_Down), key(Qt::Key_F7);
    EXPECT_EQ(w->lblTip->text(), "Escanee el código para: Pan dulce — Esc cancela");
    scan("7790000000010"); // assigned, nothing sold
    EXPECT_EQ(fileBytes(desktop() + "/Codigos.txt"), "7790000000010 Pan dulce\r\n");
    EXPECT_EQ(w->List1->count(), 0);
    key(Qt::Key_Down), key(Qt::Key_F7);
    dialogs.answers << Dialogs::Answer::No;
    scan("7790000000010"); // asked, and left with Pan dulce
    key(Qt::Key_F7), type("\x1b");
    EXPECT_EQ(w->lblTip->text(), "No se asignó ningún código.");
    EXPECT_FALSE(frame->isAddressLoaded());
    scan("7790000000010");
    EXPECT_EQ(w->List1->items(), QStringList{"1 x Pan dulce de $4.50 = $4.50"});
    EXPECT_TRUE(
        dialogs.shown.value(1).startsWith("Question (Sí/No): El código 7790000000010 ya es de "
                                          "«Pan dulce»."));
}

} // namespace tallimo
