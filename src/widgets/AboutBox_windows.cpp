#include "widgets/AboutBox.h"

#include <QImage>
#include <QWidget>

#include <windows.h>

#include <shellapi.h>

namespace tallimo {

void showAboutBox(QWidget* parent, const QString& appText, const QString& otherText,
                  const QIcon& icon) {
    const HWND owner = parent ? reinterpret_cast<HWND>(parent->window()->winId()) : nullptr;
    const HICON handle = icon.isNull() ? nullptr : icon.pixmap(32, 32).toImage().toHICON();
    ::ShellAboutW(owner, reinterpret_cast<const wchar_t*>(appText.utf16()),
                  reinterpret_cast<const wchar_t*>(otherText.utf16()), handle);
    if (handle)
        ::DestroyIcon(handle);
}

} // namespace tallimo
