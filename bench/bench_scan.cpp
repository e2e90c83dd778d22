// What the scanner's filter costs a person: the time a single typed key waits
// before it reaches its control (the pause a scanner may leave, plus the
// timer's lateness), beside the same key delivered to a control without it.
#include "InTurns.h"
#include "widgets/ScanFilter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <benchmark/benchmark.h>

#include <chrono>

using namespace tallimo;

namespace {

// Counts the key presses its control receives.
struct Arrivals : QObject {
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::KeyPress;
        return false;
    }
};

// One digit, stamped as a keyboard would, then the event loop until it arrives.
void typeAndWait(QWidget* control, Arrivals& arrivals, ulong at) {
    const int before = arrivals.count;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_7, {}, QStringLiteral("7"));
    press.setTimestamp(at);
    QCoreApplication::sendEvent(control, &press);
    while (arrivals.count == before)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void BM_HeldKeyBesideDirect(benchmark::State& state) {
    const int gap = int(state.range(0));
    QWidget window;
    auto* filtered = new QLineEdit(&window);
    auto* direct = new QLineEdit(&window);
    Arrivals filteredArrivals, directArrivals;
    filtered->installEventFilter(&filteredArrivals);
    direct->installEventFilter(&directArrivals);
    new ScanFilter(&window, {filtered}, gap, [](const QString&) {});
    ulong at = 1000;
    double worst = 0;
    using Clock = std::chrono::steady_clock;
    tallimo::bench::inTurnsWithBare(
        state, "held", [&] { at += 1000; },
        [&] {
            const auto t0 = Clock::now();
            typeAndWait(filtered, filteredArrivals, at);
            worst = std::max(worst,
                             std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
        },
        [&] { typeAndWait(direct, directArrivals, at); });
    state.counters["held_max_ms"] = worst;
    state.counters["limit_ms"] = gap + 5;
}
BENCHMARK(BM_HeldKeyBesideDirect)
    ->Arg(ScanFilter::kDefaultGapMs)
    ->Arg(ScanFilter::kMaxGapMs)
    ->UseManualTime()
    ->Iterations(100)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return tallimo::bench::runWithWindows(argc, argv);
}
