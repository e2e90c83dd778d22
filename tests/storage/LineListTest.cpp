#include "storage/LineList.h"
#include "storage/Codec.h"

#include <gtest/gtest.h>

using namespace tallimo;
using namespace Qt::StringLiterals;

TEST(LineList, PrefixSearchFromTheTopWithoutRegardToCase) {
    LineList list;
    list.setLines({u"Agua $10"_s, u"Coco $25"_s, u"cola $15"_s, u"ÑAME $3"_s});
    const std::tuple<const char*, QString, int> rows[] = {
        {"other case", u"CO"_s, 1},   {"first of two from the top", u"c"_s, 1},
        {"accent", u"ñame"_s, 3},     {"longer than the line", u"Agua $100"_s, -1},
        {"inside only", u"ua"_s, -1}, {"empty finds the first", QString(), 0},
    };
    for (const auto& [name, prefix, found] : rows)
        EXPECT_EQ(list.findPrefix(prefix), found) << name;
    list.append(u"Zanahoria $7"_s); // the keys follow every change after a search
    EXPECT_EQ(list.findPrefix(u"z"_s), 4);
    list.setLines({u"Uva $9"_s});
    EXPECT_EQ(list.findPrefix(u"agua"_s), -1);
}

// What is kept is always what encoding every line again gives.
TEST(LineList, KeptEncodingFollowsEveryChange) {
    LineList list;
    list.setLines({u"1 x Café de $10.00 = $10.00"_s});
    list.keepEncoded();
    list.append(u"2 x Piñata € de $5.00 = $10.00"_s);
    EXPECT_EQ(list.encoded(), encodeLines(list.lines())) << "added";
    list.setLines({u"a"_s, QString(), u"😀"_s});
    EXPECT_EQ(list.encoded(), encodeLines(list.lines())) << "replaced";
    list.clear();
    list.append(u"Total $0.00"_s);
    EXPECT_EQ(list.encoded(), "Total $0.00\r\n") << "cleared, then added";
}
