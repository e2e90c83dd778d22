// Telling a UTF-8 price list from a Windows-1252 one, and reading its lines: the
// hand-written UTF-8 check and decoder the codec once had, beside Qt's
// QStringDecoder (which the codec uses now), on the same 100,000 lines in both
// encodings, taken in turns with a bare widening of the same bytes. Writing
// them: the codec's encoder beside a bare narrowing.
#include "storage/Codec.h"
#include "support/ShopDrive.h"

#include <QStringDecoder>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <ctime>
#include <functional>
#include <string>
#include <utility>
#include <vector>

using namespace tallimo;
using namespace Qt::StringLiterals;

namespace {

// The list as bench_window writes it, in the encoding asked for.
const QByteArray& priceList(bool utf8) {
    static const QStringList lines = test::priceListLines(100000);
    static const QByteArray legacy = encodeLines(lines);
    static const QByteArray modern = lines.join(u"\r\n"_s).toUtf8() + "\r\n";
    return utf8 ? modern : legacy;
}

// The hand-written check, as the codec had it: well-formed UTF-8 (no overlong
// form, no surrogate, nothing above U+10FFFF) holding some non-ASCII byte.
bool handWrittenIsUtf8(QByteArrayView bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    bool nonAscii = false;
    while (p < end) {
        if (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, 8);
            if ((word & 0x8080808080808080ULL) == 0) {
                p += 8;
                continue;
            }
        }
        const unsigned char b = *p;
        if (b < 0x80) {
            ++p;
            continue;
        }
        nonAscii = true;
        int extra;
        unsigned char lo = 0x80, hi = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            extra = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            extra = 2;
            lo = b == 0xE0 ? 0xA0 : lo;
            hi = b == 0xED ? 0x9F : hi;
        } else if (b >= 0xF0 && b <= 0xF4) {
            extra = 3;
            lo = b == 0xF0 ? 0x90 : lo;
            hi = b == 0xF4 ? 0x8F : hi;
        } else {
            return false;
        }
        if (end - p <= extra || p[1] < lo || p[1] > hi)
            return false;
        for (int k = 2; k <= extra; ++k) {
            if ((p[k] & 0xC0) != 0x80)
                return false;
        }
        p += extra + 1;
    }
    return nonAscii;
}

