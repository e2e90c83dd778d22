#include "windows/frmBoxBasic.h"

#include "widgets/Artwork.h"

#include <QAction>
#include <QMenu>

namespace tallimo {

namespace {

const QColor kBlack(0, 0, 0);
const QColor kPanel(0, 128, 0);
const QColor kStrip(0, 192, 0);
const QColor kDark(0, 64, 0);
const QColor kPale(192, 255, 192);
const QColor kHeader(128, 255, 128);
const QColor kClear; // a transparent label shows its container
// The classic selection colours, readable on every back colour of this window.
const QColor kSelection(0, 0, 128);
const QColor kSelectedText(255, 255, 255);

const QString kMsSans = QStringLiteral("Microsoft Sans Serif");
const QString kOldSans = QStringLiteral("MS Sans Serif");
const QString kCandara = QStringLiteral("Candara");

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kCentre = Qt::AlignHCenter | Qt::AlignVCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;

void setColours(QWidget* widget, const QColor& fore, const QColor& back) {
    QPalette p = widget->palette();
    p.setColor(QPalette::Text, fore);
    p.setColor(QPalette::Base, back);
    p.setColor(QPalette::Window, back);
    p.setColor(QPalette::WindowText, kBlack); // a plain list border
    p.setColor(QPalette::Highlight, kSelection);
    p.setColor(QPalette::HighlightedText, kSelectedText);
    widget->setPalette(p);
}

void place(QWidget* widget, const char* name, const QRect& geometry) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
}

// Tooltips keep their blanks; a screen reader gets the words only.
void setTip(QWidget* widget, const QString& tip) {
    widget->setToolTip(tip);
    widget->setAccessibleName(tip.trimmed());
}

QFrame* makeFrame(QWidget* parent, const char* name, const QRect& geometry, const QColor& back) {
    auto* frame = new QFrame(parent);
    place(frame, name, geometry);
    frame->setFrameShape(QFrame::NoFrame);
    fillBackground(frame, back);
    frame->setFocusPolicy(Qt::NoFocus);
    return frame;
}

TextBox* makeTextBox(QWidget* parent, const char* name, const QRect& geometry, const QString& text,
                     const QFont& font, const QColor& fore, const QColor& back,
                     Qt::Alignment alignment, int limit, const QString& tip) {
    auto* box = new TextBox(parent);
    place(box, name, geometry);
    box->setFont(font);
    setColours(box, fore, back);
    // Qt keeps two pixels each side; taking them back lets a six-digit amount fit
    // the payment box as it did on the designer's grid.
    box->setTextMargins(-2, 0, -2, 0);
    box->setAlignment(alignment);
    box->setTypingLimit(limit);
    box->setText(text);
    box->setCursorPosition(0);
    setTip(box, tip);
    return box;
}

ListBox* makeListBox(QWidget* parent, const char* name, const QRect& geometry, const QFont& font,
                     const QColor& back, const QString& tip) {
    auto* list = new ListBox(parent);
    place(list, name, geometry);
    list->setFont(font);
    setColours(list, kBlack, back);
    list->setFrameStyle(QFrame::Box | QFrame::Plain); // flat, not sunken
    list->setLineWidth(1);
    setTip(list, tip);
    return list;
}

template <typename T> T* named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setFocusPolicy(Qt::NoFocus);
    return widget;
}

} // namespace

