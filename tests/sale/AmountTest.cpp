#include "sale/Amount.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using tallimo::FormatAmount;
using tallimo::NormalizeAmount;
using tallimo::ReadNumber;

namespace {

struct ReadRow {
    const char* text;
    double expected;
};

TEST(ReadNumber, ReadsTheLeadingNumberWithAPointWhateverTheLocale)
{
    const ReadRow rows[] = {
        {"12.50", 12.5}, {"1 000", 1000}, {"2,5", 2},     {"$10", 0},     {"12abc", 12},
        {".5", 0.5},     {"-3", -3},      {"1e3", 1000},  {"", 0},        {"+7", 7},
        {"1D2", 100},    {"2d-1", 0.2},   {" \t1\n2 ", 12}, {"1e", 1},    {"1e+", 1},
        {"5.", 5},       {"-", 0},        {".", 0},       {"--1", 0},     {"1.2.3", 1.2},
        {"abc", 0},      {"1e-400", 0},   {"0e999999", 0}, {"1\r2", 1},  {"x1", 0},
    };
    for (const auto& row : rows)
        EXPECT_DOUBLE_EQ(ReadNumber(QString::fromUtf8(row.text)).value(), row.expected)
            << row.text;
}

TEST(ReadNumber, FailsBeyondTheFiniteDoubles)
{
    for (const char* text : {"1e400", "-1e309", "9e99999999999999999999", "1797693134862316e294"})
        EXPECT_FALSE(ReadNumber(QString::fromLatin1(text)).has_value()) << text;
    EXPECT_TRUE(ReadNumber(u"1.7976931348623157e308").has_value());
}

struct FormatRow {
    double value;
    const char* expected;
};

TEST(FormatAmount, FifteenDigitsThenCentsWithHalvesAwayFromZero)
{
    const FormatRow rows[] = {
        {0, "0.00"},          {12.5, "12.50"},       {0.125, "0.13"},     {2.675, "2.68"},
        {1.005, "1.01"},      {-5, "-5.00"},         {987.654, "987.65"}, {-2.675, "-2.68"},
        {0.005, "0.01"},      {0.0049, "0.00"},      {99.995, "100.00"},  {1234.5, "1234.50"},
        {0.1 + 0.2, "0.30"},  {-0.001, "0.00"},      {-0.0, "0.00"},      {1e15, "1000000000000000.00"},
        {123456789.125, "123456789.13"}, {1e-300, "0.00"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FormatAmount(row.value, "."), QString::fromLatin1(row.expected)) << row.value;
}

TEST(FormatAmount, UsesTheGivenSeparatorAndNeverWritesInfOrNan)
{
    EXPECT_EQ(FormatAmount(12.5, ","), "12,50");
    EXPECT_EQ(FormatAmount(1e300, ".").size(), 301 + 3);
    EXPECT_TRUE(FormatAmount(std::numeric_limits<double>::infinity(), ".").isEmpty());
    EXPECT_TRUE(FormatAmount(std::nan(""), ".").isEmpty());
}

TEST(NormalizeAmount, IsStableOnceNormalised)
{
    for (const char* text : {"12.5", "abc", "-0.004", "1e10", "2.675", "7"}) {
        const QString once = NormalizeAmount(QString::fromLatin1(text), ".").value();
        EXPECT_EQ(NormalizeAmount(once, ".").value(), once) << text;
    }
    EXPECT_FALSE(NormalizeAmount(u"1e400", ".").has_value());
}

} // namespace
