#include "app/Artwork.h"

namespace tallimo {

QIcon programIcon() { return {}; }

QPixmap systemPicture(int) { return {}; }

} // namespace tallimo