void frmBoxBasic::buildControls() {
    setObjectName(QStringLiteral("frmBoxBasic"));
    setWindowTitle(QStringLiteral("TALLIMO"));
    setWindowIcon(programIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    fillBackground(this, QColor(64, 64, 64));
    resize(twips(14895), twips(6735));
    centreOnScreen(this);

    const QFont entry = designFont(kMsSans, 27.75);
    const QFont amount = designFont(kMsSans, 45.75);
    const QFont strip = designFont(kMsSans, 48, true);
    const QFont header = designFont(kCandara, 14.25);
    const QFont hint = designFont(kOldSans, 13.5);

    // Containers and their windowed controls, in the designer's order.
    frmeCoord = makeFrame(this, "frmeCoord", twipsRect(0, 480, 14895, 6735), kPanel);
    txtTotal2 = makeTextBox(frmeCoord, "txtTotal2", twipsRect(5400, 5520, 4335, 1095),
                            QStringLiteral("0.00"), amount, kBlack, kStrip, kRight, 0,
                            QStringLiteral(" Pagar "));
    List2 = makeListBox(frmeCoord, "List2", twipsRect(9960, 1370, 4815, 3630),
                        designFont(kMsSans, 14.25), kPale, QStringLiteral(" Lista de precios. "));
    txtDato4 = makeTextBox(frmeCoord, "txtDato4", twipsRect(9960, 840, 4815, 480),
                           QStringLiteral("Buscar..."), designFont(kMsSans, 18), kPale, kDark,
                           kLeft, 45, QStringLiteral(" Buscador "));
    List1 = makeListBox(frmeCoord, "List1", twipsRect(120, 840, 9735, 4155),
                        designFont(kMsSans, 15), kPale, QStringLiteral(" Factura "));
    Frame1 = makeFrame(frmeCoord, "Frame1", twipsRect(120, 120, 14655, 615), kStrip);
    txtDato3 =
        makeTextBox(Frame1, "txtDato3", twipsRect(12360, 0, 2175, 630), QStringLiteral("0.00"),
                    entry, kBlack, kStrip, kRight, 7, QStringLiteral(" Precio "));
    txtDato2 =
        makeTextBox(Frame1, "txtDato2", twipsRect(960, 0, 11040, 630), QStringLiteral("Producto"),
                    entry, kBlack, kStrip, kLeft, 0, QStringLiteral(" Producto "));
    txtDato1 = makeTextBox(Frame1, "txtDato1", twipsRect(0, 0, 735, 630), QStringLiteral("1"),
                           entry, kBlack, kStrip, kRight, 2, QStringLiteral(" Cantidad "));

    // Graphical controls: name, container, Left, Top, Width, Height, caption, font,
    // back colour, alignment, fore colour, tooltip.
    const QString dollar = QStringLiteral("$");
    const QString zero = QStringLiteral("0.00");
    const QString charge = QStringLiteral(" Cobrar ");
    lblMoney[0] = makeLabel(Frame1, "lblMoney0", twipsRect(12000, 0, 375, 615), dollar,
                            designFont(kMsSans, 20.25), kClear, kCentre);
    Line1 = named(new Line(Frame1, 840, 0, 840, 630, kPanel), "Line1");
    Line2 = named(new Line(Frame1, 12000, 0, 12000, 630, kPanel), "Line2");

    lblRe3 = makeLabel(frmeCoord, "lblRe3", twipsRect(14640, 5520, 135, 1095), {}, strip, kStrip,
                       kRight, kBlack, charge);
    lblRe2 = makeLabel(frmeCoord, "lblRe2", twipsRect(9720, 5520, 135, 1095), {}, strip, kStrip,
                       kRight, kBlack, charge);
    lblRe1 = makeLabel(frmeCoord, "lblRe1", twipsRect(4800, 5520, 135, 1095), {}, strip, kStrip,
                       kRight, kBlack, charge);
    lblTotal3 = makeLabel(frmeCoord, "lblTotal3", twipsRect(10320, 5520, 4335, 1095), zero, amount,
                          kStrip, kRight, kBlack, QStringLiteral(" Cambio "));
    lblMoney[3] = makeLabel(frmeCoord, "lblMoney3", twipsRect(9960, 5520, 375, 1095), dollar, entry,
                            kStrip, kCentre);
    Label11 = makeLabel(frmeCoord, "Label11", twipsRect(9960, 5160, 4815, 375),
                        QStringLiteral(" CAMBIO"), header, kDark, kLeft, kHeader);
    lblMoney[2] = makeLabel(frmeCoord, "lblMoney2", twipsRect(5040, 5520, 375, 1095), dollar, entry,
                            kStrip, kCentre);
    Label8 = makeLabel(frmeCoord, "Label8", twipsRect(5040, 5160, 4815, 375),
                       QStringLiteral(" PAGAR"), header, kDark, kLeft, kHeader);
    lblTotal1 = makeLabel(frmeCoord, "lblTotal1", twipsRect(480, 5520, 4335, 1095), zero,
                          designFont(kMsSans, 45.75, true), kStrip, kRight, kBlack, charge);
    lblMoney[1] = makeLabel(frmeCoord, "lblMoney1", twipsRect(120, 5520, 375, 1095), dollar, entry,
                            kStrip, kCentre);
    Label1 = makeLabel(frmeCoord, "Label1", twipsRect(120, 5160, 4815, 375),
                       QStringLiteral(" COBRAR<<<"), header, kDark, kLeft, kHeader);
    Shape2 = named(new Shape(frmeCoord, Qt::DiagCrossPattern, kBlack, kBlack), "Shape2");
    Shape2->setGeometry(twipsRect(0, 0, 14895, 6735));

    lblReset = makeLabel(this, "lblReset", twipsRect(13440, 120, 1455, 375),
                         QStringLiteral("REINICIAR"), header, kDark, kCentre, kHeader);
    lblAbout = makeLabel(this, "lblAbout", twipsRect(13920, 120, 975, 375),
                         QStringLiteral("Acerca"), hint, kClear, kLeft, kHeader);
    lblReset->setButton(QStringLiteral("Reiniciar"));
    lblAbout->setButton(QStringLiteral("Acerca de Tallimo"));
    for (Label* money : lblMoney)
        money->setButton(QStringLiteral("Moneda"));
    lblTip = makeLabel(this, "lblTip", twipsRect(0, 120, 14895, 375),
                       QStringLiteral("Consejo: Selecciona un producto de la lista o escribe "
                                      "uno manualmente."),
                       hint, kClear, kLeft, kHeader);
    Shape1 = named(new Shape(this, Qt::HorPattern, kDark, kBlack), "Shape1");
    Shape1->setGeometry(twipsRect(0, 0, 14895, 6735));
    Usuario = makeLabel(this, "Usuario", twipsRect(120, 0, 855, 135), {}, font(), kPale, kLeft);
    Usuario->hide();

    // Shapes and lines lie on their container's surface, labels over them, and
    // the controls that are windows of their own above both.
    for (QWidget* low : {static_cast<QWidget*>(Line2), static_cast<QWidget*>(Line1)})
        low->lower();
    for (QWidget* high : {txtDato3, txtDato2, txtDato1})
        high->raise();
    Shape2->lower();
    for (QWidget* high : {static_cast<QWidget*>(txtTotal2), static_cast<QWidget*>(List2),
                          static_cast<QWidget*>(txtDato4), static_cast<QWidget*>(List1),
                          static_cast<QWidget*>(Frame1)})
        high->raise();
    Shape1->lower();
    frmeCoord->raise();
    // The hint line spans the row the label buttons sit on: it lies under them.
    lblTip->stackUnder(lblReset);

    setTabOrder(List2, txtDato1);
    setTabOrder(txtDato1, txtDato2);
    setTabOrder(txtDato2, txtDato3);
    setTabOrder(txtDato3, txtTotal2);
    setTabOrder(txtTotal2, List1);
    setTabOrder(List1, txtDato4);

    // A pop-up only: no menu bar shows it.
    mnuMoney = new QMenu(QStringLiteral("Moneda"), this);
    mnuMoney->setObjectName(QStringLiteral("mnuMoney"));
    mMoneda[0] = mnuMoney->addAction(QStringLiteral("$"));
    mMoneda[1] = mnuMoney->addAction(QStringLiteral("€"));
    mMoneda[2] = mnuMoney->addSeparator();
    mMoneda[3] = mnuMoney->addAction(QStringLiteral("Otro..."));
    for (int i = 0; i < int(mMoneda.size()); ++i)
        mMoneda[i]->setObjectName(QStringLiteral("mMoneda%1").arg(i));
}

} // namespace tallimo
