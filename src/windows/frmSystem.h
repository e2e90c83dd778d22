#pragma once

#include "widgets/Controls.h"
#include "widgets/Form.h"

#include <array>

class QToolButton;

namespace tallimo {

// Asks which folder layout the computer uses when the splash could not read it,
// remembers the answer in the choice file and opens the sale window.
class frmSystem : public Form {
    Q_OBJECT
  public:
    explicit frmSystem(Shared& shared);
    ~frmSystem() override;

    // Controls, built from their designer values.
    std::array<QToolButton*, 2> cmdSystem{}; // the index is the layout chosen
    Label* Label3 = nullptr;
    Label* Label2 = nullptr;
    Label* lblEsc = nullptr;
    Label* Label1 = nullptr;

    void Form_Load();
    void cmdSystem_Click(int index);
    void lblEsc_Click();
    void lblEsc_MouseDown();
    void lblEsc_MouseUp();

  signals:
    // The layout chosen is in SystemChoice and in the choice file.
    void layoutChosen();

  private:
    void buildControls();
    void connectHandlers();
};

} // namespace tallimo
