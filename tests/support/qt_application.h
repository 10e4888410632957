// The one QCoreApplication that tests and benchmarks of the platform layer
// need for QSerialPort's notifiers, made on first use and kept to the end.
#pragma once

#include <QCoreApplication>

namespace pellandor::testing {

inline void ensure_application() {
    static int argc = 1;
    static char name[] = "pellandor";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        new QCoreApplication(argc, argv);
    }
}

} // namespace pellandor::testing
