#include "windows/frmAddress.h"

#include "app/Frame.h"

namespace tallimo {

frmAddress::frmAddress(Frame& frame) : QWidget(nullptr), mFrame(frame) { setAttribute(Qt::WA_DeleteOnClose); }

void frmAddress::Form_Load() {}

} // namespace tallimo
