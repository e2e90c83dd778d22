// The cash count typed with the keys over the summary window, read back as the file's bytes.
#include "WindowFixture.h"

#include "windows/frmCorte.h"
#include "windows/frmResumen.h"

#include <QLabel>
#include <QLineEdit>

using namespace tallimo;

class CountWindowTest : public WindowTest {
  protected:
    QTime now{18, 5};
    std::unique_ptr<frmResumen> summary;
    QString countsFile() const { return summary::countsFileBeside(salesFile()); }
    static QByteArray sale(const QString& amount) {
        return encodeLines({"1 x Pan de $" + amount + " = $" + amount, test::totalLine(amount)}) +
               "\r\n";
    }
    void openSummary() {
        const auto sales = [this](QDate day) {
            return std::optional(ShopDrive::salesFile(day, locale));
        };
        const auto counts = [sales](QDate day) { return summary::countsFileBeside(*sales(day)); };
        const auto clock = [this] { return now; };
        summary = std::make_unique<frmResumen>(SummarySource{
            sales, test::shopDay(), locale.decimalPoint(), {}, counts, &dialogs, clock});
        showActive(*summary);
    }
    // F8, then the count's first field gets the keyboard.
    frmCorte* openCount() {
        QTest::keyClick(summary->windowHandle(), Qt::Key_F8);
        auto* count = summary->findChild<frmCorte*>();
        return count && QTest::qWaitFor([&] { return focused() == count->txtFondo; }) ? count
                                                                                      : nullptr;
    }
};

TEST_F(CountWindowTest, TwoCountsOfADayEachCoverTheirOwnSales) {
    QByteArray sales = sale("100.00") + sale("34.50");
    const QByteArray counts = fileBytes(TALLIMO_TEST_DATA "/windows/Cortes-es_MX.txt");
    write(salesFile(), sales);
    openSummary();
    frmCorte* count = openCount();
    ASSERT_TRUE(count);
    EXPECT_EQ(count->lblPeriodo->text() + count->lblCobrado->text(), "Ventas 1 a 2 de hoy$134.50");
    type("500\t200");
    EXPECT_EQ(count->lblEsperado->text(), "$434.50");
    EXPECT_EQ(count->lblDiferencia->text(), "Faltante $434.50");
    type("\t100\t330\r");
    QTRY_VERIFY(!summary->findChild<frmCorte*>());
    EXPECT_EQ(fileBytes(countsFile()), counts.left(counts.indexOf("Corte de caja 2")));

    write(salesFile(), sales += sale("4.00") + sale("6.00")); // a change of shift
    now = QTime(22, 30);
    ASSERT_TRUE(count = openCount());
    type("\t\t\t10.01"), key(Qt::Key_Tab, Qt::ShiftModifier), type("0\n");
    QTRY_VERIFY(!summary->findChild<frmCorte*>());
    EXPECT_EQ(fileBytes(countsFile()), counts);
    EXPECT_EQ(fileBytes(salesFile()), sales);

    write(countsFile(), counts + "Corte de caja 3, 23:00\r\nborrado a mano\r\n");
    ASSERT_TRUE(count = openCount());
    EXPECT_TRUE(count->lblPeriodo->text().contains("Un corte anterior de hoy no se pudo leer"));
}

// Under a comma locale either mark reads; what cannot be recorded is told and nothing is lost.
TEST_F(CountWindowTest, WhatCannotBeRecordedKeepsTheDialogAndWritesNothing) {
    locale = QLocale(QLocale::Spanish, QLocale::Argentina);
    write(salesFile(), sale("10,00"));
    openSummary();
    ASSERT_TRUE(openCount());
    type("7\x1b");
    QTRY_VERIFY(!summary->findChild<frmCorte*>());

    frmCorte* count = openCount();
    ASSERT_TRUE(count);
    type("12,50\t12.50\t1x");
    EXPECT_EQ(count->lblEsperado->text(), "(Retiros no es un importe)");
    type("\t\r");
    EXPECT_TRUE(dialogs.shown.value(0).startsWith("Exclamation: «Retiros» no es un importe.") &&
                dialogs.shown.value(0).contains("1250,50"));
    type("0\t");
    EXPECT_EQ(count->lblEsperado->text(), "$10,00");
    EXPECT_FALSE(QFileInfo::exists(countsFile()));

    QDir().mkpath(countsFile()); // the file cannot be written
    type("\r");
    EXPECT_TRUE(dialogs.shown.value(1).startsWith("Critical: No se pudo guardar el corte"));
    ASSERT_TRUE(count->isVisible());
    EXPECT_EQ(count->txtFondo->text() + count->txtTarjeta->text() + count->txtRetiros->text(),
              "12,5012.500");
}
