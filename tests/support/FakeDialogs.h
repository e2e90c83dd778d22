#pragma once

#include "support/ShopDrive.h"

#include "widgets/Dialogs.h"
#include "widgets/Environment.h"

namespace tallimo::test {

// Answers the boxes from queues that the caller fills (`whenEmpty`, or Ok, once they are
// empty); records each box shown as "Icon: text", with " (Sí/No)" after the icon when it asks.
class FakeDialogs : public Dialogs {
  public:
    explicit FakeDialogs(Answer whenEmpty = Answer::Yes) : whenEmpty(whenEmpty) {}
    QStringList shown;
    QList<Answer> answers;
    QStringList inputAnswers;
    Answer whenEmpty;

    Answer message(QWidget*, const QString& text, Buttons buttons, Icon icon,
                   const QString&) override {
        const char* icons[] = {"Question", "Exclamation", "Information", "Critical"};
        shown.append(icons[int(icon)] + QString(buttons == Buttons::YesNo ? " (Sí/No)" : "") +
                     ": " + text);
        return buttons == Buttons::Ok ? Answer::Ok
               : answers.isEmpty()    ? whenEmpty
                                      : answers.takeFirst();
    }
    QString input(QWidget*, const QString&, const QString&, const QString&) override {
        return inputAnswers.isEmpty() ? QString() : inputAnswers.takeFirst();
    }
    void about(QWidget*, const QString&, const QString&, const QIcon&) override {}
};

// The shop's machine: its day, its cashier, and `locale` for the machine's.
inline Environment shopEnvironment(const QLocale& locale = shopLocale()) {
    return {[] { return shopDay(); }, locale, [] { return QString(kCashier); }};
}

} // namespace tallimo::test
