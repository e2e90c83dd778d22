#pragma once

#include "windows/Controls.h"

#include <QWidget>

namespace tallimo {

class Frame;

class frmAddress : public QWidget {
    Q_OBJECT
public:
    explicit frmAddress(Frame& frame);
    void Form_Load();

private:
    Frame& mFrame;
};

} // namespace tallimo
