#pragma once

#include "windows/Controls.h"

#include <QWidget>

namespace tallimo {

class Frame;

class frmEditar : public QWidget {
    Q_OBJECT
public:
    explicit frmEditar(Frame& frame);
    void Form_Load();

private:
    Frame& mFrame;
};

} // namespace tallimo
