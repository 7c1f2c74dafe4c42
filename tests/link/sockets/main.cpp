#include <gtest/gtest.h>

#include <QCoreApplication>

// The link runs on the Qt event loop, which needs an application object.
int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
