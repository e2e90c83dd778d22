#pragma once

#include <QObject>
#include <functional>

class QKeyEvent;
class QWidget;

namespace tallimo {

// Key codes of the key-down event.
enum KeyCode : int {
    kKeyBack = 8,
    kKeyTab = 9,
    kKeyReturn = 13,
    kKeyEscape = 27,
    kKeySpace = 32,
    kKeyPageUp = 33,
    kKeyPageDown = 34,
    kKeyEnd = 35,
    kKeyHome = 36,
    kKeyLeft = 37,
    kKeyUp = 38,
    kKeyRight = 39,
    kKeyDown = 40,
    kKeyInsert = 45,
    kKeyDelete = 46,
};

// The key code of a key-down event (Escape 27, Space 32, Delete 46, letters 65-90);
// 0 for a key that has none.
int keyCodeOf(const QKeyEvent& event);
// The character code of the key-press event that follows (Enter 13, letters,
// digits); 0 when the key types no character.
int charCodeOf(const QKeyEvent& event);

// Splits every keystroke on a widget into key down, then key press. A handler
// that sets the code to 0 consumes the keystroke: it reaches neither the later
// event nor the widget. Tab keeps its focus navigation. The focus handlers run
// only when the focus moves from one control of the window to another, not when a
// pop-up, a dialog or another window takes the keyboard and gives it back; they
// run after the widget's own focus-in handling, so a selection they make stands.
class KeyAdapter : public QObject {
    Q_OBJECT
  public:
    using KeyDown = std::function<void(int& keyCode, Qt::KeyboardModifiers shift)>;
    using KeyPress = std::function<void(int& charCode)>;
    using FocusGained = std::function<void()>;

    struct Handlers {
        KeyDown keyDown;
        KeyPress keyPress;
        FocusGained gotFocus;
        FocusGained lostFocus;
    };

    static KeyAdapter* install(QWidget* widget, Handlers handlers);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    KeyAdapter(QWidget* widget, Handlers handlers);
    bool focusIn(QObject* watched, QEvent* event);
    bool runFocusHandler(QObject* watched, QEvent* event, const FocusGained& handler);
    Handlers mHandlers;
    bool mInFocusEvent = false;
};

} // namespace tallimo
