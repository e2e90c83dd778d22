#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Discovery runs the binary without CTest's environment.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
