// The main of every form test: one QApplication for the whole run, on the
// offscreen platform unless the caller chose another, and a guard that keeps
// its tests apart.
#include <QApplication>
#include <gtest/gtest.h>

#include "support/form_test_guard.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::TestEventListeners& listeners = ::testing::UnitTest::GetInstance()->listeners();
    auto* guard = new pellandor::testing::form_test_guard;
    listeners.Append(guard);
    const int result = RUN_ALL_TESTS();
    // The guard's timer goes while the application still exists.
    delete listeners.Release(guard);
    return result;
}
