#include "widgets/ScanFilter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace tallimo {

namespace {

// Type, key, text, auto-repeated, timestamp.
using Key = std::tuple<QEvent::Type, int, QString, bool, ulong>;
using Keys = std::vector<Key>;

// Each character pressed `step` ms after the one before (Enter "\r", Tab "\t") and released
// 2 ms later; a blank is a pause of a second; a character repeated is a key held down, let go
// and pressed again by the system's auto-repeat.
Keys typed(const char* text, ulong step, ulong from = 1000) {
    Keys keys;
    for (ulong at = from; *text; at += *text++ == ' ' ? 1000 : step) {
        const QChar c(*text);
        const int key = c == '\r' ? Qt::Key_Return : c == '\t' ? int(Qt::Key_Tab) : c.unicode();
        const bool again = text[1] == *text, repeated = !keys.empty() && std::get<3>(keys.back());
        if (c != ' ')
            keys.insert(keys.end(),
                        {{QEvent::KeyPress, key, c, repeated, at},
                         {QEvent::KeyRelease, key, c, again, at ? at + (again ? step : 2) : 0}});
    }
    return keys;
}

// What reaches the control after the filter.
struct Recorder : QObject {
    Keys keys;
    bool eventFilter(QObject*, QEvent* event) override {
        if (const auto* k = dynamic_cast<QKeyEvent*>(event);
            k && k->type() != QEvent::ShortcutOverride)
            keys.emplace_back(k->type(), k->key(), k->text(), k->isAutoRepeat(), k->timestamp());
        return false;
    }
};

// scan "": none, and every key handed on; else handedOn: the first keys, handed on as they came.
struct Row {
    const char* name;
    int gap;
    Keys keys;
    const char* scan;
    size_t handedOn = 0;
};
const Row kRows[] = {
    {"Ean13At8ms", 50, typed("7501234567892\r", 8), "7501234567892"},
    {"EndedByTab", 50, typed("ABC-123\t", 5), "ABC-123"},
    {"BluetoothAt120msPausa150", 150, typed("7501234567892\r", 120), "7501234567892"},
    {"PersonAt150ms", 50, typed("123456\r", 150), ""},
    {"TwoThenEnterWithin20ms", 50, typed("2\r", 20), ""},
    {"FiveFastDigitsThenEnter", 50, typed("12345\r", 8), ""},
    {"FastRunWithoutEnter", 50, typed("7501234567892", 8), ""},
    {"EnterAfterTheGap", 50, typed("750123456789 \r", 8), ""},
    {"KeyNotInCodesBreaksTheRun", 50, typed("123\b4567\r", 8), ""},
    {"HeldDownKeyRepeating", 50, typed("77777777\r", 33), ""},
    {"LetterBByAPerson", 50, typed("B", 0), ""},
    {"WithoutTimestamps", 50, typed("7501234567892\r", 0, 0), ""},
    {"PersonsDigitThenScan", 50, typed("1 7501234567892\r", 8), "7501234567892", 2},
};

class ScanRows : public testing::TestWithParam<Row> {};

TEST_P(ScanRows, HandOnOrSwallow) {
    const Row& row = GetParam();
    QWidget window;
    auto* control = new QLineEdit(&window);
    Recorder recorder;
    control->installEventFilter(&recorder);
    QStringList scans;
    new ScanFilter(&window, {control}, row.gap, [&](const QString& code) { scans << code; });
    for (const auto& [type, key, text, repeat, at] : row.keys) {
        QKeyEvent event(type, key, {}, text, repeat);
        event.setTimestamp(at);
        QCoreApplication::sendEvent(control, &event);
    }
    QTest::qWait(row.gap + 30); // a person's last keys are handed on by then
    const size_t n = *row.scan ? row.handedOn : row.keys.size();
    EXPECT_EQ(recorder.keys, Keys(row.keys.begin(), row.keys.begin() + n));
    EXPECT_EQ(scans, *row.scan ? QStringList{row.scan} : QStringList{});
}
INSTANTIATE_TEST_SUITE_P(Rows, ScanRows, testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace

} // namespace tallimo
