// The summary window over real day files, walked with the keys.
#include "WindowFixture.h"

#include "app/SummaryLauncher.h"
#include "windows/SalesChart.h"
#include "windows/frmResumen.h"

#include <QDateEdit>
#include <QPointer>
#include <QTableView>

using namespace tallimo;

TEST_F(WindowTest, SummaryWalksTheDaysWithTheArrows) {
    twoLayouts();
    write(choiceFile(false), " 0 \r\n");
    write(salesFile(), fileBytes(TALLIMO_TEST_DATA "/../e2e/expected/Ventas-es_MX.txt"));
    write(desktop() + "/Ventas de 04-12-26.txt",
          ("1 x Pan de $2.00 = $2.00\r\n" + test::totalLine("2.00") + "\r\n").toLatin1());
    QPointer<frmResumen> summary =
        openSummaryWindow(DriveRoot(root()), frame->shared().environment(), dialogs);
    showActive(*summary);
    const auto cell = [&](QTableView* table, int row, int column) {
        return table->model()->index(row, column).data().toString();
    };
    EXPECT_EQ(cell(summary->grdDias, 0, 2), "$136.50");
    EXPECT_EQ(cell(summary->grdProductos, 0, 0), "Café molido");

    QTest::keyClick(summary->windowHandle(), Qt::Key_Left);
    EXPECT_EQ(summary->dtpDesde->date(), QDate(2026, 12, 4));
    EXPECT_EQ(cell(summary->grdDias, 0, 2), "$2.00");
    QTest::keyClick(summary->windowHandle(), Qt::Key_Right);
    QTest::keyClick(summary->windowHandle(), Qt::Key_Down);
    EXPECT_EQ(summary->dtpHasta->date(), QDate(2026, 12, 6));
    EXPECT_EQ(cell(summary->grdDias, 0, 1), "sin archivo");

    QTest::keyClick(summary->windowHandle(), Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(summary->windowHandle(), Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(summary->chtDias->bars().size(), 3);
    EXPECT_EQ(cell(summary->grdDias, 3, 2), "$138.50"); // the sum of the three days

    QTest::keyClick(summary->windowHandle(), Qt::Key_Escape);
    QTRY_VERIFY(summary.isNull());
}

// With no slot to divide among the bars, nothing but the background is drawn.
TEST(SummaryChart, NarrowerThanItsMarginsDrawsNoBar) {
    const std::tuple<const char*, int, bool> rows[] = {
        {"one pixel", 1, false}, {"the margins alone", 16, false}, {"one slot", 17, true}};
    SalesChart chart;
    chart.setBars({{"04/12", 2, "$2.00"}, {"05/12", 136.5, "$136.50"}});
    for (const auto& [name, width, expected] : rows) {
        SCOPED_TRACE(name);
        chart.resize(width, 200);
        const QImage image = chart.grab().toImage();
        bool drawn = false;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                drawn = drawn || image.pixel(x, y) != qRgb(255, 255, 255);
        EXPECT_EQ(drawn, expected);
    }
}
