#pragma once

#include <QIcon>
#include <QString>

class QWidget;

namespace tallimo {

// The system's About box where it has one (Windows' ShellAboutW), else a modal
// box like it: the application text, the second text's lines and the icon.
void showAboutBox(QWidget* parent, const QString& appText, const QString& otherText,
                  const QIcon& icon);

} // namespace tallimo
