// The in-place editor as a person uses it: a right-click on a cell, typing,
// Enter or Esc; a click on a configuration field.
#include <QLineEdit>
#include <QTest>

#include "mainwindow/hex_grid_widget.h"
#include "startup/controls_widget.h"
#include "window_fixture.h"

namespace pellandor::testing {
namespace {

class Editor : public window_fixture {
protected:
    // A right-click on the cell's middle, by column and row of values.
    static void right_click(HexGrid& grid, int chars_before, int chars_per_value, int col,
                            int row) {
        const QPoint at((chars_before + chars_per_value * col + 1) * HexGrid::cell_width,
                        row * HexGrid::cell_height + 6);
        QTest::mouseClick(grid.window()->windowHandle(), Qt::RightButton, {},
                          grid.mapTo(grid.window(), at));
    }
    static void type(Form1& window, const char* text, Qt::Key end = Qt::Key_Return) {
        QTest::keyClicks(window.unosbox, QString::fromLatin1(text));
        QTest::keyClick(window.unosbox, end);
    }
};

TEST_F(Editor, AWordTypedIntoAFlashCellGoesToItsTwoBytes) {
    Form1& window = load_active();
    window.scrl1->setValue(2);
    right_click(*window.tabla_flash, 8, 5, 3, 1);
    ASSERT_TRUE(window.unosbox->isVisible());
    EXPECT_EQ(window.focusWidget(), window.unosbox);
    EXPECT_EQ(window.unosbox->geometry(),
              QRect(window.tabla_flash->x() + 64 + 40 * 3, window.tabla_flash->y() + 13, 40, 17));
    EXPECT_EQ(window.unosbox->maxLength(), 4);
    window.label_hex->setText("/tmp/a.hex");
    type(window, "abc");
    const std::size_t word = (2 + 1) * 8 + 3;
    EXPECT_EQ(state.image.flash_buffer[2 * word], 0xBC);
    EXPECT_EQ(state.image.flash_buffer[2 * word + 1], 0x0A);
    EXPECT_NE(window.tabla_flash->text().find(": FFFF FFFF FFFF 0ABC"), std::string::npos);
    EXPECT_FALSE(window.unosbox->isVisible());
    EXPECT_EQ(window.focusWidget(), window.scrl1);
    EXPECT_EQ(window.label_hex->text(), "");
}

struct eeprom_entry {
    const char* typed;
    int stored; // -1: nothing stored
};

class EepromEntries : public Editor, public ::testing::WithParamInterface<eeprom_entry> {};

TEST_P(EepromEntries, StoreAByteOrNothing) {
    Form1& window = load_active();
    right_click(*window.tabla_eeprom, 6, 3, 5, 0);
    ASSERT_TRUE(window.unosbox->isVisible());
    EXPECT_EQ(window.unosbox->maxLength(), 2);
    type(window, GetParam().typed);
    EXPECT_EQ(state.image.eeprom_buffer[5], GetParam().stored < 0 ? 0xFF : GetParam().stored);
    EXPECT_FALSE(window.unosbox->isVisible());
    EXPECT_EQ(window.focusWidget(), window.scrl2);
}

INSTANTIATE_TEST_SUITE_P(Typed, EepromEntries,
                         ::testing::Values(eeprom_entry{"7", 0x07}, eeprom_entry{"a5", 0xA5},
                                           eeprom_entry{"G7", -1}, eeprom_entry{"", -1},
                                           eeprom_entry{" 1", -1}),
                         [](const auto& param) { return "case" + std::to_string(param.index); });

TEST_F(Editor, EscAndALostFocusCloseTheBoxWithoutStoring) {
    Form1& window = load_active();
    right_click(*window.tabla_flash, 8, 5, 0, 0);
    type(window, "12", Qt::Key_Escape);
    EXPECT_FALSE(window.unosbox->isVisible());
    EXPECT_EQ(state.image.flash_buffer[0], 0xFF);

    right_click(*window.tabla_flash, 8, 5, 0, 0);
    QTest::keyClicks(window.unosbox, "12");
    // The pointer over the other grid takes the focus, and with it the edit.
    QTest::mouseMove(window.tabla_eeprom, QPoint(20, 20));
    EXPECT_FALSE(window.unosbox->isVisible());
    EXPECT_EQ(state.image.flash_buffer[0], 0xFF);
}

TEST_F(Editor, TheAddressColumnTheLeftButtonAndCellsPastTheEndOpenNothing) {
    backend.texts["Microcontroller Model"] = "3"; // 200 bytes of FLASH, 40 of EEPROM
    Form1& window = load_active();
    right_click(*window.tabla_flash, 0, 5, 0, 0); // the address column
    EXPECT_FALSE(window.unosbox->isVisible());
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
                      window.tabla_flash->mapTo(&window, QPoint(70, 6)));
    EXPECT_FALSE(window.unosbox->isVisible());
    right_click(*window.tabla_eeprom, 6, 3, 0, 5); // byte 40 of 40
    EXPECT_FALSE(window.unosbox->isVisible());
}

TEST_F(Editor, AConfigurationFieldOpensAtOnceAndStoresItsByte) {
    Form1& window = load_active();
    QTest::mouseClick(window.label_conf[5], Qt::LeftButton);
    ASSERT_TRUE(window.unosbox->isVisible());
    EXPECT_EQ(window.unosbox->geometry(), window.label_conf[5]->geometry());
    EXPECT_EQ(window.unosbox->maxLength(), 2);
    type(window, "62");
    EXPECT_EQ(state.image.fuse_bytes[1], 0x62);
    EXPECT_EQ(window.label_conf[5]->text(), "62");
    EXPECT_EQ(window.focusWidget(), window.scrl1);
}

TEST_F(Editor, TheEditorStaysUsableWhileBusy) {
    Form1& window = load_active();
    window.disable();
    QTest::mouseClick(window.label_conf[0], Qt::LeftButton);
    type(window, "3C");
    EXPECT_EQ(state.image.lock_byte, 0x3C);
    window.enable();
}

} // namespace
} // namespace pellandor::testing
