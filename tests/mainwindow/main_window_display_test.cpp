// The grids, their scrolling, the focus rules that pick the wheel's grid,
// clearing the buffers and painting from the theme.
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "mainwindow/hex_grid_widget.h"
#include "startup/controls_widget.h"
#include "window_fixture.h"

namespace pellandor::testing {
namespace {

class Display : public window_fixture {
protected:
    Form1& active(const char* model = "1") {
        backend.texts["Microcontroller Model"] = model;
        return load_active();
    }

    static std::string first_line(const HexGrid& grid) {
        return grid.text().substr(0, grid.text().find('\r'));
    }
    static std::string last_line(const HexGrid& grid) {
        return grid.text().substr(grid.text().rfind('\n') + 1);
    }
};

TEST_F(Display, ScrollingToTheEndShowsTheLastLineOfTheMemoryAndRedrawsBothGrids) {
    Form1& window = active();
    state.image.flash_buffer[0x1FFE] = 0x34;
    state.image.flash_buffer[0x1FFF] = 0x12;
    state.image.eeprom_buffer[0] = 0x5A;
    window.scrl1->setValue(window.scrl1->maximum());
    EXPECT_EQ(first_line(*window.tabla_flash).substr(0, 7), "000FC0:");
    EXPECT_EQ(last_line(*window.tabla_flash), "000FF8: FFFF FFFF FFFF FFFF FFFF FFFF FFFF 1234");
    EXPECT_EQ(first_line(*window.tabla_eeprom), "0000: 5A FF FF FF FF FF FF FF");
}

TEST_F(Display, DraggingTheThumbRedrawsAsItGoes) {
    Form1& window = active();
    window.scrl2->setSliderDown(true);
    window.scrl2->setSliderPosition(3);
    EXPECT_EQ(first_line(*window.tabla_eeprom).substr(0, 5), "0018:");
    window.scrl2->setSliderDown(false);
}

TEST_F(Display, ADefaultThatIsNotHexadecimalShowsAsFF) {
    Form1& window = active("5");
    EXPECT_EQ(state.image.signature_bytes[1], -1);
    EXPECT_EQ(window.label_conf[2]->text(), "FF");
}

TEST_F(Display, AMemorySmallerThanOneScreenShowsTheLinesThatExist) {
    Form1& window = active("3");
    EXPECT_EQ(window.scrl1->maximum(), 4);
    EXPECT_EQ(window.scrl2->maximum(), 0);
    EXPECT_EQ(window.tabla_eeprom->text().size(), 5 * 29 + 4 * 2U);
    window.scrl1->setValue(4);
    EXPECT_EQ(last_line(*window.tabla_flash).substr(0, 7), "000058:");
}

TEST_F(Display, ClearBufferErasesTheImageAndBringsBothGridsBack) {
    Form1& window = active();
    state.image.flash_buffer[5] = 0;
    state.image.eeprom_buffer[7] = 0;
    state.image.fuse_bytes[1] = 0x12;
    window.label_hex->setText("/tmp/x.hex");
    window.label_status->setText("Chip programmed.");
    window.scrl1->setValue(100);
    window.scrl2->setValue(20);
    window.scrl2->setFocus();
    window.menuclear->trigger();
    EXPECT_EQ(state.image.flash_buffer[5], 0xFF);
    EXPECT_EQ(state.image.eeprom_buffer[7], 0xFF);
    EXPECT_EQ(window.label_conf[5]->text(), "D9");
    EXPECT_EQ(window.scrl1->value(), 0);
    EXPECT_EQ(window.scrl2->value(), 0);
    EXPECT_EQ(first_line(*window.tabla_flash).substr(0, 7), "000000:");
    EXPECT_EQ(window.label_hex->text(), "");
    EXPECT_EQ(window.label_status->text(), "");
    EXPECT_EQ(window.active_grid(), 1);
    EXPECT_TRUE(window.Command1->isEnabled());
}

TEST_F(Display, ChangingToASmallerModelWhileScrolledDownShowsItsFirstLines) {
    Form1& window = active("4");
    window.scrl1->setValue(window.scrl1->maximum());
    window.scrl2->setValue(window.scrl2->maximum());
    state.model.model_index = 3;
    select_model(state.devices, state.model);
    window.menuclear_Click();
    EXPECT_EQ(state.image.flash_buffer.size(), 200U);
    EXPECT_EQ(first_line(*window.tabla_flash).substr(0, 7), "000000:");
    EXPECT_EQ(first_line(*window.tabla_eeprom).substr(0, 5), "0000:");
}

TEST_F(Display, NoGridKeepsTheFocusAndThePointerPicksTheWheelsGrid) {
    Form1& window = active();
    EXPECT_EQ(window.active_grid(), 1);
    QTest::mouseMove(window.tabla_eeprom, QPoint(50, 50));
    EXPECT_EQ(window.focusWidget(), window.scrl2);
    EXPECT_EQ(window.active_grid(), 2);
    QTest::mouseMove(window.tabla_flash, QPoint(50, 50));
    EXPECT_EQ(window.active_grid(), 1);
    QTest::mouseClick(window.tabla_eeprom, Qt::LeftButton, {}, QPoint(30, 30));
    EXPECT_EQ(window.focusWidget(), window.scrl2);
    QTest::mouseClick(window.surface, Qt::LeftButton, {}, QPoint(300, 370));
    EXPECT_EQ(window.focusWidget(), window.scrl1);
    EXPECT_EQ(window.active_grid(), 1);
    // A click on a bar makes its grid the wheel's.
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
                      window.scrl2->mapTo(&window, QPoint(8, 60)));
    EXPECT_EQ(window.active_grid(), 2);
    QTest::mouseClick(window.surface, Qt::LeftButton, {}, QPoint(300, 370));
    // A label is no part of the background.
    window.scrl2->setFocus();
    QTest::mouseClick(window.Label3, Qt::LeftButton);
    EXPECT_EQ(window.active_grid(), 2);
}

TEST_F(Display, BusyStateTurnsOffTheFourMenusAndFiveButtonsOnly) {
    Form1& window = active();
    window.disable();
    window.disable();
    for (QMenu* menu : {window.menu1, window.menu3, window.menu4, window.menu5}) {
        EXPECT_FALSE(menu->menuAction()->isEnabled());
    }
    for (QPushButton* b :
         {window.Command1, window.Command2, window.Command3, window.Command4, window.Command5}) {
        EXPECT_FALSE(b->isEnabled());
    }
    EXPECT_TRUE(window.scrl1->isEnabled());
    EXPECT_TRUE(window.tabla_flash->isEnabled());
    window.enable(); // one enable ends it, however many disables came before
    EXPECT_TRUE(window.menu1->menuAction()->isEnabled());
    EXPECT_TRUE(window.Command5->isEnabled());
}

TEST_F(Display, ThemeColoursReachTheLabelsButNotTheGridsButtonsOrScrollBars) {
    backend.texts["Color Theme"] = "Bricks Set";
    Form1& window = active();
    const theme_colors& theme = state.theme;
    EXPECT_EQ(window.surface->back_color(), theme.col_form_back);
    const std::tuple<QWidget*, theme_color, theme_color> painted[] = {
        {window.label_ime, theme.col_name_back, theme.col_name_fore},
        {window.label_info, theme.col_title_back, theme.col_title_fore},
        {window.Label3, theme.col_memhead_back, theme.col_memhead_fore},
        {window.Label4, theme.col_memhead_back, theme.col_memhead_fore},
        {window.Label1, theme.col_modelhead_back, theme.col_modelhead_fore},
        {window.Label5, theme.col_name_back, theme.col_name_fore},
        {window.Label7, theme.col_hexhead_back, theme.col_hexhead_fore},
        {window.lfix[2], theme.col_select_back, theme.col_select_fore},
        {window.label_hex, theme.col_field_back, theme.col_field_fore},
        {window.label_status, theme.col_field_back, theme.col_field_fore},
        {window.label_conf[6], theme.col_field_back, theme.col_field_fore},
    };
    for (const auto& [widget, back, fore] : painted) {
        EXPECT_EQ(back_color(*widget), back) << widget->objectName().toStdString();
        EXPECT_EQ(fore_color(*widget), fore);
    }
    const QPalette standard = QApplication::palette();
    for (QWidget* plain :
         {static_cast<QWidget*>(window.tabla_flash), static_cast<QWidget*>(window.scrl1),
          static_cast<QWidget*>(window.Command1), static_cast<QWidget*>(window.unosbox)}) {
        EXPECT_EQ(plain->palette().color(QPalette::Window), standard.color(QPalette::Window));
        EXPECT_EQ(plain->palette().color(QPalette::Base), standard.color(QPalette::Base));
    }
}

} // namespace
} // namespace pellandor::testing
