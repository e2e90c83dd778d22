#pragma once

#include "widgets/Controls.h"
#include "widgets/Form.h"

#include <QRect>

class QTimer;

namespace tallimo {

// The splash window that starts the program: the title fades in while two bars
// grow, then BLoad reads the remembered folder layout and hands over to the sale
// window, or to the choice window when the layout cannot be read.
class frmInicio : public Form {
    Q_OBJECT
  public:
    explicit frmInicio(Shared& shared);
    ~frmInicio() override;

    // Controls, built from their designer values.
    QTimer* Timer3 = nullptr;
    QTimer* Timer2 = nullptr;
    QTimer* Timer1 = nullptr;
    Label* Usuario = nullptr;
    Label* lblEsc = nullptr;
    Shape* Shape3 = nullptr;
    Shape* Shape4 = nullptr;
    Label* lblWord = nullptr;
    Shape* Shape2 = nullptr;
    Shape* Shape1 = nullptr;

    qint16 FadeLevel = 0; // grey level of the title

    void Form_Load();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void BLoad();
    void lblEsc_Click();
    void lblEsc_MouseDown();
    void lblEsc_MouseUp();

    // The animated shapes' geometry in twips, as the timers work it out.
    QRect shape1Twips() const { return mShape1; }
    QRect shape2Twips() const { return mShape2; }
    QRect shape3Twips() const { return mShape3; }

  signals:
    // The remembered layout was read into SystemChoice.
    void layoutKnown();
    // It could not be read: the cashier is to choose.
    void layoutUnknown();

  private:
    void buildControls();
    void connectHandlers();
    void placeShapes();

    // Kept in twips as integers: converting pixels back would drift by rounding.
    QRect mShape1;
    QRect mShape2;
    QRect mShape3;
};

} // namespace tallimo
