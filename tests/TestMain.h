#pragma once

// Runs a QtTest class on the offscreen platform with a fresh, empty settings location,
// so that no test ever reads or writes the player's real settings.

#include "game/ErrorHandler.h"

#include <QTemporaryDir>
#include <QtTest>

#define TESSARIN_TEST_MAIN(TestClass)                                                                        \
    int main(int argc, char **argv) {                                                                        \
        QTemporaryDir settingsHome;                                                                          \
        qputenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit());                                       \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");         \
        Application app(argc, argv);                                                                         \
        TestClass test;                                                                                      \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
