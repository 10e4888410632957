// The main window's start sequence and its design layout.
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "mainwindow/hex_grid_widget.h"
#include "startup/controls_widget.h"
#include "window_fixture.h"

namespace pellandor::testing {
namespace {

class StartSequence : public window_fixture {};

TEST_F(StartSequence, AnEmptyStoreGivesModelOneAndStoresEveryDefault) {
    Form1& window = load();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(backend.texts["Last Path"], "/opt/pellandor/");
    EXPECT_EQ(window.last_path(), "/opt/pellandor/");
    EXPECT_EQ(backend.texts["Microcontroller Model"], "1");
    EXPECT_EQ(backend.texts["Color Theme"], "Original Lite");
    EXPECT_EQ(backend.numbers["Serial Port Number"], 2); // no port opens: the default is 2
    EXPECT_EQ(backend.texts["Serial Port Baud Rate"], "56000");
    EXPECT_EQ(window.label_status->text(), "Serial port COM2 error!");
    EXPECT_EQ(window.label_ime->text(), "ATmega8");
    EXPECT_EQ(window.label_info->text(), "FLASH: 8192,  EEPROM: 512");
    EXPECT_EQ(window.label_hex->text(), "");
    EXPECT_EQ(window.tabla_flash->text().substr(0, 47),
              "000000: FFFF FFFF FFFF FFFF FFFF FFFF FFFF FFFF");
    EXPECT_EQ(window.tabla_eeprom->text().substr(0, 29), "0000: FF FF FF FF FF FF FF FF");
    const char* const defaults[] = {"FF", "1E", "93", "07", "E1", "D9", "FF"};
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(window.label_conf[i]->text(), defaults[i]) << i;
    }
    EXPECT_EQ(window.scrl1->maximum(), 504);
    EXPECT_EQ(window.scrl2->maximum(), 56);
    EXPECT_EQ(window.focusWidget(), window.scrl1);
    EXPECT_EQ(window.engine().operation_mode(), "");
    EXPECT_TRUE(boxes.boxes.empty());
}

struct stored_model {
    const char* stored;
    std::int32_t model;
    const char* after; // the stored text afterwards
};

class StoredModel : public window_fixture, public ::testing::WithParamInterface<stored_model> {};

TEST_P(StoredModel, OutOfRangeOrNotANumberBecomesModelOneAndIsStoredBack) {
    backend.texts["Microcontroller Model"] = GetParam().stored;
    Form1& window = load();
    EXPECT_EQ(state.model.model_index, GetParam().model);
    EXPECT_EQ(backend.texts["Microcontroller Model"], GetParam().after);
    EXPECT_EQ(window.label_ime->text().toStdString(), state.model.model_name);
}

INSTANTIATE_TEST_SUITE_P(Values, StoredModel,
                         ::testing::Values(stored_model{"0", 1, "1"}, stored_model{"-3", 1, "1"},
                                           stored_model{"abc", 1, "1"}, stored_model{"7", 1, "1"},
                                           stored_model{"2.5", 2, "2.5"},
                                           stored_model{"3.5", 4, "3.5"},
                                           stored_model{" 5", 5, " 5"}),
                         [](const auto& param) { return "case" + std::to_string(param.index); });

TEST_F(StartSequence, AStoredThemeAndFolderAreTakenAsTheyStand) {
    backend.texts["Last Path"] = "/home/user/hex/";
    backend.texts["Microcontroller Model"] = "2";
    Form1& window = load();
    EXPECT_EQ(window.last_path(), "/home/user/hex/");
    EXPECT_EQ(window.label_ime->text(), "NoEeprom");
    EXPECT_EQ(window.tabla_eeprom->text(), "");
    EXPECT_EQ(window.scrl2->maximum(), 0);
    EXPECT_EQ(window.label_conf[0]->text(), "FC");
}

class Layout : public window_fixture {};

struct control_place {
    const char* name;
    QWidget* Form1::*widget;
    int left, top, width, height; // twips
};

TEST_F(Layout, EveryControlStandsAtItsDesignPlace) {
    Form1& window = make();
    EXPECT_EQ(window.surface->size(), QSize(473, 429));
    const auto at = [](QWidget* w) { return w->geometry(); };
    const std::pair<QWidget*, QRect> places[] = {
        {window.Label7, {4, 4, 117, 17}},           {window.label_hex, {4, 24, 405, 17}},
        {window.Command1, {4, 48, 77, 21}},         {window.Command2, {84, 48, 73, 21}},
        {window.Command3, {160, 48, 73, 21}},       {window.Command4, {236, 48, 77, 21}},
        {window.Command5, {316, 48, 73, 21}},       {window.Label1, {4, 76, 137, 17}},
        {window.label_ime, {144, 76, 169, 17}},     {window.label_info, {4, 96, 309, 17}},
        {window.Label3, {4, 120, 105, 17}},         {window.tabla_flash, {4, 140, 449, 117}},
        {window.scrl1, {452, 140, 17, 117}},        {window.Label4, {4, 264, 105, 17}},
        {window.tabla_eeprom, {4, 284, 241, 117}},  {window.scrl2, {244, 284, 17, 117}},
        {window.lfix[0], {272, 284, 85, 17}},       {window.lfix[1], {272, 304, 85, 17}},
        {window.lfix[2], {272, 324, 85, 17}},       {window.label_conf[0], {360, 284, 25, 17}},
        {window.label_conf[1], {360, 304, 25, 17}}, {window.label_conf[2], {388, 304, 25, 17}},
        {window.label_conf[3], {416, 304, 25, 17}}, {window.label_conf[4], {360, 324, 25, 17}},
        {window.label_conf[5], {388, 324, 25, 17}}, {window.label_conf[6], {416, 324, 25, 17}},
        {window.Label5, {352, 388, 117, 17}},       {window.label_status, {4, 408, 465, 17}},
    };
    for (const auto& [widget, rect] : places) {
        EXPECT_EQ(at(widget), rect)
            << widget->metaObject()->className() << " " << widget->toolTip().toStdString();
    }
    EXPECT_FALSE(window.unosbox->isVisible());
}

TEST_F(Layout, TextsToolTipsAndFonts) {
    Form1& window = make();
    EXPECT_EQ(window.windowTitle(), "Quillmere Pellandor");
    const std::pair<QLabel*, const char*> texts[] = {
        {window.Label7, "Loaded HEX File"},  {window.Label1, "Microcontroller Model"},
        {window.Label3, "FLASH Memory"},     {window.Label4, "EEPROM Memory"},
        {window.Label5, "Status"},           {window.lfix[0], "Lock Bit Byte"},
        {window.lfix[1], "Signature Bytes"}, {window.lfix[2], "Fuse Bytes"},
    };
    for (const auto& [label, text] : texts) {
        EXPECT_EQ(label->text(), text);
        EXPECT_EQ(label->font().families().front(), "Microsoft Sans Serif");
        EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 8.25);
        EXPECT_TRUE(label->alignment() & Qt::AlignHCenter);
    }
    const char* const buttons[] = {"Program All", "Read All", "Erase All", "Blank Check", "Verify"};
    QPushButton* const commands[] = {window.Command1, window.Command2, window.Command3,
                                     window.Command4, window.Command5};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(commands[i]->text(), buttons[i]);
        EXPECT_EQ(commands[i]->toolTip(), "");
    }
    const std::pair<QWidget*, const char*> tips[] = {
        {window.Label7, "Click to open HEX file!"},
        {window.label_hex, "Click to open HEX file!"},
        {window.Label1, "Click to change microcontroller model!"},
        {window.label_ime, "Click to change microcontroller model!"},
        {window.label_info, "Click to change microcontroller model!"},
        {window.tabla_flash, "Right click on the location to edit its value!"},
        {window.tabla_eeprom, "Right click on the location to edit its value!"},
        {window.label_conf[3], "Click to edit!"},
        {window.Label3, ""},
        {window.label_status, ""},
    };
    for (const auto& [widget, tip] : tips) {
        EXPECT_EQ(widget->toolTip(), tip);
    }
    for (QWidget* console :
         {static_cast<QWidget*>(window.tabla_flash), static_cast<QWidget*>(window.label_conf[0]),
          static_cast<QWidget*>(window.unosbox)}) {
        EXPECT_EQ(console->font().families().front(), "Lucida Console");
        EXPECT_DOUBLE_EQ(console->font().pointSizeF(), 9.75);
    }
}

TEST_F(Layout, MenusWithTheirAccessLettersAndNoShortcutKeys) {
    Form1& window = make();
    const std::vector<std::pair<QString, QStringList>> expected = {
        {"&File", {"&Clear Buffer", "&Open HEX File", "&Save Buffer As"}},
        {"&Tools", {"&Program All", "&Read All", "&Erase All", "&Blank Check", "&Verify"}},
        {"&Options",
         {"Change Microcontroller Model", "Change Serial Port Number", "Change Baud Rate",
          "Change Default Programming Time", "Change Color Theme"}},
        {"Help", {"Serial Port Pinout", "About Quillmere Pellandor"}},
    };
    const QList<QAction*> menus = window.menuBar()->actions();
    ASSERT_EQ(menus.size(), 4);
    for (std::size_t m = 0; m < expected.size(); ++m) {
        const auto i = static_cast<qsizetype>(m);
        EXPECT_EQ(menus[i]->text(), expected[m].first);
        QStringList entries;
        for (QAction* entry : menus[i]->menu()->actions()) {
            entries << entry->text();
            EXPECT_TRUE(entry->shortcut().isEmpty());
        }
        EXPECT_EQ(entries, expected[m].second);
    }
}

} // namespace
} // namespace pellandor::testing
