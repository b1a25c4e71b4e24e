#pragma once

// Runs a QtTest class with a fresh, empty settings location, so that no test ever reads or
// writes the player's real settings. The game's logic is tested with no more than a
// QCoreApplication; PlayingTheGame.h runs the tests of the windows. `environment` is set
// before the application exists.

#include <QTemporaryDir>
#include <QtTest>

#define TESSARIN_TEST_MAIN_WITH(ApplicationClass, TestClass, environment)                                    \
    int main(int argc, char **argv) {                                                                        \
        QTemporaryDir settingsHome;                                                                          \
        qputenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit());                                       \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");         \
        environment;                                                                                         \
        ApplicationClass app(argc, argv);                                                                    \
        TestClass test;                                                                                      \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&test, argc, argv);                                                              \
    }

#define TESSARIN_CORE_TEST_MAIN(TestClass) TESSARIN_TEST_MAIN_WITH(QCoreApplication, TestClass, )
