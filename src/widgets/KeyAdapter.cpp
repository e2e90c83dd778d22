#include "widgets/KeyAdapter.h"

#include <QKeyEvent>
#include <QWidget>

namespace tallimo {

int keyCodeOf(const QKeyEvent& event) {
    const int key = event.key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return key; // 65-90, as the letters' upper-case codes
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return (event.modifiers() & Qt::KeypadModifier) ? 96 + (key - Qt::Key_0) : key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 112 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace:
        return kKeyBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return kKeyTab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kKeyReturn;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Escape:
        return kKeyEscape;
    case Qt::Key_Space:
        return kKeySpace;
    case Qt::Key_PageUp:
        return kKeyPageUp;
    case Qt::Key_PageDown:
        return kKeyPageDown;
    case Qt::Key_End:
        return kKeyEnd;
    case Qt::Key_Home:
        return kKeyHome;
    case Qt::Key_Left:
        return kKeyLeft;
    case Qt::Key_Up:
        return kKeyUp;
    case Qt::Key_Right:
        return kKeyRight;
    case Qt::Key_Down:
        return kKeyDown;
    case Qt::Key_Insert:
        return kKeyInsert;
    case Qt::Key_Delete:
        return kKeyDelete;
    default:
        return 0;
    }
}

int charCodeOf(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 0;
    default:
        break;
    }
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return 0; // shortcuts type nothing
    const QString text = event.text();
    if (text.isEmpty() || text.at(0).unicode() < 32 || text.at(0).unicode() == 127)
        return 0;
    return text.at(0).unicode();
}

KeyAdapter::KeyAdapter(QWidget* widget, Handlers handlers)
    : QObject(widget), mHandlers(std::move(handlers)) {}

KeyAdapter* KeyAdapter::install(QWidget* widget, Handlers handlers) {
    auto* adapter = new KeyAdapter(widget, std::move(handlers));
    widget->installEventFilter(adapter);
    return adapter;
}

bool KeyAdapter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            return false;
        int code = keyCodeOf(*key);
        if (code != 0 && mHandlers.keyDown) {
            mHandlers.keyDown(code, key->modifiers());
            if (code == 0)
                return true;
        }
        int character = charCodeOf(*key);
        if (character != 0 && mHandlers.keyPress) {
            mHandlers.keyPress(character);
            if (character == 0)
                return true;
        }
        return false;
    }
    case QEvent::ShortcutOverride:
        return false;
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        const auto& handler =
            event->type() == QEvent::FocusIn ? mHandlers.gotFocus : mHandlers.lostFocus;
        if (!handler || mInFocusEvent)
            return false;
        // Let the widget take the focus its own way first (a line edit selects all
        // on Tab), then run the handler so its selection is the one that stands.
        mInFocusEvent = true;
        watched->event(event);
        mInFocusEvent = false;
        handler();
        return true;
    }
    default:
        return false;
    }
}

} // namespace tallimo
