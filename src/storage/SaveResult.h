#pragma once

#include <QString>

namespace tallimo {

// The outcome of a save. On failure the previous file is untouched and reason
// says why, in Spanish, ready for a message box.
struct SaveResult {
    bool ok = false;
    QString reason;
    explicit operator bool() const { return ok; }
};

} // namespace tallimo
