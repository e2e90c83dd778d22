#pragma once

#include "widgets/SideWindow.h"

namespace tallimo {

// The address window: refills the sale window's price list from "probex2.txt"
// in a folder the cashier types, for the current run only. The sale window is
// disabled while it is loaded.
class frmAddress : public SideWindow {
    Q_OBJECT
  public:
    explicit frmAddress(Shared& shared);

    // Controls, built from their designer values.
    TextBox* txtAddress = nullptr;
    Label* lblChange = nullptr;
    Label* Usuario = nullptr;

    // Window events.
    void Form_Load();

    // Procedures.
    void BChange();

    // Handlers.
    void txtAddress_KeyPress(int& keyAscii);
    void lblChange_Click();
    void lblChange_MouseDown();
    void lblChange_MouseUp();

  signals:
    // The list read from the typed folder, for the price list.
    void listLoaded(const QStringList& items);

  private:
    void buildControls(); // the designer values
    void connectHandlers();
};

} // namespace tallimo
