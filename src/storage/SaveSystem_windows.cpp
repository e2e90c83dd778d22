#include "storage/SaveSystem.h"

#include <QFileDevice>

#include <io.h>
#include <windows.h>

namespace tallimo::platform {

namespace {
constexpr int kDiskQuotaExceeded = 1295; // ERROR_DISK_QUOTA_EXCEEDED, missing from MinGW
} // namespace

int lastError() {
    return int(::GetLastError());
}

void clearLastError() {
    ::SetLastError(ERROR_SUCCESS);
}

int syncFileData(QFileDevice& file) {
    // Qt's descriptor wraps the file's own handle.
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(file.handle()));
    if (handle == INVALID_HANDLE_VALUE)
        return ERROR_INVALID_HANDLE;
    return ::FlushFileBuffers(handle) ? 0 : int(::GetLastError());
}

// Windows replaces a file through its journal; a folder cannot be flushed.
int syncFolder(const QString&) {
    return 0;
}

// A file held open could not be replaced.
int holdPreviousVersion(const QString&) {
    return -1;
}

void releasePreviousVersion(int) {}

bool heldByAnotherProgram(int error, bool replacing) {
    // A replace of a file held open without delete sharing is refused as access
    // denied, and Qt's clean-up after it may leave another code behind; the
    // temporary was made in the same folder, so the folder itself is writable.
    return replacing || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

SaveResult saveFailure(int err, const QString& qtReason) {
    switch (err) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_DIRECTORY:
        return {false, kNoFolder};
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case kDiskQuotaExceeded:
        return {false, kDiskFull};
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return {false, kNoPermission};
    default:
        break;
    }
    // The system's own text, in the language of the installed Windows.
    const QString detail = err ? qt_error_string(err) : qtReason;
    return {false, QStringLiteral("Error al escribir el archivo (%1).").arg(detail)};
}

} // namespace tallimo::platform
