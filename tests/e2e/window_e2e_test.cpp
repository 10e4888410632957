// The main window against the simulated adapter, linked as COM3 of the
// window's own configuration folder: the five operations started from their
// buttons and from their Tools menu entries, what the chip and the window
// hold afterwards, the status line, the busy state, the mismatch box, and an
// adapter that stops answering.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <chrono>
#include <gtest/gtest.h>
#include <regex>

#include "e2e_support.h"
#include "hexfile/hex_reader.h"
#include "mainwindow/grid_text.h"
#include "mainwindow/hex_grid_widget.h"
#include "startup/controls_widget.h"
#include "startup/hex_text.h"
#include "startup/message_box_form.h"
#include "support/com_ports.h"
#include "support/event_wait.h"
#include "support/modal_answer.h"
#include "support/recording_message_box.h"
#include "window_harness.h"

namespace pellandor::e2e {
namespace {

constexpr int sim_port = 3;

enum class way { button, menu };

struct window_case {
    const char* chip;
    way start;
};

void PrintTo(const window_case& param, std::ostream* out) {
    *out << param.chip << (param.start == way::button ? " from its button" : " from the menu");
}

// Every message box that opens has its text kept and OK pressed, so that a
// box nobody expected fails the test instead of hanging it.
class box_watch {
public:
    box_watch() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<Form08*>(QApplication::activeModalWidget());
            if (box != nullptr && box->isVisible()) {
                texts.push_back(from_qstring(box->txt_title->toPlainText()));
                QTest::mouseClick(box->Command1, Qt::LeftButton);
            }
        });
        timer_.start(20);
    }
    void stop() { timer_.stop(); }
    std::vector<std::string> texts;

private:
    QTimer timer_;
};

struct compiled_program {
    QString hex;
    std::vector<std::uint8_t> flash; // as srec_cat reads the HEX file
    std::vector<std::uint8_t> eeprom;
};

class window_operations : public ::testing::TestWithParam<window_case> {
protected:
    void SetUp() override {
#ifndef PELLANDOR_COMPILED_PROGRAMS
        GTEST_SKIP() << "no AVR compiler";
#else
        ASSERT_TRUE(folder.isValid());
        entry = &shipped_model_named(GetParam().chip);
        const QString compiled =
            QStringLiteral(PELLANDOR_COMPILED_PROGRAMS "/") + QString::fromStdString(entry->chip);
        // srec_cat's binary goes beside the HEX file: a copy of the test's own.
        program.hex = path("program.hex");
        ASSERT_TRUE(QFile::copy(compiled + ".hex", program.hex));
        program.flash = read_hex(program.hex, static_cast<std::size_t>(model().flash_size));
        program.eeprom = read_binary(compiled + ".eep");
        ASSERT_FALSE(program.eeprom.empty());
        program.eeprom.resize(static_cast<std::size_t>(model().eeprom_size), 0xFF);
#endif
    }

    const selected_model& model() const {
        return entry->model;
    }
    memory_image& image() {
        return harness.state.image;
    }
    QString path(const QString& name) const {
        return folder.filePath(name);
    }

    // The simulator, linked as COM3, and the window over it.
    Form1& start_with_chip(const QStringList& options) {
        sim = std::make_unique<adapter_sim>(
            entry->chip, QStringList{"--link", testing::com_port_entry(sim_port)} + options);
        EXPECT_FALSE(sim->pty().isEmpty());
        Form1& window = harness.load(model().model_index, sim_port);
        EXPECT_EQ(status(window), "Serial port COM3 ready...");
        return window;
    }

    // The chip the simulator makes when it has nothing to start from, with
    // the compiled program in it.
    chip_state programmed_chip() {
        adapter_sim factory(entry->chip, {"--state-out", path("factory.state")});
        EXPECT_FALSE(factory.pty().isEmpty());
        expect_no_fault(factory.stop());
        chip_state state = read_chip_state(path("factory.state"), model());
        state.flash = program.flash;
        state.eeprom = program.eeprom;
        return state;
    }

