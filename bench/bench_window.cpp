// The sale window with a 100,000-line price list and a 10,000-line day: loading,
// one keystroke of search, the memory it takes, and one line with its durable save,
// each beside the bare file operation underneath; and one scan rung up and saved.
#include "InTurns.h"
#include "app/Frame.h"
#include "storage/Codec.h"
#include "support/FakeDialogs.h"
#include "support/ShopDrive.h"
#include "windows/frmBoxBasic.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace tallimo;
using namespace tallimo::test;

namespace {

// A 100,000-line price list on the desktop.
struct Drive : ShopDrive {
    Drive() { writePriceList(priceListLines(100000)); }
};

Drive& drive() {
    static Drive d;
    return d;
}

long residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

void BM_LoadSaleWindow(benchmark::State& state) {
    FakeDialogs dialogs(Dialogs::Answer::No);
    for (auto _ : state) {
        Frame frame(DriveRoot(drive().root()), dialogs, shopEnvironment());
        benchmark::DoNotOptimize(frame.boxBasic().List2->count());
    }
}
BENCHMARK(BM_LoadSaleWindow)->Unit(benchmark::kMillisecond);

void BM_BareReadAndSplit(benchmark::State& state) {
    for (auto _ : state) {
        QFile file(drive().desktop() + "/Lista.txt");
        file.open(QIODevice::ReadOnly);
        const QStringList lines = QString::fromLatin1(file.readAll()).split("\r\n");
        benchmark::DoNotOptimize(lines.size());
    }
}
BENCHMARK(BM_BareReadAndSplit)->Unit(benchmark::kMillisecond);

void BM_SearchKeystroke(benchmark::State& state) {
    FakeDialogs dialogs(Dialogs::Answer::No);
    Frame frame(DriveRoot(drive().root()), dialogs, shopEnvironment());
    frmBoxBasic& w = frame.boxBasic();
    w.txtDato4->setText("Pan dulce 9999"); // folds the keys once, as the first search does
    const QString prefixes[] = {"Pan dulce 99994", "Jab", "Pi\u00f1ata de colores 5000", "zz"};
    int i = 0;
    for (auto _ : state)
        w.txtDato4->setText(prefixes[i++ % 4]);
}
BENCHMARK(BM_SearchKeystroke)->Unit(benchmark::kMicrosecond);

void BM_ResidentMemory(benchmark::State& state) {
    FakeDialogs dialogs(Dialogs::Answer::No);
    const long before = residentKiB();
    Frame frame(DriveRoot(drive().root()), dialogs, shopEnvironment());
    frame.boxBasic().show();
    frame.boxBasic().txtDato4->setText("Pan");
    QApplication::processEvents();
    for (auto _ : state)
        benchmark::DoNotOptimize(frame.boxBasic().List2->count());
    state.counters["total_MB"] = double(residentKiB()) / 1024.0;
    state.counters["added_MB"] = double(residentKiB() - before) / 1024.0;
}
BENCHMARK(BM_ResidentMemory)->Iterations(1);

// A busy day: 10,000 lines, a total line after every four.
QStringList dayOf(int lines) {
    return salesDay({lines, 4, 100000});
}

void bareWriteAndFsync(const QByteArray& path, const QByteArray& bytes) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    benchmark::DoNotOptimize(::write(fd, bytes.constData(), size_t(bytes.size())));
    ::fsync(fd);
    ::close(fd);
}

// A line added to a 10,000-line day, with its durable save, and a bare
// write+fsync of the same bytes, taken in turns so that the disk's moods fall
// on both alike. Reported: the add's time, and the medians of both and their
// ratio as counters.
// The sale window over a 10,000-line day, and the bytes and place of a bare
// write of that day with one line more.
struct DayWindow {
    FakeDialogs dialogs{Dialogs::Answer::No};
    Frame frame{DriveRoot(drive().root()), dialogs, shopEnvironment()};
    frmBoxBasic& w = frame.boxBasic();
    const QStringList day = dayOf(10000);
    const QByteArray bytes = encodeLines(dayOf(10001)) + "\r\n";
    const QByteArray barePath = QFile::encodeName(drive().desktop() + "/bare.txt");
    DayWindow() { w.List1->setItems(day); }
};

void BM_AddLineBesideBareWrite(benchmark::State& state) {
    DayWindow d;
    auto& [dialogs, frame, w, day, bytes, barePath] = d;
    bench::inTurnsWithBare(
        state, "add",
        // The day stays within 1% of 10,000 lines without paying for a reset at every line.
        [&] {
            if (w.List1->count() >= 10100)
                w.List1->setItems(day);
        },
        [&] { w.ActFactura(); }, [&] { bareWriteAndFsync(barePath, bytes); });
}
BENCHMARK(BM_AddLineBesideBareWrite)->UseManualTime()->MinTime(3)->Unit(benchmark::kMillisecond);

// An EAN-13 with its check digit.
QString ean13(qint64 first12) {
    const QString digits = QString::number(first12).rightJustified(12, u'0');
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += digits[i].digitValue() * (i % 2 ? 3 : 1);
    return digits + QString::number((10 - sum % 10) % 10);
}

void sendKey(QWidget* to, QEvent::Type type, const QChar c, ulong stamp) {
    QKeyEvent event(type, c == u'\r' ? Qt::Key_Return : Qt::Key(c.unicode()), {}, QString(c));
    event.setTimestamp(stamp);
    QApplication::sendEvent(to, &event);
}

// A scan of the last product of the price list among 10,000 codes, from its
// last key (the Return that ends it) to the line on screen and saved, beside a
// bare write+fsync of the same day.
void BM_ScanBesideBareWrite(benchmark::State& state) {
    const QString codesFile = drive().desktop() + "/Codigos.txt";
    const QStringList list = priceListLines(100000);
    QStringList codes;
    for (int i = 0; i < 10000; ++i)
        codes << ean13(779000000000 + i) + ' ' + list[i * 10 + 9].section(" $", 0, 0);
    const QString code = codes.last().section(' ', 0, 0);
    writeBytes(codesFile, encodeLines(codes));
    DayWindow d; // after Codigos.txt, which the window reads as it loads
    auto& [dialogs, frame, w, day, bytes, barePath] = d;
    ulong stamp = 1000000;
    bench::inTurnsWithBare(
        state, "scan",
        [&] {
            sendKey(w.List2, QEvent::KeyRelease, u'\r', stamp); // the last scan's
            if (w.List1->count() >= 10100)
                w.List1->setItems(day);
            stamp += 1000;
            for (const QChar c : code) {
                sendKey(w.List2, QEvent::KeyPress, c, stamp += 8);
                sendKey(w.List2, QEvent::KeyRelease, c, stamp);
            }
        },
        [&] { sendKey(w.List2, QEvent::KeyPress, u'\r', stamp += 8); },
        [&] { bareWriteAndFsync(barePath, bytes); });
    if (w.List1->count() <= day.size() || !dialogs.shown.isEmpty())
        state.SkipWithError("the scan rang nothing up");
    QFile::remove(codesFile);
}
BENCHMARK(BM_ScanBesideBareWrite)->UseManualTime()->MinTime(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return tallimo::bench::runWithWindows(argc, argv);
}
