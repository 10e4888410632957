// The program's entry, where the pieces are put together: one instance at a
// time, the program folder, the device list, then the main window, which
// loads itself and lives in the event loop until no window is left.
#include <QApplication>

#include "devices/device_list.h"
#include "mainwindow/file_dialogs_form.h"
#include "mainwindow/main_window.h"
#include "mainwindow/program_state.h"
#include "platform/instance_lock.h"
#include "platform/program_folder.h"
#include "platform/settings_backend_qt.h"
#include "startup/own_boxes_form.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);

    pellandor::instance_lock lock;
    if (!lock.acquire()) {
        return 0; // another instance runs: end without a word
    }
    pellandor::program_state state;
    state.app_path = pellandor::program_app_path();
    state.devices = pellandor::load_devices(state.app_path + pellandor::device_list_file_name);
    if (state.devices.device_count == 0) {
        return 0; // no model to work with: end without a word
    }

    pellandor::settings_backend_qt backend;
    pellandor::settings_store settings(backend);
    pellandor::own_boxes boxes(state.theme);
    pellandor::qt_file_dialogs dialogs;
    pellandor::Form1 window(state, settings, boxes, boxes, dialogs);
    window.Form_Load();
    return QApplication::exec();
}