// Its decoder of bytes already checked.
QString handWrittenDecode(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* const begin = reinterpret_cast<char16_t*>(text.data());
    char16_t* dst = begin;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        const unsigned b = *p;
        if (b < 0x80) {
            *dst++ = char16_t(b);
            p += 1;
        } else if (b < 0xE0) {
            *dst++ = char16_t(((b & 0x1F) << 6) | (p[1] & 0x3F));
            p += 2;
        } else if (b < 0xF0) {
            *dst++ = char16_t(((b & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
            p += 3;
        } else {
            const char32_t c =
                ((b & 0x07) << 18) | ((p[1] & 0x3F) << 12) | ((p[2] & 0x3F) << 6) | (p[3] & 0x3F);
            *dst++ = char16_t(0xD800 + ((c - 0x10000) >> 10));
            *dst++ = char16_t(0xDC00 + ((c - 0x10000) & 0x3FF));
            p += 4;
        }
    }
    text.resize(dst - begin);
    return text;
}

// The lines cut by the codec's rules (CR LF, LF, a lone CR), as it cuts them.
template <typename OnLine> void forEachCrLfLine(QByteArrayView bytes, OnLine onLine) {
    const char* p = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype pos = 0;
    qsizetype lf = -1;
    while (pos < n) {
        if (lf < pos) {
            const void* found = std::memchr(p + pos, '\n', size_t(n - pos));
            lf = found ? static_cast<const char*>(found) - p : n;
        }
        const void* cr = std::memchr(p + pos, '\r', size_t(lf - pos));
        const qsizetype at = cr ? static_cast<const char*>(cr) - p : lf;
        if (!onLine(bytes.sliced(pos, at - pos)))
            return;
        pos = !cr || at + 1 == lf ? lf + 1 : at + 1;
    }
}

// The whole list read the hand-written way: check it all, then decode each line.
QStringList handWrittenLines(QByteArrayView bytes) {
    QStringList lines;
    const bool utf8 = handWrittenIsUtf8(bytes);
    forEachCrLfLine(bytes, [&](QByteArrayView line) {
        lines.append(utf8 ? handWrittenDecode(line) : decodeWindows1252(line));
        return true;
    });
    return lines;
}

// The check by Qt's decoder over the whole buffer, which goes on after an error.
bool qtIsUtf8(QByteArrayView bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    return !utf8.hasError() && text.size() < bytes.size();
}

// The check by Qt's decoder a line at a time, stopping at the first error, as
// the codec reads a list.
bool qtIsUtf8ByLine(QByteArrayView bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    bool nonAscii = false;
    forEachCrLfLine(bytes, [&](QByteArrayView line) {
        nonAscii |= QString(utf8(line)).size() < line.size();
        return !utf8.hasError();
    });
    return !utf8.hasError() && nonAscii;
}

// The thread's own processor time, which other programs on the machine do not add to.
double cpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Every step and the bare one in turn, each iteration starting one further along
// so that none always follows the same one; the median processor time of each
// in ms, and its ratio to the bare one's.
void inTurns(benchmark::State& state,
             std::vector<std::pair<std::string, std::function<void()>>> steps,
             const std::function<void()>& bare) {
    steps.emplace_back("bare", bare);
    std::vector<std::vector<double>> times(steps.size());
    std::size_t first = 0;
    for (auto _ : state) {
        for (std::size_t k = 0; k < steps.size(); ++k) {
            const std::size_t i = (first + k) % steps.size();
            const double start = cpuMs();
            steps[i].second();
            times[i].push_back(cpuMs() - start);
        }
        ++first;
    }
    const auto median = [](std::vector<double> v) {
        std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
        return v[v.size() / 2];
    };
    const double bareMs = median(times.back());
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const double ms = median(times[i]);
        state.counters[steps[i].first + "_ms"] = ms;
        if (i + 1 < steps.size())
            state.counters[steps[i].first + "_x_bare"] = ms / bareMs;
    }
}

// What any reader pays: the bytes widened to UTF-16, unchecked.
void bareWiden(QByteArrayView bytes) {
    benchmark::DoNotOptimize(QString::fromLatin1(bytes));
}

void BM_CheckUtf8(benchmark::State& state) {
    const QByteArray& bytes = priceList(state.range(0) != 0);
    if (handWrittenIsUtf8(bytes) != (state.range(0) != 0) ||
        qtIsUtf8(bytes) != handWrittenIsUtf8(bytes))
        state.SkipWithError("a check tells the encodings apart wrongly");
    inTurns(state,
            {{"handwritten", [&] { benchmark::DoNotOptimize(handWrittenIsUtf8(bytes)); }},
             {"qt", [&] { benchmark::DoNotOptimize(qtIsUtf8(bytes)); }},
             {"qt_by_line", [&] { benchmark::DoNotOptimize(qtIsUtf8ByLine(bytes)); }}},
            [&] { bareWiden(bytes); });
}
BENCHMARK(BM_CheckUtf8)->ArgName("utf8")->Arg(0)->Arg(1)->MinTime(2)->Unit(benchmark::kMillisecond);

void BM_DecodeLines(benchmark::State& state) {
    const QByteArray& bytes = priceList(state.range(0) != 0);
    const QStringList expected = decodeLines(bytes);
    if (handWrittenLines(bytes) != expected)
        state.SkipWithError("lines differ from the codec's");
    inTurns(state,
            {{"handwritten", [&] { benchmark::DoNotOptimize(handWrittenLines(bytes)); }},
             {"codec", [&] { benchmark::DoNotOptimize(decodeLines(bytes)); }}},
            [&] { benchmark::DoNotOptimize(QString::fromLatin1(bytes).split(u"\r\n"_s)); });
}
BENCHMARK(BM_DecodeLines)
    ->ArgName("utf8")
    ->Arg(0)
    ->Arg(1)
    ->MinTime(3)
    ->Unit(benchmark::kMillisecond);

// Plain lines, and lines that each hold a character Windows-1252 lacks ("€" has a byte).
void BM_EncodeLines(benchmark::State& state) {
    QStringList lines = test::priceListLines(100000);
    if (state.range(0) != 0) {
        for (QString& line : lines)
            line += u" \u2713"_s;
    }
    inTurns(state, {{"codec", [&] { benchmark::DoNotOptimize(encodeLines(lines)); }}}, [&] {
        for (const QString& line : lines)
            benchmark::DoNotOptimize(line.toLatin1());
    });
}
BENCHMARK(BM_EncodeLines)
    ->ArgName("above_ff")
    ->Arg(0)
    ->Arg(1)
    ->MinTime(2)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
