#include "windows/frmInicio.h"

#include "storage/ChoiceFile.h"
#include "storage/Paths.h"
#include "widgets/Artwork.h"

#include <QTimer>

namespace tallimo {

namespace {

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kPressed(224, 224, 224);
const QColor kYellow(255, 255, 0);
const QColor kGreen(0, 192, 0);
const QColor kBrightGreen(0, 255, 0);

// The start geometry of the animated shapes, in twips.
const QRect kShape1(7800, 3240, 15, 495);
const QRect kShape2(480, 0, 495, 15);
const QRect kShape3(960, 3240, 15, 495);
// The yellow bar grows until it is this tall.
constexpr int kBarEnd = 4815;

QRect pixels(const QRect& inTwips) {
    return twipsRect(inTwips.x(), inTwips.y(), inTwips.width(), inTwips.height());
}

QTimer* makeTimer(QObject* parent, const char* name, int interval) {
    auto* timer = new QTimer(parent);
    timer->setObjectName(QString::fromLatin1(name));
    timer->setInterval(interval);
    return timer;
}

Shape* makeShape(QWidget* parent, const char* name, const QRect& twipsGeometry, Qt::BrushStyle fill,
                 const QColor& colour, const QColor& border) {
    auto* shape = new Shape(parent, fill, colour, border);
    shape->setObjectName(QString::fromLatin1(name));
    shape->setGeometry(pixels(twipsGeometry));
    return shape;
}

} // namespace

frmInicio::frmInicio(Shared& shared) : Form(shared) {
    buildControls();
    connectHandlers();
}

frmInicio::~frmInicio() {
    detachHandlers(this);
}

void frmInicio::buildControls() {
    setObjectName(QStringLiteral("frmInicio"));
    setWindowTitle(QStringLiteral("Form1"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowIcon(programIcon());
    fillBackground(this, kWhite);
    setFixedSize(twips(7815), twips(4455));
    centreOnScreen(this);

    Timer3 = makeTimer(this, "Timer3", 500);
    Timer2 = makeTimer(this, "Timer2", 30);
    Timer1 = makeTimer(this, "Timer1", 30);

    Usuario = makeTransparentLabel(this, "Usuario", twipsRect(1560, 120, 855, 255), {}, font(),
                                   kBlack, kWhite, Qt::AlignLeft);
    Usuario->hide();
    lblEsc = makeTransparentLabel(this, "lblEsc", twipsRect(7440, 120, 255, 255),
                                  QStringLiteral("x"), designFont(QStringLiteral("Arial"), 9.75),
                                  kBlack, kPressed, Qt::AlignHCenter);
    lblEsc->setButton(QStringLiteral("Salir de Tallimo"));
    mShape3 = kShape3;
    Shape3 = makeShape(this, "Shape3", mShape3, Qt::SolidPattern, kBrightGreen, kBrightGreen);
    Shape3->hide();
    Shape4 = makeShape(this, "Shape4", QRect(0, 0, 7815, 4455), Qt::NoBrush, kBlack, kBlack);
    // White on the white window: invisible until Timer1 darkens it.
    lblWord = makeTransparentLabel(
        this, "lblWord", twipsRect(1080, 2280, 5865, 585), QStringLiteral("TALLIMO"),
        designFont(QStringLiteral("Calibri"), 24), kWhite, kWhite, Qt::AlignLeft);
    mShape2 = kShape2;
    Shape2 = makeShape(this, "Shape2", mShape2, Qt::SolidPattern, kYellow, kYellow);
    mShape1 = kShape1;
    Shape1 = makeShape(this, "Shape1", mShape1, Qt::SolidPattern, kGreen, kGreen);
    // The designer's order runs front to back: the square lies over the bars'
    // crossing, the title and the frame over the bars.
    for (QWidget* control :
         std::initializer_list<QWidget*>{Usuario, lblEsc, Shape3, Shape4, lblWord, Shape2, Shape1})
        control->lower();
}

void frmInicio::connectHandlers() {
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2_Timer(); });
    connect(Timer3, &QTimer::timeout, this, [this] { Timer3_Timer(); });
    connect(lblEsc, &Label::clicked, this, [this] { lblEsc_Click(); });
    connect(lblEsc, &Label::mouseDown, this, [this] { lblEsc_MouseDown(); });
    connect(lblEsc, &Label::mouseUp, this, [this] { lblEsc_MouseUp(); });
}

void frmInicio::Form_Load() {
    FadeLevel = 250;
    // The timers run from the moment the window loads.
    Timer1->start();
    Timer2->start();
}

void frmInicio::Timer1_Timer() {
    if (FadeLevel > 250 || FadeLevel < 1) {
        Timer1->stop();
        return;
    }
    FadeLevel = qint16(FadeLevel - 10);
    lblWord->setForeColor(QColor(FadeLevel, FadeLevel, FadeLevel));
}

void frmInicio::Timer2_Timer() {
    if (mShape2.height() < kBarEnd) {
        mShape2.setHeight(mShape2.height() + 120);
        mShape1.moveLeft(mShape1.x() - 200); // the right end stays where it is
        mShape1.setWidth(mShape1.width() + 200);
        if (mShape1.x() >= 480 && mShape1.x() <= 960) {
            Shape3->show();
            mShape3.moveLeft(mShape2.x());
            mShape3.setWidth(mShape2.width());
        }
        placeShapes();
    } else {
        Timer2->stop();
        Timer3->start();
    }
}

void frmInicio::Timer3_Timer() {
    // The hand-over runs once, even if the next window's load waits on a message box.
    Timer3->stop();
    BLoad();
}

void frmInicio::placeShapes() {
    Shape1->setGeometry(pixels(mShape1));
    Shape2->setGeometry(pixels(mShape2));
    Shape3->setGeometry(pixels(mShape3));
}

void frmInicio::BLoad() {
    Usuario->setText(mShared.environment().userName());
    const std::optional<QString> local =
        mShared.localPath(paths::choiceFilePath(mShared.SystemChoice));
    const std::optional<qint16> choice = local ? readChoiceFile(*local) : std::nullopt;
    if (choice) {
        mShared.SystemChoice = *choice;
        emit layoutKnown();
    } else {
        emit layoutUnknown();
    }
    close();
}

void frmInicio::lblEsc_Click() {
    emit endRequested();
}
void frmInicio::lblEsc_MouseDown() {
    lblEsc->setOpaque(true);
}
void frmInicio::lblEsc_MouseUp() {
    lblEsc->setOpaque(false);
}

} // namespace tallimo
