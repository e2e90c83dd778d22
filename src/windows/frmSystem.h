#pragma once

#include "windows/Controls.h"

#include <QWidget>

namespace tallimo {

class Frame;

class frmSystem : public QWidget {
    Q_OBJECT
public:
    explicit frmSystem(Frame& frame);
    void Form_Load();

private:
    Frame& mFrame;
};

} // namespace tallimo
