#include "widgets/Environment.h"

#include "storage/DriveRoot.h"

namespace tallimo {

Environment Environment::system() {
    return Environment{[] { return QDate::currentDate(); }, QLocale::system(),
                       [] { return currentUserName(); }};
}

} // namespace tallimo
