// The window's commands against the simulated adapter, as a person uses
// them: a HEX file built by avr-gcc opened from the File menu, burnt,
// verified, read back into a cleared buffer and saved again; a word edited in
// the grid reaching the chip; another model chosen in the model chooser. And
// a line that misbehaves: bytes the adapter sends unasked, an adapter pulled
// out while idle and during an operation and plugged back in, an operation
// that stops in the middle of an instruction to the chip.
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

#include "devices/model_chooser_form.h"
#include "e2e_support.h"
#include "hexfile/hex_reader.h"
#include "mainwindow/grid_text.h"
#include "mainwindow/hex_grid_widget.h"
#include "startup/controls_widget.h"
#include "startup/hex_text.h"
#include "startup/input_box_form.h"
#include "startup/message_box_form.h"
#include "support/com_ports.h"
#include "support/double_click.h"
#include "support/modal_answer.h"
#include "support/recording_message_box.h"
#include "support/window_wait.h"
#include "window_harness.h"

namespace pellandor::e2e {
namespace {

constexpr int sim_port = 5;

class window_commands : public ::testing::Test {
protected:
    Form1& start(const std::string& chip, const QStringList& options) {
        entry = &shipped_model_named(chip);
        sim = std::make_unique<adapter_sim>(
            chip, QStringList{"--link", testing::com_port_entry(sim_port)} + options);
        EXPECT_FALSE(sim->pty().isEmpty());
        Form1& window = harness.load(entry->model.model_index, sim_port);
        window.activateWindow();
        EXPECT_TRUE(testing::wait_until_active(window));
        return window;
    }

    // Runs a Tools menu entry to the end of its operation; the status line.
    static std::string run(Form1& window, QAction* entry_of_menu) {
        entry_of_menu->trigger();
        EXPECT_TRUE(testing::wait_while_moving(
            "the window usable again after its operation", [&] { return idle(window); },
            [&] { return progress(window); }));
        return from_qstring(window.label_status->text());
    }

    void expect_stopped_cleanly() {
        const sim_result result = sim->stop();
        EXPECT_EQ(result.exit_code, 0) << result.errors;
        EXPECT_NE(result.errors.find("faults: 0"), std::string::npos) << result.errors;
    }

    std::string path(const char* name) const {
        return from_qstring(folder.filePath(QString::fromLatin1(name)));
    }

    // A chip of the model whose every byte differs from its neighbours, so
    // that a reply taken one command off shows.
    chip_state patterned_chip() const {
        chip_state chip;
        for (std::int32_t i = 0; i < entry->model.flash_size; ++i) {
            chip.flash.push_back(static_cast<std::uint8_t>(i * 7 + i / 256));
        }
        for (std::int32_t i = 0; i < entry->model.eeprom_size; ++i) {
            chip.eeprom.push_back(static_cast<std::uint8_t>(i * 13 + 1));
        }
        const auto& fuses = entry->model.defaults.default_fuses;
        chip.fuses = {static_cast<std::uint8_t>(fuses[0]), static_cast<std::uint8_t>(fuses[1]),
                      static_cast<std::uint8_t>(fuses[2])};
        return chip;
    }

    // The adapter sends a byte nobody asked for, and it reaches the window's
    // port while the window is idle.
    void send_unasked_byte(Form1& window, int count_so_far) {
        sim->send_unasked_byte();
        const QByteArray notice = "unasked bytes sent: " + QByteArray::number(count_so_far);
        ASSERT_TRUE(testing::wait_for("the simulator to send a byte unasked",
                                      [&] { return sim->said(notice); }));
        ASSERT_TRUE(testing::wait_for("the unasked byte waiting at the window's port",
                                      [&] { return window.serial().bytes_waiting() > 0; }));
    }

    // The adapter is plugged in again, with the chip it had, and its port
    // number entered again in the Options menu.
    void plug_back_in(Form1& window) {
        sim = std::make_unique<adapter_sim>(
            entry->chip, QStringList{"--link", testing::com_port_entry(sim_port), "--state-in",
                                     folder.filePath("chip.state"), "--state-out",
                                     folder.filePath("chip.state")});
        ASSERT_FALSE(sim->pty().isEmpty());
        const auto answer = testing::when_modal_opens<Form07>([](Form07& box) {
            EXPECT_EQ(box.txt_input->text(), QString::number(sim_port));
            QTest::mouseClick(box.Command1, Qt::LeftButton);
        });
        window.menuport->trigger();
        EXPECT_EQ(window.label_status->text(), "Serial port COM5 ready...");
    }

