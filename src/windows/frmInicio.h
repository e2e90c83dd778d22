#pragma once

#include "windows/Controls.h"

#include <QWidget>

namespace tallimo {

class Frame;

class frmInicio : public QWidget {
    Q_OBJECT
public:
    explicit frmInicio(Frame& frame);
    void Form_Load();

private:
    Frame& mFrame;
};

} // namespace tallimo
