// The main window's life: its start sequence, the dispatch of its commands,
// the busy state, the focus rules of the grids and the painting from the theme.
#include "mainwindow/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include <algorithm>
#include <array>

#include "devices/model_chooser_form.h"
#include "mainwindow/hex_grid_widget.h"
#include "mainwindow/paced_label_widget.h"
#include "mainwindow/small_boxes.h"
#include "startup/app_info.h"
#include "startup/controls_widget.h"
#include "startup/text_value.h"
#include "themes/theme_chooser_form.h"

namespace pellandor {

Form1::Form1(program_state& state, settings_store& settings, message_box_host& boxes,
             input_box_host& inputs, file_dialog_host& files, QWidget* parent)
    : QMainWindow(parent), state_(state), settings_(settings), boxes_(boxes), inputs_(inputs),
      files_(files), engine_(*this, state.model, state.image),
      ports_(MSComm1, settings, [this](const std::string& text) { set_status(text); }) {
    build_layout();
    status_line_ = std::make_unique<paced_label>(*label_status);
    connect_events();
}

Form1::~Form1() = default;

void Form1::Form_Load() {
    loadtheme(settings_, state_.theme);
    settheme();
    show();
    last_path_ = settings_.get_string_setting(setting::last_path, state_.app_path);
    selected_model& model = state_.model;
    model.model_index = round_half_even(text_value(settings_.get_string_setting(
        setting::microcontroller_model, setting_default::microcontroller_model)));
    if (model.model_index < 1 || model.model_index > state_.devices.device_count) {
        model.model_index = 1;
        settings_.save_string_setting(setting::microcontroller_model, "1");
    }
    select_model(state_.devices, model);
    menuclear_Click();
    engine_.reset_get_phase();
    ports_.scan_ports();
    ports_.open_port();
}

void Form1::connect_events() {
    const std::pair<QPushButton*, QAction*> starts[] = {
        {Command1, menuprogram}, {Command2, menuread},   {Command3, menuerase},
        {Command4, menublank},   {Command5, menuverify},
    };
    const operation_kind kinds[] = {operation_kind::program, operation_kind::read,
                                    operation_kind::erase, operation_kind::blank,
                                    operation_kind::verify};
    for (std::size_t i = 0; i < std::size(kinds); ++i) {
        const operation_kind kind = kinds[i];
        auto start = [this, kind] { engine_.start_operation(kind); };
        connect(starts[i].first, &QPushButton::clicked, this, start);
        connect(starts[i].second, &QAction::triggered, this, start);
    }
    connect(menuclear, &QAction::triggered, this, &Form1::menuclear_Click);
    connect(menuopen, &QAction::triggered, this, &Form1::menuopen_Click);
    connect(menusave, &QAction::triggered, this, &Form1::menusave_Click);
    connect(menumodel, &QAction::triggered, this, &Form1::menumodel_Click);
    connect(menucolors, &QAction::triggered, this, &Form1::menucolors_Click);
    connect(menuprogtime, &QAction::triggered, this, &Form1::menuprogtime_Click);
    connect(menuportinfo, &QAction::triggered, this, &Form1::menuportinfo_Click);
    connect(menuabout, &QAction::triggered, this, &Form1::menuabout_Click);
    for (ClickLabel* label : {label_hex, Label7}) {
        connect(label, &ClickLabel::clicked, this, [this] { when_idle(&Form1::menuopen_Click); });
    }
    for (ClickLabel* label : {label_ime, label_info, Label1}) {
        connect(label, &ClickLabel::clicked, this, [this] { when_idle(&Form1::menumodel_Click); });
    }
    connect(menuport, &QAction::triggered, this, &Form1::menuport_Click);
    connect(menubaud, &QAction::triggered, this, &Form1::menubaud_Click);

    connect(scrl1, &ScrollBar::changed, this, &Form1::scroll_changed);
    connect(scrl2, &ScrollBar::changed, this, &Form1::scroll_changed);
    connect(scrl1, &ScrollBar::scrolled, this, &Form1::scroll_dragged);
    connect(scrl2, &ScrollBar::scrolled, this, &Form1::scroll_dragged);
    connect(scrl1, &ScrollBar::got_focus, this, [this] { active_grid_ = 1; });
    connect(scrl2, &ScrollBar::got_focus, this, [this] { active_grid_ = 2; });
    // No grid keeps the focus, and the pointer over a grid makes it the
    // wheel's target.
    connect(tabla_flash, &HexGrid::mouse_moved, this, [this] {
        if (active_grid_ == 2) {
            scrl1->setFocus();
        }
    });
    connect(tabla_eeprom, &HexGrid::mouse_moved, this, [this] {
        if (active_grid_ == 1) {
            scrl2->setFocus();
        }
    });
    connect(surface, &FormSurface::clicked, this, [this] { scrl1->setFocus(); });
    connect_editor();

    connect(&MSComm1, &SerialControl::on_comm, this, &Form1::MSComm1_OnComm);
    connect(&MSComm1, &SerialControl::line_gone, this, &Form1::MSComm1_LineGone);
}

bool Form1::busy() const {
    return !menu1->menuAction()->isEnabled();
}

void Form1::when_idle(void (Form1::*command)()) {
    if (!busy()) {
        (this->*command)();
    }
}

void Form1::menumodel_Click() {
    {
        Form5 chooser(state_.devices, state_.model, settings_, state_.theme, this);
        chooser.exec();
    }
    // Leaving the chooser always empties the buffers, whatever was chosen.
    menuclear_Click();
}

void Form1::menucolors_Click() {
    Form34 chooser(
        settings_, state_.theme, [this] { settheme(); }, this);
    chooser.exec();
}

void Form1::menuprogtime_Click() {
    change_programming_time(inputs_, *this, state_.model.programming_time);
}

void Form1::menuportinfo_Click() {
    my_msgbox(pinout_text(), msgbox_plain, app_title);
}

void Form1::menuabout_Click() {
    my_msgbox(about_text(), msgbox_plain, app_title);
}

void Form1::disable() {
    const std::array buttons{Command1, Command2, Command3, Command4, Command5};
    // A control greyed while it has the focus would hand it on along the tab
    // chain to a scroll bar, and the wheel would go to that bar's grid. The
    // focus goes to the wheel's own bar instead, or to the background while
    // no bar has had it; the window gives it back there when it is activated
    // again.
    if (std::ranges::find(buttons, focusWidget()) != buttons.end()) {
        ScrollBar* bar = wheel_bar();
        if (bar != nullptr) {
            bar->setFocus();
        } else {
            surface->setFocus();
        }
    }
    for (QMenu* menu : {menu1, menu3, menu4, menu5}) {
        menu->menuAction()->setEnabled(false);
    }
    for (QPushButton* button : buttons) {
        button->setEnabled(false);
    }
    yield();
}

void Form1::enable() {
    for (QMenu* menu : {menu1, menu3, menu4, menu5}) {
        menu->menuAction()->setEnabled(true);
    }
    for (QPushButton* button : {Command1, Command2, Command3, Command4, Command5}) {
        button->setEnabled(true);
    }
    yield();
}

void Form1::settheme() {
    const theme_colors& theme = state_.theme;
    surface->set_back_color(theme.col_form_back);
    const std::pair<ClickLabel*, std::pair<theme_color, theme_color>> labels[] = {
        {label_ime, {theme.col_name_back, theme.col_name_fore}},
        {label_info, {theme.col_title_back, theme.col_title_fore}},
        {Label3, {theme.col_memhead_back, theme.col_memhead_fore}},
        {Label4, {theme.col_memhead_back, theme.col_memhead_fore}},
        {Label1, {theme.col_modelhead_back, theme.col_modelhead_fore}},
        {Label5, {theme.col_name_back, theme.col_name_fore}},
        {Label7, {theme.col_hexhead_back, theme.col_hexhead_fore}},
        {lfix[0], {theme.col_select_back, theme.col_select_fore}},
        {lfix[1], {theme.col_select_back, theme.col_select_fore}},
        {lfix[2], {theme.col_select_back, theme.col_select_fore}},
        {label_hex, {theme.col_field_back, theme.col_field_fore}},
        {label_status, {theme.col_field_back, theme.col_field_fore}},
    };
    for (const auto& [label, colors] : labels) {
        set_back_color(*label, colors.first);
        set_fore_color(*label, colors.second);
    }
    for (ClickLabel* field : label_conf) {
        set_back_color(*field, theme.col_field_back);
        set_fore_color(*field, theme.col_field_fore);
    }
}

void Form1::closeEvent(QCloseEvent* event) {
    // Nothing may reach the adapter, and no step may run, once the window is gone.
    closed_ = true;
    disconnect(&MSComm1, &SerialControl::on_comm, this, &Form1::MSComm1_OnComm);
    MSComm1.close_port();
    event->accept();
}

} // namespace pellandor
