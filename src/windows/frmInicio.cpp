#include "windows/frmInicio.h"

#include "app/Frame.h"

namespace tallimo {

frmInicio::frmInicio(Frame& frame) : QWidget(nullptr), mFrame(frame) { setAttribute(Qt::WA_DeleteOnClose); }

void frmInicio::Form_Load() {}

} // namespace tallimo
