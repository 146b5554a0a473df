// The QtTest files of one folder share one program, which starts one file's tests a run, each in
// a process of its own as with a program per file. A file names its test class on its last line
// with TUNDRIX_QTEST_MAIN(Class) instead of QTEST_MAIN(Class); the program's first argument is the
// file's name without extension (`mainwindow_qtests selection_test`), the rest goes to QtTest
// (`-functions`, a test function's name, ...).
#pragma once

#include <QtTest>

namespace tundrix::qtest {

using Run = int (*)(int argc, char** argv);

// Records the file's test run under the name of `file`; true.
bool add(const char* file, Run run);

}  // namespace tundrix::qtest

// The application object and set-up are those of QTEST_MAIN; the names carry the class's, so
// that several files may be compiled as one.
#define TUNDRIX_QTEST_MAIN(TestObject)                                     \
    namespace {                                                            \
    int tundrixQtestRun_##TestObject(int argc, char** argv) {              \
        QT_PREPEND_NAMESPACE(QTest::Internal::callInitMain)<TestObject>(); \
        QTEST_MAIN_SETUP()                                                 \
        TestObject tc;                                                     \
        QTEST_SET_MAIN_SOURCE_PATH                                         \
        return QTest::qExec(&tc, argc, argv);                              \
    }                                                                      \
    [[maybe_unused]] const bool tundrixQtestAdded_##TestObject =           \
        ::tundrix::qtest::add(__FILE__, tundrixQtestRun_##TestObject);     \
    }
