#pragma once

#include "support/Bytes.h"

#include <gtest/gtest.h>

#include <cctype>

namespace tallimo::test {

// Names on disk as the system compares them.
#ifdef _WIN32
inline constexpr Qt::CaseSensitivity kNameCase = Qt::CaseInsensitive;
#define TALLIMO_LINUX_ONLY(why) GTEST_SKIP() << "not on Windows: " << why
#else
inline constexpr Qt::CaseSensitivity kNameCase = Qt::CaseSensitive;
#define TALLIMO_LINUX_ONLY(why) (void)0
#endif

inline QByteArray golden(const QString& name) {
    return fileBytes(QStringLiteral(TALLIMO_TEST_DATA "/storage/") + name);
}

// Names a table's test after its row's `name`, so that one row can run alone:
// INSTANTIATE_TEST_SUITE_P(Rows, Suite, testing::ValuesIn(rows), RowName());
struct RowName {
    template <typename Row> std::string operator()(const testing::TestParamInfo<Row>& info) const {
        std::string name = info.param.name;
        for (char& c : name)
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    }
};

} // namespace tallimo::test

// Readable failure output for Qt values in gtest assertions.
inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << tallimo::test::printable(bytes);
}
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << tallimo::test::printable(text);
}
