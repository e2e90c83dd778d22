#pragma once

#include <QIcon>
#include <QString>

class QWidget;

namespace tallimo {

// The modal boxes the windows ask through, so that tests can answer them.
class Dialogs {
  public:
    enum class Icon { Question, Exclamation, Information, Critical };
    enum class Buttons { Ok, YesNo };
    enum class Answer { Ok, Yes, No };

    virtual ~Dialogs() = default;
    // Titled "Tallimo" when no title is given; Yes is the default of Yes/No.
    virtual Answer message(QWidget* parent, const QString& text, Buttons buttons, Icon icon,
                           const QString& title = QString()) = 0;
    // The text typed, or the empty text when cancelled.
    virtual QString input(QWidget* parent, const QString& title, const QString& prompt,
                          const QString& defaultText) = 0;
    // The application text, the second text's lines and the window's icon.
    virtual void about(QWidget* parent, const QString& appText, const QString& otherText,
                       const QIcon& icon) = 0;
};

class QtDialogs : public Dialogs {
  public:
    Answer message(QWidget* parent, const QString& text, Buttons buttons, Icon icon,
                   const QString& title) override;
    QString input(QWidget* parent, const QString& title, const QString& prompt,
                  const QString& defaultText) override;
    void about(QWidget* parent, const QString& appText, const QString& otherText,
               const QIcon& icon) override;
};

} // namespace tallimo
