// The program's entry point: one instance at a time, the program folder, the
// device list, then the main window.
#include <QApplication>
#include <cstdio>

#include "devices/device_list.h"
#include "platform/instance_lock.h"
#include "platform/program_folder.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);

    pellandor::instance_lock lock;
    if (!lock.acquire()) {
        return 0; // another instance runs: end without a word
    }
    const std::string app_path = pellandor::program_app_path();
    const pellandor::device_tables devices =
        pellandor::load_devices(app_path + pellandor::device_list_file_name);
    if (devices.device_count == 0) {
        return 0; // no model to work with: end without a word
    }

    std::printf("Quillmere Pellandor: %d models in the device list; the main window is not "
                "built yet.\n",
                static_cast<int>(devices.device_count));
    return 0;
}
