#include "windows/frmEditar.h"

#include "app/Frame.h"
#include "storage/EditorText.h"
#include "widgets/SideWindow.h"
#include "windows/frmBoxBasic.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>

namespace tallimo {

frmEditar::frmEditar(Frame& frame) : QWidget(nullptr), mFrame(frame) {
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
}

void frmEditar::buildControls() {
    sidewindow::setUp(this, "frmEditar", QStringLiteral("EDITANDO:"), 9375, 6240);
    // Not centred: the client area's top-left corner at its designer place.
    const QPoint screenOrigin = QGuiApplication::primaryScreen()
                                    ? QGuiApplication::primaryScreen()->geometry().topLeft()
                                    : QPoint();
    setGeometry(QRect(screenOrigin + QPoint(twips(2550), twips(2055)), size()));

    txtEditar = new QPlainTextEdit(this);
    txtEditar->setObjectName(QStringLiteral("txtEditar"));
    txtEditar->setAccessibleName(QStringLiteral("Texto de la lista"));
    txtEditar->setGeometry(rect()); // fills the client area
    txtEditar->setFont(designFont(QStringLiteral("Microsoft Sans Serif"), 15.75));
    QPalette p = txtEditar->palette();
    p.setColor(QPalette::Base, QColor(0, 192, 0));
    txtEditar->setPalette(p);
    // Long lines wrap, as in the original box with only a vertical scroll bar:
    // a long invoice or total line stays in view without scrolling sideways.
    txtEditar->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtEditar->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    txtEditar->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtEditar->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtEditar->setTabChangesFocus(true); // a tab in an item would only confuse the list
    txtEditar->setFocus();
}

QString frmEditar::editedText() const {
    // The raw text keeps what plain text would change (a no-break space turns
    // into a space there).
    return editortext::fromEditor(txtEditar->document()->toRawText());
}

void frmEditar::Form_Load() {
    frmBoxBasic& box = mFrame.boxBasic();
    box.setEnabled(false);
    new sidewindow::StayInFront(this, &box);
    txtEditar->setPlainText(editortext::toEditor(mFrame.EditBuffer));
    txtEditar->moveCursor(QTextCursor::End);
}

void frmEditar::Form_Unload() {
    // The sale window is only gone when the program ends; it is not loaded
    // again just to receive the text.
    frmBoxBasic* box = mFrame.isBoxBasicLoaded() ? &mFrame.boxBasic() : nullptr;
    const bool history = mFrame.EditTarget == 0;
    if (box) {
        (history ? box->List1 : box->List2)->setItems(editortext::splitItems(editedText()));
        if (history)
            box->BSave(); // the edited history reaches the day's file at once
    }
    mFrame.EditBuffer.clear();
    if (box)
        box->setEnabled(true);
}

void frmEditar::closeEvent(QCloseEvent* event) {
    if (!mFrame.isEnding() && !mUnloaded)
        Form_Unload();
    mUnloaded = true;
    event->accept();
    mFrame.windowUnloaded(this);
}

} // namespace tallimo
