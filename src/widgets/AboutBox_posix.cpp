#include "widgets/AboutBox.h"

#include <QMessageBox>

namespace tallimo {

void showAboutBox(QWidget* parent, const QString& appText, const QString& otherText,
                  const QIcon& icon) {
    QMessageBox box(parent);
    box.setWindowTitle(QStringLiteral("Acerca de ") + appText);
    box.setText(QStringLiteral("<b>%1</b>").arg(appText.toHtmlEscaped()));
    box.setInformativeText(
        otherText.toHtmlEscaped().replace(QStringLiteral("\r\n"), QStringLiteral("<br>")));
    box.setIconPixmap(icon.pixmap(48, 48));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

} // namespace tallimo