    // The compiled program in the buffers: FLASH through the program's own
    // HEX reader, EEPROM as its bytes.
    void load_program(Form1& window) {
        testing::recording_message_box reader_boxes;
        std::int32_t loaded = 0;
        ASSERT_TRUE(read_hexfile(program.hex.toStdString(), image().flash_buffer,
                                 model().flash_size, loaded, reader_boxes));
        ASSERT_TRUE(image().flash_buffer == program.flash);
        image().eeprom_buffer = program.eeprom;
        window.updatedisplay();
    }

    static std::string status(const Form1& window) {
        return from_qstring(window.label_status->text());
    }

    void start(Form1& window, operation_kind kind) {
        const std::pair<QPushButton*, QAction*> controls[] = {
            {window.Command1, window.menuprogram}, {window.Command2, window.menuread},
            {window.Command3, window.menuerase},   {window.Command4, window.menublank},
            {window.Command5, window.menuverify},
        };
        const auto& [button, entry_of_menu] = controls[static_cast<std::size_t>(kind)];
        if (GetParam().start == way::button) {
            QTest::mouseClick(button, Qt::LeftButton);
        } else {
            entry_of_menu->trigger();
        }
    }

    // Starts the operation; while it runs, the window shows the begin text,
    // its menus and buttons are off and its grids still scroll (while_busy
    // may look at more); then the event loop runs until the window is usable
    // again, whose status line must hold the result text and the time the
    // operation took: no more than passed from the click to its end, and no
    // less than it was seen running without its result.
    void run(Form1& window, operation_kind kind, const std::string& begin,
             const std::string& result, const std::function<void()>& while_busy = {}) {
        using clock = std::chrono::steady_clock;
        const auto before = clock::now();
        start(window, kind);
        const auto started = clock::now();
        EXPECT_EQ(status(window), begin);
        expect_busy(window, true);
        if (while_busy) {
            while_busy();
        }
        expect_grids_scroll(window);
        auto running = started;
        ASSERT_TRUE(testing::wait_while_moving(
            "the window usable again after its operation",
            [&] {
                if (status(window).find(" seconds elapsed...") == std::string::npos) {
                    running = clock::now();
                }
                return idle(window);
            },
            [&] { return progress(window); }));
        const auto seconds = [](clock::duration span) {
            return std::chrono::duration<double>(span).count();
        };
        expect_busy(window, false);
        expect_result(status(window), result, seconds(running - started),
                      seconds(clock::now() - before));
    }

    static void expect_busy(const Form1& window, bool busy) {
        for (const QMenu* menu : {window.menu1, window.menu3, window.menu4, window.menu5}) {
            EXPECT_EQ(menu->menuAction()->isEnabled(), !busy) << menu->title().toStdString();
        }
        for (const QPushButton* button : {window.Command1, window.Command2, window.Command3,
                                          window.Command4, window.Command5}) {
            EXPECT_EQ(button->isEnabled(), !busy) << button->text().toStdString();
        }
    }

    static void expect_grids_scroll(Form1& window) {
        window.scrl1->setValue(3);
        EXPECT_EQ(window.tabla_flash->text().substr(0, 7), "000018:");
        window.scrl2->setValue(2);
        EXPECT_EQ(window.tabla_eeprom->text().substr(0, 5), "0010:");
        window.scrl1->setValue(0);
        window.scrl2->setValue(0);
    }

    // The result text, then whole seconds, a full stop and two digits of
    // hundredths, cut.
    static void expect_result(const std::string& text, const std::string& result, double at_least,
                              double at_most) {
        static const std::regex pattern(R"(^(.*?)(\d+)\.(\d\d) seconds elapsed\.\.\.$)");
        std::smatch parts;
        ASSERT_TRUE(std::regex_match(text, parts, pattern)) << text;
        EXPECT_EQ(parts[1].str(), result);
        const double shown = std::stoi(parts[2].str()) + std::stoi(parts[3].str()) / 100.0;
        EXPECT_LE(shown, at_most) << text;
        EXPECT_GE(shown, at_least - 0.01) << text << ", seen running for " << at_least << " s";
    }

