#include "WindowFixture.h"

#include "windows/frmAddress.h"
#include "windows/frmEditar.h"

#include <QAccessible>

namespace tallimo {
namespace {

QString nameOf(QObject* object) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(object);
    return a ? a->text(QAccessible::Name) : QString();
}

using Accessibility = WindowTest;

// A screen reader names every control that takes the focus, in every window.
TEST_F(Accessibility, EveryFocusableControlHasAName) {
    open("Pan $2\r\n");
    for (QWidget* window : QList<QWidget*>{w, &frame->inicio(), &frame->system(), &frame->address(),
                                           &frame->editar()})
        for (QWidget* control : window->findChildren<QWidget*>()) {
            if (control->focusPolicy() == Qt::NoFocus || control->isWindow() ||
                qobject_cast<QWidget*>(control->parent())->inherits("QAbstractScrollArea"))
                continue;
            EXPECT_FALSE(nameOf(control).trimmed().isEmpty())
                << window->objectName().toStdString() << "/" << control->objectName().toStdString();
        }
    EXPECT_EQ(nameOf(w->txtDato1), "Cantidad");
}

// The label buttons are buttons to a screen reader, and its press clicks them; other labels stay
// text.
TEST_F(Accessibility, LabelButtonsCanBePressed) {
    open();
    for (Label* label : {w->lblAbout, w->lblReset, w->lblMoney[0], w->lblMoney[3]}) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(label);
        EXPECT_EQ(a->role(), QAccessible::Button) << label->objectName().toStdString();
        ASSERT_TRUE(a->actionInterface());
        EXPECT_TRUE(a->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
    }
    QAccessible::queryAccessibleInterface(w->lblAbout)
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(dialogs.aboutCount, 1);
    EXPECT_NE(QAccessible::queryAccessibleInterface(w->lblTip)->role(), QAccessible::Button);
}

} // namespace
} // namespace tallimo
