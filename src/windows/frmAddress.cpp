#include "windows/frmAddress.h"

#include "storage/Paths.h"
#include "storage/PriceList.h"
#include "widgets/Dialogs.h"
#include "widgets/KeyAdapter.h"
#include "widgets/SideWindow.h"

namespace tallimo {

namespace {

const QColor kPressed(192, 255, 192);
const QColor kNormal(128, 255, 128);

} // namespace

frmAddress::frmAddress(Shared& shared) : SideWindow(shared) {
    buildControls();
    connectHandlers();
}

void frmAddress::buildControls() {
    sidewindow::setUp(this, "frmAddress",
                      QStringLiteral("Introduzca la dirección en donde se encuentra el archivo:"),
                      10335, 630);
    centreOnScreen(this);

    const QFont font = designFont(QStringLiteral("MS Sans Serif"), 13.5);
    txtAddress = new TextBox(this);
    txtAddress->setObjectName(QStringLiteral("txtAddress"));
    txtAddress->setGeometry(twipsRect(120, 120, 8775, 375));
    txtAddress->setFont(font);
    QPalette p = txtAddress->palette();
    p.setColor(QPalette::Text, Qt::black);
    p.setColor(QPalette::Base, kNormal);
    txtAddress->setPalette(p);
    txtAddress->setText(QStringLiteral("C:\\Users\\Usuario\\Desktop"));

    lblChange = new Label(this);
    lblChange->setObjectName(QStringLiteral("lblChange"));
    lblChange->setGeometry(twipsRect(9000, 120, 1215, 375));
    lblChange->setText(QStringLiteral("Cambiar"));
    lblChange->setFont(font);
    lblChange->setForeColor(Qt::black);
    lblChange->setBackColor(kNormal);
    lblChange->setAlignment(topAligned(Qt::AlignHCenter));
    lblChange->setTextFormat(Qt::PlainText);
    lblChange->setButton(QStringLiteral("Cambiar"));
    txtAddress->setAccessibleName(QString::fromUtf8("Dirección de la carpeta"));

    Usuario = new Label(this);
    Usuario->setObjectName(QStringLiteral("Usuario"));
    Usuario->setGeometry(twipsRect(120, 0, 855, 135));
    Usuario->setBackColor(kPressed);
    Usuario->hide();

    txtAddress->setFocus(); // the first in tab order; the labels take no focus
}

void frmAddress::connectHandlers() {
    KeyAdapter::install(txtAddress, {{}, [this](int& k) { txtAddress_KeyPress(k); }, {}, {}});
    connect(lblChange, &Label::clicked, this, &frmAddress::lblChange_Click);
    connect(lblChange, &Label::mouseDown, this, &frmAddress::lblChange_MouseDown);
    connect(lblChange, &Label::mouseUp, this, &frmAddress::lblChange_MouseUp);
}

void frmAddress::Form_Load() {
    Usuario->setText(mShared.environment().userName());
    txtAddress->setText(paths::proposedAddress(Usuario->text()));
    txtAddress->selectFromStart(int(txtAddress->text().size()));
}

void frmAddress::BChange() {
    const auto local = mShared.localPath(paths::addressFilePath(txtAddress->text()));
    const auto items = local ? readPriceList(*local) : std::nullopt;
    if (!items) {
        mShared.dialogs().message(this,
                                  QStringLiteral("La dirección no es válida, intente nuevamente."),
                                  Dialogs::Buttons::Ok, Dialogs::Icon::Critical);
        return;
    }
    emit listLoaded(*items);
    mShared.dialogs().message(this,
                              QStringLiteral("La dirección es válida, pero recuerde que el acceso "
                                             "a esta dirección es solamente temporal."),
                              Dialogs::Buttons::Ok, Dialogs::Icon::Information);
    close();
}

void frmAddress::txtAddress_KeyPress(int& keyAscii) {
    if (keyAscii != kKeyReturn)
        return;
    BChange();
    keyAscii = 0;
}

void frmAddress::lblChange_Click() {
    BChange();
}
void frmAddress::lblChange_MouseDown() {
    lblChange->setBackColor(kPressed);
}
void frmAddress::lblChange_MouseUp() {
    lblChange->setBackColor(kNormal);
}

} // namespace tallimo
