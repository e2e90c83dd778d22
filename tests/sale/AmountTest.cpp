#include "sale/Amount.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <optional>

using namespace tallimo;

namespace {

const std::optional<double> fails;

struct NumberRow {
    const char* text;
    std::optional<double> expected;
    const char* point = ".";
};

void expectReads(const NumberRow& row) {
    EXPECT_EQ(ReadNumber(QString::fromUtf8(row.text), QString::fromUtf8(row.point)), row.expected)
        << row.text << " under " << row.point;
}

// The leading number, blanks ignored; nullopt past the doubles, 0 below them.
TEST(ReadNumber, LeadingNumberOrNothingBeyondTheDoubles) {
    const NumberRow rows[] = {
        {" \t1\n2 ", 12}, {"2,5", 2},      {".5", 0.5},      {"1.2.3", 1.2}, {"-3", -3},
        {"--1", 0},       {"", 0},         {"1D2", 100},     {"2d-1", 0.2},  {"1e+", 1},
        {"1e-400", 0},    {"0e999999", 0}, {"1e400", fails},
    };
    for (const NumberRow& row : rows)
        expectReads(row);
    expectReads({"1.7976931348623157e308", DBL_MAX});
    expectReads({"9e99999999999999999999", fails}); // the exponent saturates
    expectReads({"1797693134862316e294", fails});   // the digits alone overflow
}

// The locale's mark counts only before a digit; "." always does.
TEST(ReadNumber, TheGivenDecimalMark) {
    const NumberRow rows[] = {
        {"2,5", 2.5, ","},        {"-,5", -0.5, ","},  {"12.50", 12.5, ","},    {"3,", 3, ","},
        {"1.234,50", 1.234, ","}, {"1,5e2", 150, ","}, {"1,5e400", fails, ","}, {"2٫5", 2.5, "٫"},
    };
    for (const NumberRow& row : rows)
        expectReads(row);
}

// Fifteen significant digits, then cents with halves away from zero; never inf or nan.
TEST(FormatAmount, FifteenDigitsThenCentsWithHalvesAwayFromZero) {
    const std::pair<double, const char*> rows[] = {
        {0.125, "0.13"},  {2.675, "2.68"},    {1.005, "1.01"},     {-2.675, "-2.68"},
        {0.0049, "0.00"}, {99.995, "100.00"}, {0.1 + 0.2, "0.30"}, {-0.001, "0.00"},
        {-0.0, "0.00"},   {1e-300, "0.00"},   {INFINITY, ""},      {NAN, ""},
    };
    for (const auto& [value, expected] : rows)
        EXPECT_EQ(FormatAmount(value, "."), expected) << value;
    EXPECT_EQ(FormatAmount(123456789.125, ","), "123456789,13");
    EXPECT_EQ(FormatAmount(1e15, "."), "1000000000000000.00");
    EXPECT_EQ(FormatAmount(1e300, "."), "1" + QString(300, u'0') + ".00");
}

// What is shown reads back as the same amount, whichever separator shows it.
TEST(ShownAmount, ReadsBackAsItselfUnderEverySeparator) {
    for (const char* mark : {".", ",", "٫"}) {
        const QString point = QString::fromUtf8(mark);
        for (double value : {0.0, 0.5, -7.5, 0.125, -0.004, 1234.56, 1e15, 1.79769313486231e308}) {
            const QString shown = FormatAmount(value, point);
            EXPECT_EQ(ReadNumber(shown, point), ReadNumber(FormatAmount(value, "."), "."))
                << shown.toStdString();
            EXPECT_EQ(NormalizeAmount(shown, point), shown);
        }
        // 15 digits of these round up past the largest double.
        for (const char* text : {"1e400", "1.7976931348623157e308", "-1.7976931348623155e308"})
            EXPECT_FALSE(NormalizeAmount(QString::fromLatin1(text), point)) << text << mark;
    }
}

} // namespace
