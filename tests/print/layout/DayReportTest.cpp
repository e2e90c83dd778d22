#include "print/DayReport.h"
#include "support/GTestHelpers.h"
#include "support/ShopDrive.h"

using namespace tallimo;

// The header, the days and the sums, the products largest first (names wrapped), each count under
// its number with its day when several days show, the footer; a day without its file, no sales.
// Every line fits the roll. The difference's words are differenceText's, tested with it.
TEST(DayReportLayout, FitsTheRoll) {
    const QStringList day = {"2 x Pan de $2.00 = $4.00", test::totalLine("4.00"),
                             "1 x Café de $5.00 = $5.00", test::totalLine("5.00"),
                             "1 x Papa de $1.00 = $1.00"};
    const summary::CashCount morning{"13:00", 1, 1, 400, 50000, 0, 1000, 49401};
    const Cents max = summary::kMaxCountCents;
    // Name (its report is tests/data/print/<name>.txt), the days from 04/12/2026 (each one's
    // sales lines and counts), the roll's columns.
    const std::tuple<const char*, QList<std::pair<QStringList, QList<summary::CashCount>>>, int>
        rows[] = {
            {"report-range-80",
             {{day, {morning}}, {{}, {}}, {day, {morning, {"18:05", 2, 1}}}},
             48},
            {"report-long-58",
             {{{"1 x Refresco de cola familiar sin azúcar de $1.00 = $1.00",
                test::totalLine("1.00")},
               {{"23:59", 1, 1, max, max, max, max, 0}}}},
             32},
        };
    for (const auto& [name, days, columns] : rows) {
        SCOPED_TRACE(name);
        ReportDays report{{2026, 12, 4}, {}};
        for (const auto& [lines, counts] : days)
            report.days.append(summary::summariseLines(lines)), report.days.last().counts = counts;
        QStringList lines = LayoutDayReport(report, {{2026, 12, 7}, {18, 30}},
                                            {{"La Esperanza"}, {"Gracias"}, columns});
        for (const QString& line : lines)
            EXPECT_LE(line.size(), columns) << line.toStdString();
        lines.removeIf([](const QString& line) { return line.startsWith("Diferencia"); });
        EXPECT_EQ(lines.join('\n').toUtf8() + '\n',
                  test::fileBytes(TALLIMO_TEST_DATA "/print/" + QString(name) + ".txt"));
    }
}
