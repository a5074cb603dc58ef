#pragma once

#include "app/Application.h"

#include <QTest>

// Like QTEST_MAIN, with the station's own application object, so that exceptions escaping event
// handlers reach the main window's handler as they do in the program.
#define STATION_TEST_MAIN(TestObject)                                                              \
    int main(int argc, char** argv) {                                                              \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                   \
        StationApplication application(argc, argv);                                                \
        application.setAttribute(Qt::AA_Use96Dpi, true);                                           \
        TestObject test;                                                                           \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
