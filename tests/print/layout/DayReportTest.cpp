#include "print/DayReport.h"
#include "support/GTestHelpers.h"
#include "support/ShopDrive.h"

using namespace tallimo;

namespace {

struct ReportRow {
    const char* name; // its report is tests/data/print/<name>.txt
    QList<std::pair<QStringList, QList<summary::CashCount>>> days; // from 04/12/2026: lines, counts
    int columns;
};

const QStringList kDay = {"2 x Pan de $2.00 = $4.00", test::totalLine("4.00"),
                          "1 x Café de $5.00 = $5.00", test::totalLine("5.00"),
                          "1 x Papa de $1.00 = $1.00"};
const summary::CashCount kMorning{"13:00", 1, 1, 400, 50000, 0, 1000, 49401};
const Cents kMax = summary::kMaxCountCents;

// The header, the days and the sums, the products largest first (names wrapped), each count under
// its number with its day when several days show, the footer; a day without its file, no sales.
const ReportRow kReports[] = {
    {"report-range-80", {{kDay, {kMorning}}, {{}, {}}, {kDay, {kMorning, {"18:05", 2, 1}}}}, 48},
    {"report-long-58",
     {{{"1 x Refresco de cola familiar sin azúcar de $1.00 = $1.00", test::totalLine("1.00")},
       {{"23:59", 1, 1, kMax, kMax, kMax, kMax, 0}}}},
     32},
};

class DayReportLayout : public testing::TestWithParam<ReportRow> {};

// Every line fits the roll. The difference's words are differenceText's, tested with it.
TEST_P(DayReportLayout, FitsTheRoll) {
    ReportDays report{{2026, 12, 4}, {}};
    for (const auto& [lines, counts] : GetParam().days)
        report.days.append(summary::summariseLines(lines)), report.days.last().counts = counts;
    QStringList lines = LayoutDayReport(report, {{2026, 12, 7}, {18, 30}},
                                        {{"La Esperanza"}, {"Gracias"}, GetParam().columns});
    for (const QString& line : lines)
        EXPECT_LE(line.size(), GetParam().columns) << line.toStdString();
    lines.removeIf([](const QString& line) { return line.startsWith("Diferencia"); });
    EXPECT_EQ(lines.join('\n').toUtf8() + '\n',
              test::fileBytes(TALLIMO_TEST_DATA "/print/" + QString(GetParam().name) + ".txt"));
}

INSTANTIATE_TEST_SUITE_P(Rows, DayReportLayout, testing::ValuesIn(kReports), test::RowName());

} // namespace
