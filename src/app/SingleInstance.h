#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace tallimo {

// One register per drive root: a second copy would rewrite the same day's file
// and lose the other's lines. The lock lives outside the root, so the root
// itself is left as it is.
class SingleInstance {
  public:
    // The lock for this drive root, or null when a running copy holds it. A lock
    // left by a copy that died is taken over.
    static std::unique_ptr<QLockFile> acquire(const QString& driveRoot, const QString& lockFolder);
    // Where the locks live: the user's runtime folder, or the temporary one.
    static QString defaultLockFolder();
    static QString lockPath(const QString& driveRoot, const QString& lockFolder);
};

} // namespace tallimo
