#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QKeyEvent;
class QWidget;

namespace tallimo {

// Tells a barcode scanner's typing from a person's by the key events' own
// timestamps: a run of at least kMinRun characters, each within the gap of the
// one before, ended by Enter or Tab within the gap. The run's keys are held
// while that is undecided and handed on unchanged, in order, as soon as they
// cannot be a scan; a scan reaches `onScan` instead of the controls.
class ScanFilter : public QObject {
    Q_OBJECT
  public:
    static constexpr int kDefaultGapMs = 50, kMaxGapMs = 200, kMinRun = 6;
    // Watches the key events of `controls`; a scan goes to `onScan` instead of the controls.
    ScanFilter(QWidget* window, const QList<QWidget*>& controls, int gapMs,
               std::function<void(const QString& code)> onScan);
    ~ScanFilter() override;

    // While on, a code typed by hand (at any speed) and ended by Enter or Tab
    // counts as a scan too, and Backspace mends it: for teaching a code to a
    // product whose label no scanner reads.
    void setTyping(bool on);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Held {
        QPointer<QWidget> target;
        std::unique_ptr<QKeyEvent> event;
    };
    bool keyPress(QWidget* control, QKeyEvent* key);
    bool typedKey(const QKeyEvent& key);
    bool keyRelease(QKeyEvent* key);
    bool withinGap(const QKeyEvent& key) const;
    void hold(QWidget* control, const QKeyEvent& key);
    // Hands the held keys on; true when the focus moved to another control meanwhile,
    // where `key` (the key that ended the run) is then sent too.
    bool flush(QWidget* control = nullptr, QKeyEvent* key = nullptr);
    void timedOut();

    QList<QWidget*> mControls;
    int mGapMs;
    std::function<void(const QString&)> mOnScan;
    std::vector<Held> mHeld;
    QPointer<QWidget> mRunTarget;
    QString mRun;                  // the run's characters
    std::optional<QString> mTyped; // the code typed so far, while typing is on
    ulong mLastStamp = 0;
    QList<int> mOwedReleases; // keys of a scan whose releases are still to come
    const QEvent* mResent = nullptr;
    QTimer mTimer;
    QElapsedTimer mSinceLast;
};

} // namespace tallimo