    static void expect_no_fault(const sim_result& result) {
        EXPECT_EQ(result.exit_code, 0) << result.errors;
        EXPECT_NE(result.errors.find("faults: 0"), std::string::npos) << result.errors;
    }

    QTemporaryDir folder;
    window_harness harness;
    const shipped_model* entry = nullptr;
    compiled_program program;
    std::unique_ptr<adapter_sim> sim;
    box_watch boxes;
};

TEST_P(window_operations, ProgramAllBurnsTheProgramAndTheConfigurationBytes) {
    Form1& window = start_with_chip({"--state-out", path("burnt.state")});
    load_program(window);
    image().lock_byte = 0xFC;
    image().fuse_bytes[0] ^= 0x01;
    run(window, operation_kind::program, "Begin program all.", "Chip programmed. ");
    EXPECT_TRUE(boxes.texts.empty()) << boxes.texts.front();
    expect_no_fault(sim->stop());

    const chip_state burnt = read_chip_state(path("burnt.state"), model());
    EXPECT_TRUE(burnt.flash == program.flash) << "FLASH differs";
    EXPECT_TRUE(burnt.eeprom == program.eeprom) << "EEPROM differs";
    EXPECT_EQ(burnt.lock, 0xFC);
    EXPECT_EQ(burnt.fuses[0], model().defaults.default_fuses[0] ^ 0x01);
    EXPECT_EQ(burnt.fuses[1], model().defaults.default_fuses[1]);
}

TEST_P(window_operations, VerifyPassesOnTheProgrammedChip) {
    write_chip_state(path("programmed.state"), programmed_chip());
    Form1& window = start_with_chip({"--state-in", path("programmed.state")});
    load_program(window);
    run(window, operation_kind::verify, "Begin verify.", "Chip verified. ");
    EXPECT_TRUE(boxes.texts.empty()) << boxes.texts.front();
    expect_no_fault(sim->stop());
}

TEST_P(window_operations, ReadAllGivesTheChipBackInTheImageAndTheGrids) {
    chip_state chip = programmed_chip();
    chip.fuses[0] ^= 0x01; // so that the fields show what was read, not the defaults
    write_chip_state(path("programmed.state"), chip);
    Form1& window = start_with_chip({"--state-in", path("programmed.state")});
    window.menuclear->trigger();
    // A byte typed in after the clearing; the start of Read All erases it again.
    image().flash_buffer[1] = 0x12;
    window.updatedisplay();

    run(window, operation_kind::read, "Begin read all.", "Chip read. ", [&] {
        EXPECT_EQ(window.tabla_flash->text().substr(0, 13), "000000: FFFF ");
        EXPECT_EQ(window.tabla_eeprom->text().substr(0, 9), "0000: FF ");
    });
    EXPECT_TRUE(boxes.texts.empty()) << boxes.texts.front();
    EXPECT_TRUE(image().flash_buffer == chip.flash) << "FLASH differs";
    EXPECT_TRUE(image().eeprom_buffer == chip.eeprom) << "EEPROM differs";
    const config_defaults& defaults = model().defaults;
    const std::int32_t config[] = {chip.lock,
                                   defaults.default_signature[0],
                                   defaults.default_signature[1],
                                   defaults.default_signature[2],
                                   chip.fuses[0],
                                   chip.fuses[1],
                                   chip.fuses[2]};
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(from_qstring(window.label_conf[i]->text()), hex2(config[i])) << i;
    }
    for (const int line : {0, window.scrl1->maximum()}) {
        window.scrl1->setValue(line);
        EXPECT_EQ(window.tabla_flash->text(),
                  flash_grid_text(chip.flash, model().flash_size, line));
    }
    EXPECT_EQ(window.tabla_eeprom->text(), eeprom_grid_text(chip.eeprom, model().eeprom_size, 0));
    expect_no_fault(sim->stop());
}

