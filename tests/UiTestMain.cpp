#include "widgets/Fonts.h"

#include <QApplication>
#include <gtest/gtest.h>

// Qt keeps the fallback fonts it matched through fontconfig (for characters the
// window's font lacks) until the process ends; a leak report there is not ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

int main(int argc, char** argv) {
    // Forced before the application exists: discovery runs without CTest's environment.
    // The screen is a cashier's, larger than the sale window, so a maximized window shows all.
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" TALLIMO_TEST_DATA "/windows/screen.json");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    tallimo::registerFontSubstitutes();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
