#include <QCoreApplication>
#include <gtest/gtest.h>

// QProcess watches its children through the application's event dispatcher.
// Nothing here needs a display, so listing the tests works anywhere.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
