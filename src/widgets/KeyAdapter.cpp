#include "widgets/KeyAdapter.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>
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

namespace {

// Which adapted control of a window holds the focus as its handlers see it.
class FocusHolder : public QObject {
  public:
    using QObject::QObject;
    QPointer<KeyAdapter> current;

    static FocusHolder* of(QWidget* control) {
        // Found by name: without a meta-object of its own a cast cannot tell it apart.
        const QString name = QStringLiteral("tallimoFocusHolder");
        QWidget* window = control->window();
        if (QObject* found = window->findChild<QObject*>(name, Qt::FindDirectChildrenOnly))
            return static_cast<FocusHolder*>(found);
        auto* holder = new FocusHolder(window);
        holder->setObjectName(name);
        return holder;
    }
};

} // namespace

KeyAdapter::KeyAdapter(QWidget* widget, Handlers handlers)
    : QObject(widget), mHandlers(std::move(handlers)) {}

KeyAdapter* KeyAdapter::install(QWidget* widget, Handlers handlers) {
    auto* adapter = new KeyAdapter(widget, std::move(handlers));
    widget->installEventFilter(adapter);
    return adapter;
}

bool KeyAdapter::focusIn(QObject* watched, QEvent* event) {
    FocusHolder* holder = FocusHolder::of(static_cast<QWidget*>(watched));
    const QPointer<KeyAdapter> before = holder->current;
    holder->current = this;
    if (before == this)
        return false; // the focus came back: it never moved between controls
    if (before && before->mHandlers.lostFocus)
        before->mHandlers.lostFocus(); // its leaving was put off until now
    return runFocusHandler(watched, event, mHandlers.gotFocus);
}

bool KeyAdapter::runFocusHandler(QObject* watched, QEvent* event, const FocusGained& handler) {
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
        return focusIn(watched, event);
    case QEvent::FocusOut: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // A pop-up, a dialog or another program takes the keyboard for a while:
        // the control keeps the focus as far as the handlers are concerned.
        if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
            return false;
        FocusHolder* holder = FocusHolder::of(static_cast<QWidget*>(watched));
        if (holder->current == this)
            holder->current = nullptr;
        return runFocusHandler(watched, event, mHandlers.lostFocus);
    }
    default:
        return false;
    }
}

} // namespace tallimo
