#pragma once

#include <QIcon>
#include <QPixmap>

namespace tallimo {

// The program icon: the set of sizes the windows and the About box use.
QIcon programIcon();

// The 200 x 120 pictures of the choice window's buttons: 0 the Spanish layout,
// 1 the newer one.
QPixmap systemPicture(int index);

} // namespace tallimo
