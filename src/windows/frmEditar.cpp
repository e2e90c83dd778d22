#include "windows/frmEditar.h"

#include "storage/EditorText.h"
#include "widgets/SideWindow.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>

namespace tallimo {

frmEditar::frmEditar(Shared& shared) : SideWindow(shared) {
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
    txtEditar->setPlainText(editortext::toEditor(mShared.EditBuffer));
    txtEditar->moveCursor(QTextCursor::End);
}

void frmEditar::Form_Unload() {
    emit edited(editortext::splitItems(editedText()));
    mShared.EditBuffer.clear();
}

} // namespace tallimo
