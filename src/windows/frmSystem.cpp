#include "windows/frmSystem.h"

#include "storage/ChoiceFile.h"
#include "storage/Paths.h"
#include "widgets/Artwork.h"
#include "widgets/Dialogs.h"

#include <QKeyEvent>
#include <QToolButton>

namespace tallimo {

namespace {

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kGrey(128, 128, 128);
const QColor kLightGrey(224, 224, 224);
const QColor kRed(255, 0, 0);

const QString kSegoe = QStringLiteral("Segoe UI");
const QString kArial = QStringLiteral("Arial");

// A picture button that Enter presses too, as Space does: the keyboard alone
// must be able to choose.
class PictureButton : public QToolButton {
  public:
    using QToolButton::QToolButton;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            !event->isAutoRepeat()) {
            event->accept();
            click();
            return;
        }
        QToolButton::keyPressEvent(event);
    }
};

QToolButton* makeButton(QWidget* parent, int index, const QRect& geometry, const QString& caption) {
    auto* button = new PictureButton(parent);
    button->setObjectName(QStringLiteral("cmdSystem%1").arg(index));
    button->setGeometry(geometry);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setText(caption);
    button->setIcon(QIcon(systemPicture(index)));
    button->setIconSize(QSize(200, 120));
    button->setFont(designFont(kSegoe, 9.75));
    button->setFocusPolicy(Qt::StrongFocus);
    QPalette p = button->palette();
    p.setColor(QPalette::Button, kWhite);
    p.setColor(QPalette::Window, kWhite);
    p.setColor(QPalette::ButtonText, kBlack);
    button->setPalette(p);
    button->setAutoFillBackground(true);
    return button;
}

} // namespace

frmSystem::frmSystem(Shared& shared) : Form(shared) {
    buildControls();
    connectHandlers();
}

frmSystem::~frmSystem() {
    detachHandlers(this);
}

void frmSystem::buildControls() {
    setObjectName(QStringLiteral("frmSystem"));
    setWindowTitle(QString());
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    fillBackground(this, kBlack);
    setFixedSize(twips(6375), twips(3375));
    centreOnScreen(this);

    // In the designer's order; button 1 comes first in the tab order and takes the focus.
    cmdSystem[1] =
        makeButton(this, 1, twipsRect(3240, 720, 3015, 2175), QString::fromUtf8("U otra versión"));
    cmdSystem[0] =
        makeButton(this, 0, twipsRect(120, 720, 3015, 2175), QString::fromUtf8("En español"));
    const QFont note = designFont(kSegoe, 9.75);
    Label3 = makeTransparentLabel(this, "Label3", twipsRect(3240, 2940, 3015, 255),
                                  QStringLiteral("Para \"C:\\Program Files\""), note, kLightGrey,
                                  kGrey, Qt::AlignHCenter);
    Label2 = makeTransparentLabel(this, "Label2", twipsRect(120, 2940, 3015, 255),
                                  QStringLiteral("Para \"C:\\Archivos de programa\""), note,
                                  kLightGrey, kGrey, Qt::AlignHCenter);
    lblEsc = makeTransparentLabel(this, "lblEsc", twipsRect(6000, 0, 375, 375), QStringLiteral("x"),
                                  designFont(kArial, 14.25), kGrey, kRed, Qt::AlignHCenter);
    lblEsc->setButton(QStringLiteral("Salir de Tallimo"));
    Label1 = makeTransparentLabel(this, "Label1", twipsRect(120, 120, 5775, 495),
                                  QString::fromUtf8("¿Cuál es tu sistema operativo?"),
                                  designFont(kArial, 20.25), kWhite, kBlack, Qt::AlignHCenter);

    setTabOrder(cmdSystem[1], cmdSystem[0]);
    cmdSystem[1]->setFocus();
}

void frmSystem::connectHandlers() {
    for (int i = 0; i < int(cmdSystem.size()); ++i)
        connect(cmdSystem[i], &QToolButton::clicked, this, [this, i] { cmdSystem_Click(i); });
    connect(lblEsc, &Label::clicked, this, [this] { lblEsc_Click(); });
    connect(lblEsc, &Label::mouseDown, this, [this] { lblEsc_MouseDown(); });
    connect(lblEsc, &Label::mouseUp, this, [this] { lblEsc_MouseUp(); });
}

// The window has no load handler of its own.
void frmSystem::Form_Load() {}

void frmSystem::cmdSystem_Click(int index) {
    mShared.SystemChoice = qint16(index);
    const std::optional<QString> local =
        mShared.localPath(paths::choiceFilePath(mShared.SystemChoice));
    if (local && writeChoiceFile(*local, mShared.SystemChoice)) {
        close();
        emit layoutChosen();
        return;
    }
    mShared.dialogs().message(this,
                              QStringLiteral("Sistema operativo incompatible, intente de nuevo."),
                              Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation);
}

void frmSystem::lblEsc_Click() {
    emit endRequested();
}

void frmSystem::lblEsc_MouseDown() {
    lblEsc->setOpaque(true);
    lblEsc->setForeColor(kBlack);
}

void frmSystem::lblEsc_MouseUp() {
    lblEsc->setOpaque(false);
    lblEsc->setForeColor(kGrey);
}

} // namespace tallimo
