// Entry point of the test programs that need a Qt application: runs headless unless a
// platform was chosen explicitly.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Halvrenn-Tests");
    QApplication::setApplicationName("Ostrel-Vane Studio Tests");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
