// The main window over a small device list, with its own configuration
// folder in which no COM port can be opened unless a test links one, and
// boxes and dialogs that record what they are asked.
#pragma once

#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "devices/device_list.h"
#include "mainwindow/main_window.h"
#include "mainwindow/program_state.h"
#include "support/com_ports.h"
#include "support/memory_settings_backend.h"
#include "support/recording_message_box.h"
#include "support/scripted_boxes.h"
#include "support/temporary_config_folder.h"
#include "support/window_wait.h"

namespace pellandor::testing {

// Models 1 to 6: a common one, one without EEPROM, a tiny one, a large one,
// one whose defaults are not all hexadecimal, and one whose erase algorithm
// holds an instruction that does not exist.
inline const char* const window_test_devices =
    "erasealgdef 1: begin,end\r\n"
    "erasealgdef 2: begin,frobnicate,end\r\n"
    "model: ATmega8\r\nflash: 8192\r\neeprom: 512\r\nconfigdefault: FF-1E-93-07-E1-D9-FF\r\n"
    "progtime: 5\r\npagesize: 32\r\nerasealg: 1\r\n"
    "model: NoEeprom\r\nflash: 2048\r\neeprom: 0\r\nconfigdefault: FC-1E-91-0A-62-DF-FF\r\n"
    "progtime: 5\r\npagesize: 16\r\nerasealg: 1\r\n"
    "model: Tiny\r\nflash: 200\r\neeprom: 40\r\nconfigdefault: FF-1E-90-00-6A-FF-FF\r\n"
    "progtime: 4\r\npagesize: 16\r\nerasealg: 1\r\n"
    "model: Large\r\nflash: 131072\r\neeprom: 4096\r\nconfigdefault: FF-1E-97-05-62-99-FF\r\n"
    "progtime: 5\r\npagesize: 128\r\nerasealg: 1\r\n"
    "model: Odd\r\nflash: 4096\r\neeprom: 256\r\nconfigdefault: FF-1E-XY-0A-62-DF-FF\r\n"
    "progtime: 5\r\npagesize: 32\r\nerasealg: 1\r\n"
    "model: Broken\r\nflash: 1024\r\neeprom: 64\r\nconfigdefault: FF-1E-90-00-6A-FF-FF\r\n"
    "progtime: 5\r\npagesize: 16\r\nerasealg: 2\r\n";

class window_fixture : public ::testing::Test {
protected:
    window_fixture() {
        link_no_com_ports();
        state.app_path = "/opt/pellandor/";
        state.devices = parse_device_list(window_test_devices);
    }

    Form1& make() {
        form = std::make_unique<Form1>(state, settings, boxes, inputs, files);
        return *form;
    }

    Form1& load() {
        make().Form_Load();
        return *form;
    }

    // Loaded and the active window, as a person finds it: focus events arrive.
    Form1& load_active() {
        Form1& window = load();
        window.activateWindow();
        EXPECT_TRUE(testing::wait_until_active(window));
        return window;
    }

    temporary_config_folder config;
    memory_settings_backend backend;
    settings_store settings{backend};
    recording_message_box boxes;
    scripted_input_box inputs;
    scripted_file_dialogs files;
    program_state state;
    std::unique_ptr<Form1> form;
};

} // namespace pellandor::testing
