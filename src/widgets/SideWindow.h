#pragma once

#include "widgets/Artwork.h"
#include "widgets/Controls.h"
#include "widgets/Form.h"

#include <QEvent>
#include <QMetaObject>
#include <QWidget>

// What the address window and the editor share: a green window with a fixed
// single border and no minimise or maximise button, the program icon, and a
// place above the sale window they disable.
namespace tallimo::sidewindow {

inline void setUp(QWidget* window, const char* name, const QString& caption, int clientWidth,
                  int clientHeight) {
    window->setObjectName(QString::fromLatin1(name));
    window->setWindowTitle(caption);
    window->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint);
    window->setWindowIcon(programIcon());
    fillBackground(window, QColor(0, 128, 0));
    window->setFixedSize(twips(clientWidth), twips(clientHeight));
}

// Brings the side window forward whenever the disabled window it belongs to is
// activated: a disabled window took no activation where the program comes from,
// but a window manager here gives it one on a click and would bury the side
// window behind it.
class StayInFront : public QObject {
  public:
    StayInFront(QWidget* side, QWidget* owner) : QObject(side), mSide(side) {
        owner->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowActivate && !static_cast<QWidget*>(watched)->isEnabled())
            QMetaObject::invokeMethod(
                mSide,
                [side = mSide] {
                    if (side->isVisible()) {
                        side->setWindowState(side->windowState() & ~Qt::WindowMinimized);
                        side->raise();
                        side->activateWindow();
                    }
                },
                Qt::QueuedConnection);
        return false;
    }

  private:
    QWidget* mSide;
};

} // namespace tallimo::sidewindow

namespace tallimo {

// A window that belongs to another: while it is loaded the other is disabled
// and cannot bury it.
class SideWindow : public Form {
  public:
    using Form::Form;
    // Before the load handler runs.
    void holdOwner(QWidget* owner) {
        owner->setEnabled(false);
        new sidewindow::StayInFront(this, owner);
        connect(this, &Form::unloaded, owner, [owner] { owner->setEnabled(true); });
    }
};

} // namespace tallimo
