#include "windows/frmSystem.h"

#include "app/Frame.h"

namespace tallimo {

frmSystem::frmSystem(Frame& frame) : QWidget(nullptr), mFrame(frame) { setAttribute(Qt::WA_DeleteOnClose); }

void frmSystem::Form_Load() {}

} // namespace tallimo
