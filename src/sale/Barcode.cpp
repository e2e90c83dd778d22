#include "sale/Barcode.h"

namespace tallimo {

CodeRead readCode(QStringView code) {
    return CodeRead{code.trimmed().toString().toCaseFolded(), false};
}

} // namespace tallimo
