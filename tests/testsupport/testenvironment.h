#pragma once

#include <QTemporaryDir>

// Gives a test process its own working directory and per-user store, so that cfg.ini,
// devices.db and window geometry never touch the repository or the user's settings.
// Call isolateTestEnvironment() before the QApplication exists (see KV_TEST_MAIN).
void isolateTestEnvironment();
QString testWorkingDirectory();

// Like QTEST_MAIN, but isolates the process first.
#define KV_TEST_MAIN(TestObject)                                                                   \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        isolateTestEnvironment();                                                                  \
        QApplication app(argc, argv);                                                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }

#define KV_TEST_GUILESS_MAIN(TestObject)                                                           \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        isolateTestEnvironment();                                                                  \
        QCoreApplication app(argc, argv);                                                          \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