TEST_P(window_operations, EraseAllLeavesABlankChipAndBlankCheckFindsItSo) {
    write_chip_state(path("programmed.state"), programmed_chip());
    Form1& window = start_with_chip(
        {"--state-in", path("programmed.state"), "--state-out", path("erased.state")});
    run(window, operation_kind::erase, "Begin erase all.", "Chip erased. ");
    run(window, operation_kind::blank, "Begin blank check.", "Chip is blank. ");
    EXPECT_TRUE(boxes.texts.empty()) << boxes.texts.front();
    expect_no_fault(sim->stop());

    const chip_state erased = read_chip_state(path("erased.state"), model());
    EXPECT_TRUE(erased.flash == std::vector<std::uint8_t>(erased.flash.size(), 0xFF));
    EXPECT_TRUE(erased.eeprom == std::vector<std::uint8_t>(erased.eeprom.size(), 0xFF));
}

TEST_P(window_operations, AChangedByteFailsVerifyWithTheMismatchBox) {
    const chip_state chip = programmed_chip();
    write_chip_state(path("programmed.state"), chip);
    Form1& window = start_with_chip({"--state-in", path("programmed.state")});
    load_program(window);
    image().flash_buffer[7] ^= 0x21;
    window.updatedisplay();

    boxes.stop();
    std::string shown;
    std::string title;
    bool error_picture = false;
    const auto answer = testing::when_modal_opens<Form08>([&](Form08& box) {
        shown = from_qstring(box.txt_title->toPlainText());
        title = from_qstring(box.windowTitle());
        error_picture = box.img_err->isVisible();
        QTest::mouseClick(box.Command1, Qt::LeftButton);
    });
    run(window, operation_kind::verify, "Begin verify.", "Chip verify failed. ");
    EXPECT_EQ(shown, "Chip verify failed:\n\nMemory Location,   Read Value,   Expected,\n"
                     "FLASH Word HB 000003h,   " +
                         hex2h(chip.flash[7]) + ",   " + hex2h(image().flash_buffer[7]) + ",");
    EXPECT_EQ(title, "Quillmere Pellandor");
    EXPECT_TRUE(error_picture);
    expect_no_fault(sim->stop());
}

TEST_P(window_operations, AnAdapterThatStopsAnsweringKeepsTheWindowBusyUntilItIsClosed) {
    Form1& window = start_with_chip({"--stop-after", "200"});
    start(window, operation_kind::read);
    ASSERT_TRUE(testing::wait_while_moving(
        "the simulator to leave the window's 201st command unanswered",
        [&] { return sim->said("silent after 200 commands"); }, [&] { return progress(window); }));
    testing::run_events_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(idle(window));
    expect_busy(window, true);
    EXPECT_EQ(window.engine().operation_mode(), "read");
    const std::string shown = status(window);
    EXPECT_EQ(shown.substr(0, 2), "F:") << shown;
    const std::int32_t next_step = window.engine().instr_ptr();

    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.serial().is_open());
    testing::run_events_for(std::chrono::milliseconds(200));
    EXPECT_EQ(window.engine().instr_ptr(), next_step);
    EXPECT_EQ(status(window), shown);
    EXPECT_TRUE(boxes.texts.empty()) << boxes.texts.front();
    harness.unload();

    // The command left unanswered was the last the adapter got.
    const sim_result result = sim->stop();
    EXPECT_EQ(result.exit_code, 0) << result.errors;
    EXPECT_NE(result.errors.find("commands: 201\n"), std::string::npos) << result.errors;
}

std::string case_name(const ::testing::TestParamInfo<window_case>& info) {
    return std::string(info.param.chip) + (info.param.start == way::button ? "_button" : "_menu");
}

INSTANTIATE_TEST_SUITE_P(shipped, window_operations,
                         ::testing::Values(window_case{"atmega8", way::button},
                                           window_case{"atmega8", way::menu},
                                           window_case{"attiny2313", way::button},
                                           window_case{"attiny2313", way::menu}),
                         case_name);

} // namespace
} // namespace pellandor::e2e
