// Entry point of the tests of what needs no window: Qt Core only, with the program's locale.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLocale>

int main(int argc, char** argv) {
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
