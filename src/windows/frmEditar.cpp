#include "windows/frmEditar.h"

#include "app/Frame.h"

namespace tallimo {

frmEditar::frmEditar(Frame& frame) : QWidget(nullptr), mFrame(frame) { setAttribute(Qt::WA_DeleteOnClose); }

void frmEditar::Form_Load() {}

} // namespace tallimo