    static void expect_usable_after_port_error(Form1& window) {
        ASSERT_TRUE(testing::wait_for("the window usable again once the adapter was gone",
                                      [&] { return idle(window); }));
        EXPECT_EQ(window.label_status->text(), "Serial port COM5 error!");
        EXPECT_TRUE(window.menu1->menuAction()->isEnabled()); // File > Save
        EXPECT_FALSE(window.serial().is_open());
        EXPECT_FALSE(window.port_ready());
    }
    memory_image& image() { return harness.state.image; }

    QTemporaryDir folder;
    window_harness harness;
    const shipped_model* entry = nullptr;
    std::unique_ptr<adapter_sim> sim;
};

TEST_F(window_commands, AProgramOpenedBurntVerifiedReadBackAndSavedKeepsItsFlash) {
#ifndef PELLANDOR_COMPILED_PROGRAMS
    GTEST_SKIP() << "no AVR compiler";
#else
    Form1& window = start("atmega8", {"--state-out", folder.filePath("chip.state")});
    const std::string compiled = PELLANDOR_COMPILED_PROGRAMS "/atmega8.hex";
    harness.files.answers = {compiled};
    window.menuopen->trigger();
    const std::vector<std::uint8_t> program = image().flash_buffer;
    EXPECT_EQ(from_qstring(window.label_status->text()).substr(0, 27),
              "Operation completed. Total ");
    EXPECT_EQ(from_qstring(window.label_hex->text()), compiled);
    EXPECT_TRUE(program == read_hex(QString::fromStdString(compiled), program.size()));

    EXPECT_EQ(run(window, window.menuprogram).substr(0, 17), "Chip programmed. ");
    EXPECT_EQ(run(window, window.menuverify).substr(0, 15), "Chip verified. ");
    window.menuclear->trigger();
    EXPECT_EQ(run(window, window.menuread).substr(0, 11), "Chip read. ");
    EXPECT_TRUE(image().flash_buffer == program) << "the chip read back differs";

    harness.files.answers = {path("saved.hex")};
    window.menusave->trigger();
    EXPECT_EQ(window.label_status->text(), "HEX file saved.");
    testing::recording_message_box reader_boxes;
    std::vector<std::uint8_t> saved(program.size(), 0xFF);
    std::int32_t loaded = 0;
    ASSERT_TRUE(
        read_hexfile(path("saved.hex"), saved, entry->model.flash_size, loaded, reader_boxes));
    EXPECT_TRUE(saved == program) << "the saved file reads back otherwise";
    expect_stopped_cleanly();
    EXPECT_TRUE(read_chip_state(QString::fromStdString(path("chip.state")), entry->model).flash ==
                program);
#endif
}

TEST_F(window_commands, AWordEditedInTheGridGoesToTheChip) {
    Form1& window = start("atmega8", {"--state-out", folder.filePath("chip.state")});
    // Word 0x13: line 2 of the grid, its fourth word.
    const QPoint cell((8 + 5 * 3 + 1) * HexGrid::cell_width, 2 * HexGrid::cell_height + 6);
    QTest::mouseClick(window.windowHandle(), Qt::RightButton, {},
                      window.tabla_flash->mapTo(&window, cell));
    ASSERT_TRUE(window.unosbox->isVisible());
    QTest::keyClicks(window.unosbox, "1234");
    QTest::keyClick(window.unosbox, Qt::Key_Return);
    EXPECT_EQ(run(window, window.menuprogram).substr(0, 17), "Chip programmed. ");
    expect_stopped_cleanly();
    const chip_state chip =
        read_chip_state(QString::fromStdString(path("chip.state")), entry->model);
    EXPECT_EQ(chip.flash[0x26], 0x34);
    EXPECT_EQ(chip.flash[0x27], 0x12);
}

TEST_F(window_commands, AnotherModelBringsItsSizesGridsAndDefaults) {
    Form1& window = start("atmega8", {});
    const shipped_model& tiny = shipped_model_named("attiny2313");
    const auto answer = testing::when_modal_opens<Form5>([&](Form5& chooser) {
        testing::double_click(chooser.opcija[static_cast<std::size_t>(tiny.model.model_index)],
                              Qt::LeftButton);
    });
    QTest::mouseClick(window.label_ime, Qt::LeftButton);
    const selected_model& model = harness.state.model;
    EXPECT_EQ(model.model_index, tiny.model.model_index);
    EXPECT_EQ(from_qstring(window.label_ime->text()), tiny.model.model_name);
    EXPECT_EQ(from_qstring(window.label_info->text()),
              sizes_line(tiny.model.flash_size, tiny.model.eeprom_size));
    EXPECT_EQ(image().flash_buffer.size(), static_cast<std::size_t>(tiny.model.flash_size));
    EXPECT_EQ(window.scrl1->maximum(), flash_scroll_max(tiny.model.flash_size));
    EXPECT_EQ(window.tabla_eeprom->text(),
              eeprom_grid_text(image().eeprom_buffer, tiny.model.eeprom_size, 0));
    EXPECT_EQ(from_qstring(window.label_conf[3]->text()),
              hex2(tiny.model.defaults.default_signature[2]));
    EXPECT_EQ(from_qstring(window.label_conf[4]->text()),
              hex2(tiny.model.defaults.default_fuses[0]));
    EXPECT_EQ(harness.backend.texts["Microcontroller Model"],
              std::to_string(tiny.model.model_index));
}

// Line noise, or an adapter just plugged in: a byte waiting when an
// operation starts must not be taken for the reply to its first command, or
// every later reply would be one command off.
TEST_F(window_commands, BytesTheAdapterSendsUnaskedAreNeverTakenForReplies) {
    entry = &shipped_model_named("atmega8");
    const chip_state chip = patterned_chip();
    write_chip_state(folder.filePath("chip.state"), chip);
    Form1& window = start("atmega8", {"--state-in", folder.filePath("chip.state")});
    send_unasked_byte(window, 1);
    EXPECT_EQ(run(window, window.menuread).substr(0, 11), "Chip read. ");
    EXPECT_TRUE(image().flash_buffer == chip.flash) << "the FLASH read differs from the chip";
    EXPECT_TRUE(image().eeprom_buffer == chip.eeprom) << "the EEPROM read differs from the chip";
    send_unasked_byte(window, 2);
    EXPECT_EQ(run(window, window.menuverify).substr(0, 15), "Chip verified. ");
    expect_stopped_cleanly();
}

// Every write fails once the adapter is gone; the window must not wait for
// a reply that cannot come, and the port opens again once it is back.
TEST_F(window_commands, AnAdapterPulledOutWhileIdleLeavesTheWindowUsable) {
    Form1& window = start("atmega8", {"--state-out", folder.filePath("chip.state")});
    expect_stopped_cleanly();
    window.menuread->trigger();
    expect_usable_after_port_error(window);

    plug_back_in(window);
    EXPECT_EQ(run(window, window.menuread).substr(0, 11), "Chip read. ");
    expect_stopped_cleanly();
}

TEST_F(window_commands, AnAdapterPulledOutDuringAnOperationStopsItWithTheBuffersKept) {
    Form1& window =
        start("atmega8", {"--stop-after", "200", "--state-out", folder.filePath("chip.state")});
    for (std::size_t i = 0; i < 600; ++i) {
        image().flash_buffer[i] = static_cast<std::uint8_t>(i * 3);
    }
    window.updatedisplay();
    const memory_image edited = image();
    window.menuprogram->trigger();
    ASSERT_TRUE(testing::wait_while_moving(
        "the simulator to leave the window's 201st command unanswered",
        [&] { return sim->said("silent after 200 commands"); }, [&] { return progress(window); }));
    expect_stopped_cleanly();
    expect_usable_after_port_error(window);
    EXPECT_TRUE(image().flash_buffer == edited.flash_buffer) << "the buffer changed";

    plug_back_in(window);
    EXPECT_EQ(run(window, window.menuprogram).substr(0, 17), "Chip programmed. ");
    EXPECT_EQ(run(window, window.menuverify).substr(0, 15), "Chip verified. ");
    expect_stopped_cleanly();
}

// A model of the device list whose FLASH holds one byte: Program All stops
// at the instruction that would send the second, with three of the four
// bytes of an instruction shifted into the chip and RESET held. Released,
// the chip answers the next operation as after any other.
TEST_F(window_commands, AnOperationThatStopsReleasesTheChipForTheNext) {
    const shipped_model& mega8 = shipped_model_named("atmega8");
    harness.state.devices.records[static_cast<std::size_t>(mega8.model.model_index)].device_flash =
        "1";
    Form1& window = start("atmega8", {});
    std::string stop_box;
    {
        const auto answer = testing::when_modal_opens<Form08>([&](Form08& box) {
            stop_box = from_qstring(box.txt_title->toPlainText());
            QTest::mouseClick(box.Command1, Qt::LeftButton);
        });
        EXPECT_EQ(run(window, window.menuprogram), "Operation stopped.");
    }
    EXPECT_EQ(stop_box, "The symbolic instruction 's-flashh' cannot be carried out: the address "
                        "counter 0 lies outside the FLASH buffer.\nThe operation is stopped.");
    ASSERT_TRUE(testing::wait_for("the adapter's reply to the end command",
                                  [&] { return window.serial().bytes_waiting() == 1; }));
    EXPECT_EQ(run(window, window.menuverify).substr(0, 15), "Chip verified. ");
    const sim_result result = sim->stop();
    EXPECT_NE(result.errors.find("fault: RESET released after 3 of 4 instruction bytes"),
              std::string::npos)
        << result.errors;
    EXPECT_NE(result.errors.find("faults: 1\n"), std::string::npos) << result.errors;
}

} // namespace
} // namespace pellandor::e2e
