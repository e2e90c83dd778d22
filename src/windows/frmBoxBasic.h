#pragma once

#include "sale/CodeBook.h"
#include "sale/SaleSession.h"
#include "storage/SaveResult.h"
#include "widgets/Controls.h"
#include "widgets/Form.h"

#include <QFrame>
#include <array>
#include <optional>

class QAction;
class QMenu;

namespace tallimo {
class ScanFilter;
}
class QShortcut;

namespace tallimo {

// The sale window. Its controls are members named as the controls; its handlers
// read controls, call the pure sale model and write controls.
class frmBoxBasic : public Form {
    Q_OBJECT
  public:
    explicit frmBoxBasic(Shared& shared);
    ~frmBoxBasic() override;

    // Controls, built from their designer values.
    QFrame* frmeCoord = nullptr;
    QFrame* Frame1 = nullptr;
    TextBox* txtDato1 = nullptr;  // quantity
    TextBox* txtDato2 = nullptr;  // product
    TextBox* txtDato3 = nullptr;  // unit price
    TextBox* txtDato4 = nullptr;  // price-list search
    TextBox* txtTotal2 = nullptr; // payment received
    ListBox* List1 = nullptr;     // the day's history
    ListBox* List2 = nullptr;     // price list
    std::array<Label*, 4> lblMoney{};
    Label* Label1 = nullptr;
    Label* Label8 = nullptr;
    Label* Label11 = nullptr;
    Label* lblTotal1 = nullptr; // amount to charge
    Label* lblTotal3 = nullptr; // change
    Label* lblRe1 = nullptr;
    Label* lblRe2 = nullptr;
    Label* lblRe3 = nullptr;
    Label* lblReset = nullptr;
    Label* lblAbout = nullptr;
    Label* lblTip = nullptr;
    Label* Usuario = nullptr;
    Shape* Shape1 = nullptr;
    Shape* Shape2 = nullptr;
    Line* Line1 = nullptr;
    Line* Line2 = nullptr;
    QMenu* mnuMoney = nullptr;
    std::array<QAction*, 4> mMoneda{};

    double SaleTotal = 0;

    // Window events.
    void Form_Load();
    void Form_Resize();
    // false keeps the window open (only when its closing save failed and the
    // cashier chose to stay).
    bool Form_Unload();

    // Procedures.
    void ActFactura();
    void BSupr();
    void BLoad();
    void BCrear();
    void BOpen();
    bool BSave();
    void BEditar1();
    void BEditar2();

    // Handlers (key codes as the key adapter gives them).
    void txtDato1_GotFocus();
    void txtDato1_KeyDown(int& keyCode);
    void txtDato1_KeyPress(int& keyAscii);
    void txtDato2_GotFocus();
    void txtDato2_KeyDown(int& keyCode);
    void txtDato2_KeyPress(int& keyAscii);
    void txtDato3_GotFocus();
    void txtDato3_KeyDown(int& keyCode);
    void txtDato3_KeyPress(int& keyAscii);
    void txtDato4_GotFocus();
    void txtDato4_LostFocus();
    void txtDato4_Change();
    void txtDato4_KeyDown(int& keyCode);
    void txtDato4_KeyPress(int& keyAscii);
    void txtTotal2_GotFocus();
    void txtTotal2_KeyDown(int& keyCode);
    void txtTotal2_KeyPress(int& keyAscii);
    void List1_DblClick();
    void List1_KeyDown(int& keyCode);
    void List1_KeyPress(int& keyAscii);
    void List2_Click();
    void List2_DblClick();
    void List2_KeyDown(int& keyCode);
    void List2_KeyPress(int& keyAscii);
    void lblMoney_Click(int index);
    void lblMoney_MouseDown(int index);
    void lblMoney_MouseUp(int index);
    void mMoneda_Click(int index);
    void lblAbout_Click();
    void lblAbout_MouseDown();
    void lblAbout_MouseUp();
    void lblReset_Click();
    void lblReset_MouseDown();
    void lblReset_MouseUp();
    void scanned(const QString& code);

    // The sale on the screen, or the last closed sale when no line was rung up
    // since; nullopt when the total on the screen is beyond what a ticket holds.
    std::optional<SaleForTicket> ticketSale() const;

    // The history as the editor gave it back: shown, and saved at once.
    void setHistory(const QStringList& lines);
    // A price list for the current run only: its file stays as it is.
    void setPriceList(const QStringList& lines);

  signals:
    // Escape in the price list: the address window's place.
    void addressRequested();
    // A double-click on either list, once EditBuffer and EditTarget are set.
    void editorRequested();
    // The restart label, after the window has closed.
    void restartRequested();
    // F9 from any control: the ticket of ticketSale(), with the symbol shown.
    void ticketRequested(const tallimo::SaleForTicket& sale, const QString& symbol);
    // F12 from any control: the last ticket again.
    void reprintRequested();

  protected:
    bool unload() override { return Form_Unload(); }
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void buildControls(); // the designer values
    void connectHandlers();
    void goTo(QWidget* control);
    // B, C, D, P and T (either case) go to their field when `letters` holds them.
    bool jumpByLetter(int& keyAscii, const char* letters);
    QString salesPath() const;
    SaveResult saveHistory();
    // An amount beyond what can be calculated: nothing changes and the cashier is told.
    void refuseAmount();
    // F9: the ticket of ticketSale(), or why there is none.
    void requestTicket();
    // An entry added to the invoice as ActFactura adds the fields.
    void ringUp(const QString& quantity, const QString& product, const QString& price);

    // Barcodes: Codigos.txt read at load, scans rung up, F7 teaching a code.
    void connectScan();
    void loadCodes();
    // When and how big Codigos.txt was: a file edited by hand is read again.
    QString codesStamp() const;
    QString codesPath() const;
    void refuseScan(const QString& text);
    void teachCode();
    void endTeaching(const QString& tip);
    void assignCode(const QString& code);

    SaleSession mSession;
    CodeBook mCodes;
    QString mCodesStamp;
    QStringList mCodeLines;        // as the file holds them, for saving an assigned code
    bool mCodesUnreadable = false; // the file is there but could not be read
    bool mCodesToldUnreadable = false;
    std::optional<QString> mTeaching; // the product F7 waits a code for
    QString mTipBeforeTeaching;
    QShortcut* mCancelTeaching = nullptr;
    ScanFilter* mScanFilter = nullptr;
};

} // namespace tallimo
