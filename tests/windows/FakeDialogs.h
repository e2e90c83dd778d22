#pragma once

#include "app/Dialogs.h"

#include <QList>
#include <QStringList>

namespace tallimo {

// Answers the boxes the windows ask, from queues the test fills; records what was shown.
class FakeDialogs : public Dialogs {
public:
    struct Shown {
        QString text;
        Buttons buttons;
        Icon icon;
        QString title;
    };
    QList<Shown> shown;
    QList<Answer> answers; // Yes (or Ok) when empty
    QStringList inputAnswers;
    QStringList inputPrompts;
    int aboutCount = 0;
    QString aboutApp, aboutOther;
    bool aboutHadIcon = false;

    Answer message(QWidget*, const QString& text, Buttons buttons, Icon icon,
                   const QString& title) override
    {
        shown.append({text, buttons, icon, title.isEmpty() ? QStringLiteral("Tallimo") : title});
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        return answers.isEmpty() ? Answer::Yes : answers.takeFirst();
    }
    QString input(QWidget*, const QString& title, const QString& prompt, const QString&) override
    {
        inputPrompts << title << prompt;
        return inputAnswers.isEmpty() ? QString() : inputAnswers.takeFirst();
    }
    void about(QWidget*, const QString& app, const QString& other, const QIcon& icon) override
    {
        ++aboutCount;
        aboutApp = app;
        aboutOther = other;
        aboutHadIcon = !icon.isNull();
    }
};

} // namespace tallimo
