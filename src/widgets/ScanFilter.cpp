#include "widgets/ScanFilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace tallimo {

namespace {

// A character a barcode can hold, as a scanner types it: printable ASCII, no
// blank (Space acts in the fields), without Ctrl or Alt.
QChar codeCharacter(const QKeyEvent& key) {
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return {};
    const QString text = key.text();
    if (text.size() != 1 || text[0].unicode() <= 0x20 || text[0].unicode() >= 0x7F)
        return {};
    return text[0];
}

bool endsRun(const QKeyEvent& key) {
    const int k = key.key();
    return (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Tab) &&
           !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier));
}

// Shift and the like come with a scanner's capitals; alone they neither start nor break a run.
bool isModifierKey(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
           key == Qt::Key_Meta || key == Qt::Key_AltGr;
}

} // namespace

ScanFilter::ScanFilter(QWidget* window, const QList<QWidget*>& controls, int gapMs,
                       std::function<void(const QString& code)> onScan)
    : QObject(window), mControls(controls), mGapMs(std::clamp(gapMs, 1, kMaxGapMs)),
      mOnScan(std::move(onScan)) {
    mTimer.setSingleShot(true);
    mTimer.setTimerType(Qt::PreciseTimer);
    connect(&mTimer, &QTimer::timeout, this, &ScanFilter::timedOut);
    // Installed after the controls' own key handling, so it sees the keys first.
    for (QWidget* control : controls)
        control->installEventFilter(this);
}

ScanFilter::~ScanFilter() = default;

bool ScanFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event == mResent)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        return keyPress(static_cast<QWidget*>(watched), static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease:
        return keyRelease(static_cast<QKeyEvent*>(event));
    case QEvent::ShortcutOverride: {
        // A window shortcut (F9, F12) acts before its key press arrives: what was
        // typed before it acts first.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!mHeld.empty() && codeCharacter(*key).isNull() && !endsRun(*key) &&
            !isModifierKey(key->key()))
            flush();
        return false;
    }
    default:
        return false;
    }
}

bool ScanFilter::withinGap(const QKeyEvent& key) const {
    // Keys without a time (synthesised ones) are a person's: never part of a scan.
    if (key.timestamp() == 0 || mLastStamp == 0 || key.timestamp() < mLastStamp)
        return false;
    return key.timestamp() - mLastStamp <= ulong(mGapMs);
}

void ScanFilter::setTyping(bool on) {
    flush();
    mTyped = on ? std::optional<QString>(QString()) : std::nullopt;
}

bool ScanFilter::typedKey(const QKeyEvent& key) {
    const QChar c = codeCharacter(key);
    if (!c.isNull())
        *mTyped += c;
    else if (key.key() == Qt::Key_Backspace)
        mTyped->chop(1);
    else if (!endsRun(key) || mTyped->isEmpty())
        return false; // Escape and the rest act as ever
    mOwedReleases.append(key.key());
    if (endsRun(key))
        mOnScan(std::exchange(*mTyped, QString()));
    return true;
}

bool ScanFilter::keyPress(QWidget* control, QKeyEvent* key) {
    mOwedReleases.removeOne(key->key());
    if (mTyped && !isModifierKey(key->key()))
        return typedKey(*key);
    if (isModifierKey(key->key())) {
        if (mHeld.empty())
            return false;
        hold(control, *key);
        return true;
    }
    const QChar c = codeCharacter(*key);
    if (!c.isNull() && !key->isAutoRepeat() && key->timestamp() != 0) {
        if (mHeld.empty() || control != mRunTarget || !withinGap(*key)) {
            flush();
            mRunTarget = control;
        }
        hold(control, *key);
        mRun += c;
        mLastStamp = key->timestamp();
        mSinceLast.start();
        mTimer.start(mGapMs + 1);
        return true;
    }
    if (endsRun(*key) && !key->isAutoRepeat() && mRun.size() >= kMinRun && control == mRunTarget &&
        withinGap(*key)) {
        for (const Held& held : mHeld) {
            if (held.event->type() == QEvent::KeyPress)
                mOwedReleases.append(held.event->key());
            else
                mOwedReleases.removeOne(held.event->key());
        }
        mOwedReleases.append(key->key());
        const QString code = mRun;
        mHeld.clear(), mRun.clear(), mLastStamp = 0, mTimer.stop();
        mOnScan(code);
        return true;
    }
    return flush(control, key);
}

bool ScanFilter::keyRelease(QKeyEvent* key) {
    if (!key->isAutoRepeat() && mOwedReleases.removeOne(key->key()))
        return true;
    if (mHeld.empty())
        return false;
    hold(mRunTarget, *key); // with its press
    return true;
}

void ScanFilter::hold(QWidget* control, const QKeyEvent& key) {
    mHeld.push_back({control, std::unique_ptr<QKeyEvent>(static_cast<QKeyEvent*>(key.clone()))});
}

bool ScanFilter::flush(QWidget* control, QKeyEvent* key) {
    std::vector<Held> held;
    held.swap(mHeld);
    mRun.clear(), mLastStamp = 0, mTimer.stop();
    if (held.empty())
        return false;
    // A held letter may move the focus (B to the search field): the keys after
    // it go where the person's next keys would have gone.
    QWidget* focusBefore = QApplication::focusWidget();
    const auto target = [&](QWidget* meant) -> QWidget* {
        QWidget* now = QApplication::focusWidget();
        return now && now != focusBefore && mControls.contains(now) ? now : meant;
    };
    const QEvent* outer = mResent;
    for (Held& h : held) {
        QWidget* to = target(h.target);
        if (!to)
            continue;
        mResent = h.event.get();
        QCoreApplication::sendEvent(to, h.event.get());
    }
    mResent = outer;
    if (!key)
        return false;
    QWidget* to = target(control);
    if (to == control)
        return false;
    std::unique_ptr<QEvent> copy(key->clone());
    mResent = copy.get();
    QCoreApplication::sendEvent(to, copy.get());
    mResent = outer;
    return true;
}

void ScanFilter::timedOut() {
    // A timer that fires early leaves the rest of the gap to wait.
    const qint64 left = mGapMs + 1 - mSinceLast.elapsed();
    if (left > 0 && !mHeld.empty())
        mTimer.start(int(left));
    else
        flush();
}

} // namespace tallimo
