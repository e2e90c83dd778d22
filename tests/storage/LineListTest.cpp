#include "storage/LineList.h"
#include "storage/Codec.h"

#include <gtest/gtest.h>

#include <functional>

using namespace tallimo;
using namespace Qt::StringLiterals;

TEST(LineList, PrefixSearchFromTheTopWithoutRegardToCase) {
    LineList list;
    list.setLines({u"Agua $10"_s, u"Coco $25"_s, u"cola $15"_s, u"ÑAME $3"_s, u"Pan $5"_s});
    const struct {
        const char* name;
        QString prefix;
        int found;
    } rows[] = {
        {"other case", u"CO"_s, 1},          {"first of two from the top", u"c"_s, 1},
        {"longer prefix", u"coL"_s, 2},      {"accented letter", u"ñame"_s, 3},
        {"whole line", u"pan $5"_s, 4},      {"longer than the line", u"Pan $50"_s, -1},
        {"in the middle only", u"ua"_s, -1}, {"empty finds the first", QString(), 0},
    };
    for (const auto& row : rows)
        EXPECT_EQ(list.findPrefix(row.prefix), row.found) << row.name;

    // The keys follow every change after the first search.
    list.append(u"Zanahoria $7"_s);
    EXPECT_EQ(list.findPrefix(u"z"_s), 5);
    list.setLines({u"Uva $9"_s});
    EXPECT_EQ(list.findPrefix(u"agua"_s), -1);
    EXPECT_EQ(list.findPrefix(u"UVA"_s), 0);
    list.clear();
    EXPECT_EQ(list.findPrefix(QString()), -1);
}

// What is kept is always what encoding every line again would give.
TEST(LineList, KeptEncodingFollowsEveryChange) {
    LineList list;
    list.setLines({u"1 x Café de $10.00 = $10.00"_s});
    list.keepEncoded();
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"kept from the start", [] {}},
        {"added line", [&] { list.append(u"2 x Piñata € de $5.00 = $10.00"_s); }},
        {"replaced",
         [&] {
             list.setLines({u"a"_s, QString(), u"😀"_s});
         }},
        {"cleared", [&] { list.clear(); }},
        {"added to an empty list", [&] { list.append(u"Total $0.00"_s); }},
    };
    for (const auto& [name, step] : steps) {
        step();
        EXPECT_EQ(list.encoded(), encodeLines(list.lines())) << name;
    }
}
