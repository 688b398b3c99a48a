// Test entry point for the forms tests: Qt runs on its offscreen platform
// unless a display is asked for explicitly.
#include <QApplication>

#include <gtest/gtest.h>

#include "activex_host.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // The test forms carry the test control, which these tests do not
    // register: a windowless placeholder stands in for it unless a test
    // says otherwise.
    forms::RegisterActiveXFactory("ZEVOTestObjectsCtl.ZEVOTest",
                                  [](forms::ActiveXHost&) { return std::unique_ptr<forms::ActiveXInstance>(); });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
