// The sale window's control handlers: fields, lists, currency labels, About.
#include "windows/frmBoxBasic.h"

#include "sale/Amount.h"
#include "sale/Invoice.h"
#include "sale/SalesLine.h"
#include "storage/Paths.h"
#include "storage/ScannerSettings.h"
#include "widgets/Dialogs.h"
#include "widgets/Identity.h"
#include "widgets/KeyAdapter.h"
#include "widgets/ScanFilter.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QShortcut>

#include <cstring>

namespace tallimo {

namespace {

bool is(int code, char letter) {
    return code == letter || code == letter + ('a' - 'A');
}
bool isSpaceOrDelete(int code) {
    return code == kKeySpace || code == kKeyDelete;
}

// Escaner.txt's pause, read as the window loads.
int scannerGap(const Shared& shared) {
    const auto local = shared.localPath(
        paths::scannerSettingsPath(shared.SystemChoice, shared.environment().userName()));
    return local ? readScannerGap(*local) : kScannerGapDefaultMs;
}

} // namespace

void frmBoxBasic::connectHandlers() {
    using H = KeyAdapter::Handlers;
    KeyAdapter::install(txtDato1, H{[this](int& k, auto) { txtDato1_KeyDown(k); },
                                    [this](int& k) { txtDato1_KeyPress(k); },
                                    [this] { txtDato1_GotFocus(); },
                                    {}});
    KeyAdapter::install(txtDato2, H{[this](int& k, auto) { txtDato2_KeyDown(k); },
                                    [this](int& k) { txtDato2_KeyPress(k); },
                                    [this] { txtDato2_GotFocus(); },
                                    {}});
    KeyAdapter::install(txtDato3, H{[this](int& k, auto) { txtDato3_KeyDown(k); },
                                    [this](int& k) { txtDato3_KeyPress(k); },
                                    [this] { txtDato3_GotFocus(); },
                                    {}});
    KeyAdapter::install(txtDato4,
                        H{[this](int& k, auto) { txtDato4_KeyDown(k); },
                          [this](int& k) { txtDato4_KeyPress(k); }, [this] { txtDato4_GotFocus(); },
                          [this] { txtDato4_LostFocus(); }});
    KeyAdapter::install(txtTotal2, H{[this](int& k, auto) { txtTotal2_KeyDown(k); },
                                     [this](int& k) { txtTotal2_KeyPress(k); },
                                     [this] { txtTotal2_GotFocus(); },
                                     {}});
    KeyAdapter::install(List1, H{[this](int& k, auto) { List1_KeyDown(k); },
                                 [this](int& k) { List1_KeyPress(k); },
                                 {},
                                 {}});
    KeyAdapter::install(List2, H{[this](int& k, auto) { List2_KeyDown(k); },
                                 [this](int& k) { List2_KeyPress(k); },
                                 {},
                                 {}});
    connect(txtDato4, &QLineEdit::textChanged, this, [this] { txtDato4_Change(); });
    connect(List2, &ListBox::listClicked, this, [this] { List2_Click(); });
    connect(List1, &ListBox::listDoubleClicked, this, [this] { List1_DblClick(); });
    connect(List2, &ListBox::listDoubleClicked, this, [this] { List2_DblClick(); });
    for (int i = 0; i < 4; ++i) {
        connect(lblMoney[i], &Label::clicked, this, [this, i] { lblMoney_Click(i); });
        connect(lblMoney[i], &Label::mouseDown, this, [this, i] { lblMoney_MouseDown(i); });
        connect(lblMoney[i], &Label::mouseUp, this, [this, i] { lblMoney_MouseUp(i); });
        if (mMoneda[i] && !mMoneda[i]->isSeparator())
            connect(mMoneda[i], &QAction::triggered, this, [this, i] { mMoneda_Click(i); });
    }
    connect(lblAbout, &Label::clicked, this, [this] { lblAbout_Click(); });
    connect(lblAbout, &Label::mouseDown, this, [this] { lblAbout_MouseDown(); });
    connect(lblAbout, &Label::mouseUp, this, [this] { lblAbout_MouseUp(); });
    // Whichever control has the focus; none of them uses these keys.
    connect(new QShortcut(Qt::Key_F9, this), &QShortcut::activated, this,
            [this] { requestTicket(); });
    connect(new QShortcut(Qt::Key_F12, this), &QShortcut::activated, this,
            &frmBoxBasic::reprintRequested);
    connect(lblReset, &Label::clicked, this, [this] { lblReset_Click(); });
    connect(lblReset, &Label::mouseDown, this, [this] { lblReset_MouseDown(); });
    connect(lblReset, &Label::mouseUp, this, [this] { lblReset_MouseUp(); });
    // After the key adapters, so that it sees the keys before them.
    mScanFilter =
        new ScanFilter(this, {txtDato1, txtDato2, txtDato3, txtDato4, txtTotal2, List1, List2},
                       scannerGap(mShared), [this](const QString& c) { scanned(c); });
    connectScan();
}

void frmBoxBasic::txtDato1_GotFocus() {
    txtDato1->selectAll();
}

void frmBoxBasic::txtDato1_KeyDown(int& keyCode) {
    if (isSpaceOrDelete(keyCode)) {
        BSupr();
        keyCode = 0;
    }
}

bool frmBoxBasic::jumpByLetter(int& keyAscii, const char* letters) {
    // The same letter leads to the same field from every control that has it.
    const struct {
        char letter;
        QWidget* field;
    } jumps[] = {
        {'B', txtDato4}, {'C', txtDato1}, {'D', txtDato2}, {'P', txtDato3}, {'T', txtTotal2}};
    for (const auto& jump : jumps) {
        if (std::strchr(letters, jump.letter) && is(keyAscii, jump.letter)) {
            goTo(jump.field);
            keyAscii = 0;
            return true;
        }
    }
    return false;
}

void frmBoxBasic::txtDato1_KeyPress(int& keyAscii) {
    if (keyAscii == kKeyReturn) {
        goTo(txtDato2);
        keyAscii = 0;
    } else {
        jumpByLetter(keyAscii, "BDP");
    }
}

void frmBoxBasic::txtDato2_GotFocus() {
    txtDato2->selectAll();
}

void frmBoxBasic::txtDato2_KeyDown(int& keyCode) {
    if (keyCode == kKeyDelete) {
        BSupr();
        keyCode = 0;
    }
}

void frmBoxBasic::txtDato2_KeyPress(int& keyAscii) {
    if (keyAscii == kKeyReturn) {
        goTo(txtDato3);
        keyAscii = 0;
    }
}

// Shows the amount in the "0.00" form with the whole units selected, so that
// typing a new whole price keeps the decimals behind it. false when it does not read.
static bool normaliseAndSelectUnits(TextBox* box, const QString& decimalPoint) {
    const auto normal = NormalizeAmount(box->text(), decimalPoint);
    if (!normal)
        return false;
    box->setText(*normal);
    box->selectFromStart(int(box->text().size()) - 3);
    return true;
}

void frmBoxBasic::txtDato3_GotFocus() {
    normaliseAndSelectUnits(txtDato3, mShared.environment().decimalPoint());
}

void frmBoxBasic::txtDato3_KeyDown(int& keyCode) {
    txtDato1_KeyDown(keyCode);
}

void frmBoxBasic::txtDato3_KeyPress(int& keyAscii) {
    if (keyAscii == kKeyReturn) {
        const auto normal = NormalizeAmount(txtDato3->text(), mShared.environment().decimalPoint());
        if (!normal)
            return;
        txtDato3->setText(*normal);
        ActFactura();
        txtDato3->selectFromStart(int(txtDato3->text().size()) - 3);
        keyAscii = 0;
    } else {
        jumpByLetter(keyAscii, "TBCD");
    }
}

void frmBoxBasic::txtDato4_GotFocus() {
    txtDato4->selectAll();
}

void frmBoxBasic::txtDato4_LostFocus() {
    if (txtDato4->text().isEmpty())
        txtDato4->setText(QStringLiteral("Buscar..."));
}

void frmBoxBasic::txtDato4_Change() {
    List2->setSelectedIndex(List2->findString(txtDato4->text()));
}

void frmBoxBasic::txtDato4_KeyDown(int& keyCode) {
    txtDato2_KeyDown(keyCode);
}

void frmBoxBasic::txtDato4_KeyPress(int& keyAscii) {
    if (keyAscii == kKeyReturn) {
        ActFactura();
        keyAscii = 0;
    } else if (keyAscii >= '1' && keyAscii <= '9' && txtDato4->text().isEmpty()) {
        txtDato1->setText(QString(QChar(keyAscii)));
        keyAscii = 0;
    } else {
        jumpByLetter(keyAscii, "T");
    }
}

void frmBoxBasic::txtTotal2_GotFocus() {
    normaliseAndSelectUnits(txtTotal2, mShared.environment().decimalPoint());
}

void frmBoxBasic::txtTotal2_KeyDown(int& keyCode) {
    txtDato1_KeyDown(keyCode);
}

void frmBoxBasic::txtTotal2_KeyPress(int& keyAscii) {
    if (keyAscii == kKeyReturn) {
        keyAscii = 0;
        const auto result =
            ComputeChange(txtTotal2->text(), SaleTotal, mShared.environment().decimalPoint());
        if (!result) {
            refuseAmount();
            return;
        }
        txtTotal2->setText(result->payment);
        lblTotal3->setText(result->change);
        mSession.paid(readFileAmount(result->payment));
        lblTip->setText(Hint(5));
        BSave();
        return;
    }
    jumpByLetter(keyAscii, "BCDP");
}

void frmBoxBasic::List1_DblClick() {
    BEditar1();
    mShared.EditTarget = 0;
    emit editorRequested();
}

void frmBoxBasic::List1_KeyDown(int& keyCode) {
    txtDato1_KeyDown(keyCode);
}

void frmBoxBasic::List1_KeyPress(int& keyAscii) {
    if (keyAscii == kKeyReturn)
        keyAscii = 0; // Enter does nothing here; other letters reach the list
    else
        jumpByLetter(keyAscii, "BCDP");
}

void frmBoxBasic::List2_Click() {
    const auto fields = SplitPriceLine(List2->selectedText(), mShared.environment().locale);
    if (fields) {
        txtDato2->setText(fields->product);
        txtDato3->setText(fields->price);
    }
    lblTip->setText(Hint(2));
}

void frmBoxBasic::List2_DblClick() {
    BEditar2();
    mShared.EditTarget = -1;
    emit editorRequested();
}

void frmBoxBasic::List2_KeyDown(int& keyCode) {
    if (keyCode == kKeyEscape) {
        emit addressRequested();
    } else if (isSpaceOrDelete(keyCode)) {
        BSupr();
        keyCode = 0;
    }
}

void frmBoxBasic::List2_KeyPress(int& keyAscii) {
    if (keyAscii == kKeyReturn && List2->count() > 0)
        ActFactura();
    else if (keyAscii >= '1' && keyAscii <= '9')
        txtDato1->setText(QString(QChar(keyAscii)));
    else if (is(keyAscii, 'T'))
        lblTip->setText(Hint(4));
    jumpByLetter(keyAscii, "TBCDP");
    keyAscii = 0; // the list's own jump to a line by its first letter never runs
}

void frmBoxBasic::lblMoney_Click(int) {
    mnuMoney->popup(QCursor::pos());
}
void frmBoxBasic::lblMoney_MouseDown(int index) {
    lblMoney[index]->setBorder(true);
}
void frmBoxBasic::lblMoney_MouseUp(int index) {
    lblMoney[index]->setBorder(false);
}

void frmBoxBasic::mMoneda_Click(int index) {
    QString symbol;
    if (index == 0 || index == 1)
        symbol = mMoneda[index]->text();
    else
        symbol = mShared.dialogs().input(this, QStringLiteral("Simbolo de moneda:"),
                                         QStringLiteral("Escriba el simbolo que se usará:"), {});
    if (symbol.isEmpty())
        symbol = QStringLiteral("$");
    for (Label* label : lblMoney)
        label->setText(symbol);
}

void frmBoxBasic::lblAbout_Click() {
    const QString other = identity::kCompany + QStringLiteral("\r\nTallimo: Versión ") +
                          QString::number(identity::kVersionMajor) + QStringLiteral(".") +
                          QString::number(identity::kVersionMinor);
    mShared.dialogs().about(this, identity::kTitle, other, windowIcon());
}

void frmBoxBasic::lblAbout_MouseDown() {
    QFont f = lblAbout->font();
    f.setUnderline(true);
    lblAbout->setFont(f);
}

void frmBoxBasic::lblAbout_MouseUp() {
    QFont f = lblAbout->font();
    f.setUnderline(false);
    lblAbout->setFont(f);
}

void frmBoxBasic::lblReset_Click() {
    if (close())
        emit restartRequested();
}

void frmBoxBasic::lblReset_MouseDown() {
    lblReset->setBorder(true);
}
void frmBoxBasic::lblReset_MouseUp() {
    lblReset->setBorder(false);
}

} // namespace tallimo
