#include "widgets/Dialogs.h"

#include "widgets/AboutBox.h"
#include "widgets/Identity.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace tallimo {

namespace {

QString titleOr(const QString& title) {
    return title.isEmpty() ? identity::kTitle : title;
}

QMessageBox::Icon boxIcon(Dialogs::Icon icon) {
    switch (icon) {
    case Dialogs::Icon::Question:
        return QMessageBox::Question;
    case Dialogs::Icon::Exclamation:
        return QMessageBox::Warning;
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    case Dialogs::Icon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

Dialogs::Answer QtDialogs::message(QWidget* parent, const QString& text, Buttons buttons, Icon icon,
                                   const QString& title) {
    QMessageBox box(
        boxIcon(icon), titleOr(title), text,
        buttons == Buttons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
    box.setDefaultButton(buttons == Buttons::YesNo ? QMessageBox::Yes : QMessageBox::Ok);
    const int answer = box.exec();
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return answer == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

QString QtDialogs::input(QWidget* parent, const QString& title, const QString& prompt,
                         const QString& defaultText) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? text : QString();
}

void QtDialogs::about(QWidget* parent, const QString& appText, const QString& otherText,
                      const QIcon& icon) {
    showAboutBox(parent, appText, otherText, icon);
}

} // namespace tallimo
