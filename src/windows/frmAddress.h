#pragma once

#include "widgets/Controls.h"

#include <QWidget>

namespace tallimo {

class Frame;

// The address window: refills the sale window's price list from "probex2.txt"
// in a folder the cashier types, for the current run only. The sale window is
// disabled while it is loaded.
class frmAddress : public QWidget {
    Q_OBJECT
  public:
    explicit frmAddress(Frame& frame);

    // Controls, built from their designer values.
    TextBox* txtAddress = nullptr;
    Label* lblChange = nullptr;
    Label* Usuario = nullptr;

    // Window events.
    void Form_Load();
    void Form_Unload();

    // Procedures.
    void BChange();

    // Handlers.
    void txtAddress_KeyPress(int& keyAscii);
    void lblChange_Click();
    void lblChange_MouseDown();
    void lblChange_MouseUp();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls(); // the designer values
    void connectHandlers();

    Frame& mFrame;
    bool mUnloaded = false;
};

} // namespace tallimo
