// The form tests' guard against a mouse button left held down, run as a
// second guard around the presses of this test itself.
#include "support/form_test_guard.h"

#include <QGuiApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace pellandor::testing {
namespace {

TEST(FormTestGuard, AButtonLeftHeldFailsTheTestAndIsReleased) {
    struct held_case {
        Qt::MouseButtons buttons;
        const char* message;
    };
    for (const held_case& held :
         {held_case{Qt::LeftButton, "the test left the mouse button LeftButton held down"},
          held_case{Qt::RightButton | Qt::MiddleButton,
                    "the test left the mouse button RightButton|MiddleButton held down"}}) {
        SCOPED_TRACE(held.message);
        form_test_guard second;
        QWidget pressed; // never shown
        second.OnTestStart(*::testing::UnitTest::GetInstance()->current_test_info());
        for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
            if (held.buttons.testFlag(button)) {
                QTest::mousePress(&pressed, button);
            }
        }
        ASSERT_EQ(QGuiApplication::mouseButtons(), held.buttons);
        EXPECT_NONFATAL_FAILURE(
            second.OnTestEnd(*::testing::UnitTest::GetInstance()->current_test_info()),
            held.message);
        EXPECT_EQ(QTestPrivate::qtestMouseButtons, Qt::NoButton);
        EXPECT_EQ(QGuiApplication::mouseButtons(), Qt::NoButton);
    }
}

} // namespace
} // namespace pellandor::testing
