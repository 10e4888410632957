// The main window's controls and menus at their design places, in twips.
#include <QAction>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include "mainwindow/hex_grid_widget.h"
#include "mainwindow/main_window.h"
#include "startup/app_info.h"
#include "startup/controls_widget.h"

namespace pellandor {

namespace {

constexpr const char* open_tip = "Click to open HEX file!";
constexpr const char* model_tip = "Click to change microcontroller model!";
constexpr const char* grid_tip = "Right click on the location to edit its value!";
constexpr const char* edit_tip = "Click to edit!";

struct label_design {
    ClickLabel* Form1::*member;
    const char* text;
    twips_rect at;
    const char* tip;
};

// Top to bottom, as the window shows them; the configuration rows follow.
const label_design label_designs[] = {
    {&Form1::Label7, "Loaded HEX File", {60, 60, 1755, 255}, open_tip},
    {&Form1::label_hex, "", {60, 360, 6075, 255}, open_tip},
    {&Form1::Label1, "Microcontroller Model", {60, 1140, 2055, 255}, model_tip},
    {&Form1::label_ime, "", {2160, 1140, 2535, 255}, model_tip},
    {&Form1::label_info, "", {60, 1440, 4635, 255}, model_tip},
    {&Form1::Label3, "FLASH Memory", {60, 1800, 1575, 255}, nullptr},
    {&Form1::Label4, "EEPROM Memory", {60, 3960, 1575, 255}, nullptr},
    {&Form1::Label5, "Status", {5280, 5820, 1755, 255}, nullptr},
    {&Form1::label_status, "", {60, 6120, 6975, 255}, nullptr},
};

struct button_design {
    QPushButton* Form1::*member;
    const char* text;
    twips_rect at;
};

const button_design button_designs[] = {
    {&Form1::Command1, "Program All", {60, 720, 1155, 315}},
    {&Form1::Command2, "Read All", {1260, 720, 1095, 315}},
    {&Form1::Command3, "Erase All", {2400, 720, 1095, 315}},
    {&Form1::Command4, "Blank Check", {3540, 720, 1155, 315}},
    {&Form1::Command5, "Verify", {4740, 720, 1095, 315}},
};

const char* const lfix_texts[] = {"Lock Bit Byte", "Signature Bytes", "Fuse Bytes"};
// The seven configuration fields: lock; signature 0, 1, 2; fuse low, high, extended.
const twips_rect label_conf_places[] = {
    {5400, 4260, 375, 255}, {5400, 4560, 375, 255}, {5820, 4560, 375, 255}, {6240, 4560, 375, 255},
    {5400, 4860, 375, 255}, {5820, 4860, 375, 255}, {6240, 4860, 375, 255},
};

struct menu_design {
    QAction* Form1::*member;
    const char* caption;
};

QMenu* add_menu(QMenuBar& bar, Form1& form, const char* caption,
                std::initializer_list<menu_design> entries) {
    QMenu* menu = bar.addMenu(QString::fromLatin1(caption));
    for (const menu_design& entry : entries) {
        form.*entry.member = menu->addAction(QString::fromLatin1(entry.caption));
    }
    return menu;
}

} // namespace

void Form1::build_layout() {
    setWindowTitle(QString::fromLatin1(app_title));
    surface = new FormSurface(this);
    surface->setFont(window_font());
    surface->setFixedSize(twips(7095), twips(6435));
    setCentralWidget(surface);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    for (const label_design& design : label_designs) {
        auto* label = new ClickLabel(surface);
        label->setText(QString::fromLatin1(design.text));
        set_geometry(*label, design.at);
        if (design.tip != nullptr) {
            label->setToolTip(QString::fromLatin1(design.tip));
        }
        this->*design.member = label;
    }
    for (const button_design& design : button_designs) {
        QPushButton* button = add_button(*surface, QString::fromLatin1(design.text), design.at);
        button->setAutoDefault(false);
        this->*design.member = button;
    }
    for (std::size_t i = 0; i < lfix.size(); ++i) {
        lfix[i] = new ClickLabel(surface);
        lfix[i]->setText(QString::fromLatin1(lfix_texts[i]));
        set_geometry(*lfix[i], {4080, 4260 + 300 * static_cast<int>(i), 1275, 255});
    }
    for (std::size_t i = 0; i < label_conf.size(); ++i) {
        label_conf[i] = new ClickLabel(surface);
        label_conf[i]->setFont(console_font());
        label_conf[i]->setToolTip(QString::fromLatin1(edit_tip));
        set_geometry(*label_conf[i], label_conf_places[i]);
    }

    tabla_flash = new HexGrid(surface);
    set_geometry(*tabla_flash, {60, 2100, 6735, 1755});
    tabla_flash->setToolTip(QString::fromLatin1(grid_tip));
    scrl1 = new ScrollBar(surface);
    set_geometry(*scrl1, {6780, 2100, 255, 1755});
    tabla_eeprom = new HexGrid(surface);
    set_geometry(*tabla_eeprom, {60, 4260, 3615, 1755});
    tabla_eeprom->setToolTip(QString::fromLatin1(grid_tip));
    scrl2 = new ScrollBar(surface);
    set_geometry(*scrl2, {3660, 4260, 255, 1755});

    unosbox = new QLineEdit(surface);
    unosbox->setFont(console_font());
    unosbox->setFrame(false);
    unosbox->setAlignment(Qt::AlignLeft);
    set_geometry(*unosbox, {1740, 3960, 375, 255});
    unosbox->hide();

    QMenuBar& bar = *menuBar();
    menu1 = add_menu(bar, *this, "&File",
                     {{&Form1::menuclear, "&Clear Buffer"},
                      {&Form1::menuopen, "&Open HEX File"},
                      {&Form1::menusave, "&Save Buffer As"}});
    menu3 = add_menu(bar, *this, "&Tools",
                     {{&Form1::menuprogram, "&Program All"},
                      {&Form1::menuread, "&Read All"},
                      {&Form1::menuerase, "&Erase All"},
                      {&Form1::menublank, "&Blank Check"},
                      {&Form1::menuverify, "&Verify"}});
    menu4 = add_menu(bar, *this, "&Options",
                     {{&Form1::menumodel, "Change Microcontroller Model"},
                      {&Form1::menuport, "Change Serial Port Number"},
                      {&Form1::menubaud, "Change Baud Rate"},
                      {&Form1::menuprogtime, "Change Default Programming Time"},
                      {&Form1::menucolors, "Change Color Theme"}});
    menu5 = add_menu(bar, *this, "Help",
                     {{&Form1::menuportinfo, "Serial Port Pinout"},
                      {&Form1::menuabout, "About Quillmere Pellandor"}});
}

} // namespace pellandor
