// The main window: the program's one window, through which every command is
// reached. It wires the core to its controls; the rules live in the core.
#pragma once

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/engine_host.h"
#include "engine/port_setup.h"
#include "engine/programming_engine.h"
#include "mainwindow/file_dialog_host.h"
#include "mainwindow/program_state.h"
#include "platform/event_yield.h"
#include "platform/serial_control.h"
#include "startup/input_box.h"
#include "startup/settings_store.h"

class QAction;
class QLineEdit;
class QMenu;
class QPushButton;

namespace pellandor {

class ClickLabel;
class FormSurface;
class HexGrid;
class ScrollBar;
class paced_label;

class Form1 : public QMainWindow, public engine_host {
    Q_OBJECT

public:
    Form1(program_state& state, settings_store& settings, message_box_host& boxes,
          input_box_host& inputs, file_dialog_host& files, QWidget* parent = nullptr);
    ~Form1() override;

    // The start sequence: theme, showing, last folder, stored model, cleared
    // buffers, port probe and opening.
    void Form_Load();

    // The public methods of the window.
    void MouseWheel(int mousekeys, int rotation, int xpos, int ypos);
    void settheme();
    void enable() override;
    void disable() override;
    void updatedisplay() override;

    // The engine's host.
    void write_byte(std::uint8_t value) override;
    void discard_input() override;
    void set_receive_threshold(int threshold) override;
    void yield() override;
    void sleep_ms(std::int32_t milliseconds) override;
    void set_status(const std::string& text) override;
    void end_program() override;
    bool port_ready() const override;
    std::int32_t port_number() const override;
    int my_msgbox(const std::string& text, int kind, const std::string& title) override;

    // Commands, as the menus, buttons and labels call them.
    void menuclear_Click();
    void menuopen_Click();
    void load_hexfile(const std::string& name);
    void menusave_Click();
    void menumodel_Click();
    void menucolors_Click();
    void menuport_Click();
    void menubaud_Click();
    void menuprogtime_Click();
    void menuportinfo_Click();
    void menuabout_Click();

    programming_engine& engine() { return engine_; }
    const port_setup& ports() const { return ports_; }
    SerialControl& serial() { return MSComm1; }
    const std::string& last_path() const { return last_path_; }
    // Which scroll bar had the focus last: 0 none yet, 1 FLASH, 2 EEPROM.
    int active_grid() const { return active_grid_; }
    // Whether wheel messages reach MouseWheel now.
    bool wheel_hooked() const { return wheel_hooked_; }

    // The controls, named as the system names them.
    FormSurface* surface = nullptr;
    ClickLabel* Label7 = nullptr;
    ClickLabel* label_hex = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr;
    ClickLabel* Label1 = nullptr;
    ClickLabel* label_ime = nullptr;
    ClickLabel* label_info = nullptr;
    ClickLabel* Label3 = nullptr;
    HexGrid* tabla_flash = nullptr;
    ScrollBar* scrl1 = nullptr;
    ClickLabel* Label4 = nullptr;
    HexGrid* tabla_eeprom = nullptr;
    ScrollBar* scrl2 = nullptr;
    std::array<ClickLabel*, 3> lfix{};
    std::array<ClickLabel*, 7> label_conf{};
    ClickLabel* Label5 = nullptr;
    ClickLabel* label_status = nullptr;
    QLineEdit* unosbox = nullptr;

    QMenu* menu1 = nullptr;
    QAction* menuclear = nullptr;
    QAction* menuopen = nullptr;
    QAction* menusave = nullptr;
    QMenu* menu3 = nullptr;
    QAction* menuprogram = nullptr;
    QAction* menuread = nullptr;
    QAction* menuerase = nullptr;
    QAction* menublank = nullptr;
    QAction* menuverify = nullptr;
    QMenu* menu4 = nullptr;
    QAction* menumodel = nullptr;
    QAction* menuport = nullptr;
    QAction* menubaud = nullptr;
    QAction* menuprogtime = nullptr;
    QAction* menucolors = nullptr;
    QMenu* menu5 = nullptr;
    QAction* menuportinfo = nullptr;
    QAction* menuabout = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Builds every control and menu at its design place (main_window_layout.cpp).
    void build_layout();
    // Connects the controls' events to their handlers.
    void connect_events();
    // Whether the window is in its busy state, as the label shortcuts ask.
    bool busy() const;
    // The label shortcuts: each does its command only while not busy.
    void when_idle(void (Form1::*command)());

    void MSComm1_OnComm();
    void MSComm1_LineGone();
    void scroll_changed();
    void scroll_dragged();

    // The in-place editor (main_window_editor.cpp).
    void connect_editor();
    void grid_MouseUp(int grid, Qt::MouseButton button, int x, int y);
    void grid_GotFocus(int grid);
    void label_conf_Click(int index);
    void unosbox_LostFocus();
    void unosbox_KeyPress(int key_ascii);

    // The wheel's hook (main_window_wheel.cpp).
    void hook_wheel();
    void unhook_wheel();
    bool wheel_message(QObject* watched, QEvent* event);
    // The scroll bar that the wheel steps: none before either bar had the focus.
    ScrollBar* wheel_bar() const;

    program_state& state_;
    settings_store& settings_;
    message_box_host& boxes_;
    input_box_host& inputs_;
    file_dialog_host& files_;

    SerialControl MSComm1;
    programming_engine engine_;
    port_setup ports_;
    event_yield yield_;
    std::unique_ptr<paced_label> status_line_; // label_status, painted at most once a frame

    std::string last_path_;
    int active_grid_ = 0;
    bool edit_pending_ = false;
    int edit_target_ = 0;
    std::int32_t edit_index_ = 0;
    bool wheel_hooked_ = false;
    bool closed_ = false;
};

} // namespace pellandor
