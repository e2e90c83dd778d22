#include "WindowFixture.h"

#include "windows/frmAddress.h"
#include "windows/frmEditar.h"

#include <QAccessible>

namespace tallimo {
using Accessibility = WindowTest;

// A screen reader names every control that takes the focus, in every window.
TEST_F(Accessibility, EveryFocusableControlHasAName) {
    open("Pan $2\r\n");
    for (QWidget* window : QList<QWidget*>{w, &frame->inicio(), &frame->system(), &frame->address(),
                                           &frame->editar()})
        for (QWidget* control : window->findChildren<QWidget*>()) {
            if (control->focusPolicy() == Qt::NoFocus || control->isWindow() ||
                control->parentWidget()->inherits("QAbstractScrollArea"))
                continue;
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(control);
            EXPECT_FALSE(a->text(QAccessible::Name).trimmed().isEmpty())
                << window->objectName().toStdString() << "/" << control->objectName().toStdString();
        }
}

} // namespace tallimo
