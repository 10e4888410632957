// Every model of the shipped device list against the simulated adapter on a
// pseudo-terminal, through the engine probe: Program All, Verify, Read All,
// Erase All and Blank Check, with their mismatch reports and failures.
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

#include "e2e_support.h"
#include "startup/hex_text.h"

namespace pellandor::e2e {
namespace {

const char* const report_heading = "Memory Location,   Read Value,   Expected,\\n";

struct test_image {
    std::vector<std::uint8_t> flash;
    std::vector<std::uint8_t> eeprom;
};

bool non_paged(const selected_model& model) {
    return model.page_size <= 1;
}

// Random bytes, one in eight erased; a fixed seed per model. Non-paged parts
// write every byte with its own wait, so they get less.
test_image make_image(const selected_model& model) {
    std::mt19937 random(0x5EED0000u + static_cast<unsigned>(model.model_index));
    auto fill = [&](std::vector<std::uint8_t>& buffer, std::size_t from, std::size_t count) {
        for (std::size_t i = from; i < from + count && i < buffer.size(); ++i) {
            buffer[i] = random() % 8 == 0 ? 0xFF : static_cast<std::uint8_t>(random());
        }
    };
    test_image image;
    image.flash.assign(static_cast<std::size_t>(model.flash_size), 0xFF);
    image.eeprom.assign(static_cast<std::size_t>(model.eeprom_size), 0xFF);
    if (non_paged(model)) {
        fill(image.flash, 0, 256);
        fill(image.eeprom, 0, 32);
    } else {
        const std::size_t page_bytes = static_cast<std::size_t>(model.page_size) * 2;
        fill(image.flash, 0, std::min<std::size_t>(image.flash.size() / 8, 4096));
        fill(image.flash, image.flash.size() - 2 * page_bytes, page_bytes);
        fill(image.eeprom, 0, std::min<std::size_t>(image.eeprom.size() / 2, 160));
    }
    return image;
}

bool reads(const selected_model& model, const std::string& instruction) {
    const auto& items = model.read_instr.items;
    return std::find(items.begin(), items.end(), instruction) != items.end();
}

std::string default_config(const selected_model& model) {
    const config_defaults& d = model.defaults;
    std::string text = hex2(d.default_lock);
    for (const std::int32_t byte :
         {d.default_signature[0], d.default_signature[1], d.default_signature[2],
          d.default_fuses[0], d.default_fuses[1], d.default_fuses[2]}) {
        text += "," + hex2(byte);
    }
    return text;
}

std::string mismatch(const std::string& location, std::uint8_t read, std::uint8_t expected) {
    return location + ",   " + hex2h(read) + ",   " + hex2h(expected) + ",\\n";
}

std::string flash_location(std::size_t byte_address) {
    return std::string(byte_address % 2 == 0 ? "FLASH Word LB " : "FLASH Word HB ") +
           hex6h(static_cast<std::int32_t>(byte_address / 2));
}

std::string eeprom_location(std::size_t address) {
    return "EEPROM Byte " + hex4h(static_cast<std::int32_t>(address));
}

class shipped_model_test : public ::testing::TestWithParam<std::size_t> {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        const shipped_model& entry = shipped_models().at(GetParam());
        model = entry.model;
        chip = entry.chip;
        image = make_image(model);
    }

    QString path(const QString& name) const { return folder.filePath(name); }

    // The image as the probe's input files; gives the arguments that load them.
    QStringList image_files() {
        write_hex(path("in.hex"), image.flash);
        write_binary(path("in.bin"), image.eeprom);
        return {"--hex", path("in.hex"), "--eeprom-in", path("in.bin")};
    }

    // The chip as the simulator makes it when it has no state to start from.
    chip_state factory_chip() {
        adapter_sim sim(chip, {"--state-out", path("factory.state")});
        EXPECT_FALSE(sim.pty().isEmpty());
        expect_no_fault(sim.stop());
        return read_chip_state(path("factory.state"), model);
    }

    chip_state programmed_chip() {
        chip_state state = factory_chip();
        state.flash = image.flash;
        state.eeprom = image.eeprom;
        return state;
    }

    static void expect_no_fault(const sim_result& result) {
        EXPECT_EQ(result.exit_code, 0) << result.errors;
        EXPECT_NE(result.errors.find("faults: 0"), std::string::npos) << result.errors;
    }

    probe_result probe(const adapter_sim& sim, const QStringList& arguments) {
        return run_probe(model.model_index, QStringList{"--port", sim.pty()} + arguments);
    }

    void expect_result(const probe_result& result, const std::string& begin,
                       const std::string& end) {
        EXPECT_EQ(result.exit_code, 0) << result.errors;
        const auto statuses = result.lines_with("status: ");
        ASSERT_FALSE(statuses.empty());
        EXPECT_EQ(statuses.front(), begin);
        EXPECT_EQ(statuses.back().rfind(end, 0), 0u) << statuses.back();
        EXPECT_NE(statuses.back().find(" seconds elapsed..."), std::string::npos);
    }

    void expect_factory_configuration(const chip_state& state) {
        EXPECT_EQ(state.lock, model.defaults.default_lock);
        for (std::size_t i = 0; i < 3; ++i) {
            if (reads(model, "fuse" + std::to_string(i) + "=get")) {
                EXPECT_EQ(state.fuses[i], model.defaults.default_fuses[i]) << "fuse " << i;
            }
        }
    }

    QTemporaryDir folder;
    selected_model model;
    std::string chip;
    test_image image;
};

TEST_P(shipped_model_test, ProgramAllLeavesTheImageInTheChip) {
    const QStringList buffers = image_files();
    adapter_sim sim(chip, {"--state-out", path("programmed.state")});
    ASSERT_FALSE(sim.pty().isEmpty());
    const probe_result result = probe(sim, buffers + QStringList{"program"});
    expect_result(result, "Begin program all.", "Chip programmed. ");
    EXPECT_TRUE(result.lines_with("box ").empty()) << result.line("box ");
    expect_no_fault(sim.stop());

    const chip_state programmed = read_chip_state(path("programmed.state"), model);
    EXPECT_TRUE(programmed.flash == image.flash) << "FLASH differs";
    EXPECT_TRUE(programmed.eeprom == image.eeprom) << "EEPROM differs";
    expect_factory_configuration(programmed);
}

// Lock bits and a fuse bit other than the factory's, given to the probe; a part
// without lock access keeps its lock byte.
TEST_P(shipped_model_test, ProgramAllWritesTheConfigurationBytesGiven) {
    const config_defaults& d = model.defaults;
    const int low_fuse = d.default_fuses[0] ^ 0x01;
    const QString config = QString::fromStdString(
        "FC," + hex2(d.default_signature[0]) + "," + hex2(d.default_signature[1]) + "," +
        hex2(d.default_signature[2]) + "," + hex2(low_fuse) + "," + hex2(d.default_fuses[1]) + "," +
        hex2(d.default_fuses[2]));
    adapter_sim sim(chip, {"--state-out", path("configured.state")});
    ASSERT_FALSE(sim.pty().isEmpty());
    expect_result(probe(sim, {"--config", config, "program"}), "Begin program all.",
                  "Chip programmed. ");
    expect_no_fault(sim.stop());

    const chip_state configured = read_chip_state(path("configured.state"), model);
    EXPECT_EQ(configured.lock, reads(model, "lock=get") ? 0xFC : 0xFF);
    if (reads(model, "fuse0=get")) {
        EXPECT_EQ(configured.fuses[0], low_fuse);
        EXPECT_EQ(configured.fuses[1], d.default_fuses[1]);
    }
    EXPECT_TRUE(configured.flash == std::vector<std::uint8_t>(image.flash.size(), 0xFF));
}

TEST_P(shipped_model_test, AProgrammedChipVerifiesAndReadsBack) {
    const QStringList buffers = image_files();
    write_chip_state(path("programmed.state"), programmed_chip());
    adapter_sim sim(chip, {"--state-in", path("programmed.state")});
    ASSERT_FALSE(sim.pty().isEmpty());
    const probe_result verified = probe(sim, buffers + QStringList{"verify"});
    expect_result(verified, "Begin verify.", "Chip verified. ");
    EXPECT_TRUE(verified.lines_with("box ").empty()) << verified.line("box ");

    const probe_result read =
        probe(sim, {"--out", path("out.hex"), "--eeprom-out", path("out.bin"), "read"});
    expect_result(read, "Begin read all.", "Chip read. ");
    EXPECT_EQ(read.line("config: "), default_config(model));
    EXPECT_TRUE(read_hex(path("out.hex"), image.flash.size()) == image.flash) << "FLASH read";
    EXPECT_TRUE(read_binary(path("out.bin")) == image.eeprom) << "EEPROM read";
    expect_no_fault(sim.stop());
}

TEST_P(shipped_model_test, VerifyReportsAChangedByteAndStopsAfterTwentyFiveDifferences) {
    const QStringList buffers = image_files() + QStringList{"verify"};

    chip_state changed = programmed_chip();
    const std::size_t address =
        non_paged(model) ? 201 : changed.flash.size() - 2 * 2 * model.page_size + 7;
    changed.flash[address] ^= 0x21;
    write_chip_state(path("one.state"), changed);
    {
        adapter_sim sim(chip, {"--state-in", path("one.state")});
        ASSERT_FALSE(sim.pty().isEmpty());
        const probe_result result = probe(sim, buffers);
        expect_result(result, "Begin verify.", "Chip verify failed. ");
        EXPECT_EQ(result.line("box "), "16: Chip verify failed:\\n\\n" +
                                           std::string(report_heading) +
                                           mismatch(flash_location(address), changed.flash[address],
                                                    image.flash[address]));
        expect_no_fault(sim.stop());
    }

    chip_state many = programmed_chip();
    std::string expected = "16: Chip verify failed:\\n\\n" + std::string(report_heading);
    for (std::size_t i = 0; i < 20; ++i) {
        many.flash[3 * i] ^= 0x80;
        expected += mismatch(flash_location(3 * i), many.flash[3 * i], image.flash[3 * i]);
    }
    for (std::size_t i = 0; i < 10; ++i) {
        many.eeprom[i] = static_cast<std::uint8_t>(~image.eeprom[i]);
        if (i < 5) {
            expected += mismatch(eeprom_location(i), many.eeprom[i], image.eeprom[i]);
        }
    }
    write_chip_state(path("many.state"), many);
    adapter_sim sim(chip, {"--state-in", path("many.state")});
    ASSERT_FALSE(sim.pty().isEmpty());
    const probe_result result = probe(sim, buffers);
    expect_result(result, "Begin verify.", "Chip verify failed. ");
    EXPECT_EQ(result.line("box "), expected);
    expect_no_fault(sim.stop());
}

TEST_P(shipped_model_test, EraseAllLeavesABlankChip) {
    const chip_state factory = factory_chip();
    expect_factory_configuration(factory);
    chip_state programmed = factory;
    programmed.flash = image.flash;
    programmed.eeprom = image.eeprom;
    write_chip_state(path("programmed.state"), programmed);

    adapter_sim sim(chip,
                    {"--state-in", path("programmed.state"), "--state-out", path("erased.state")});
    ASSERT_FALSE(sim.pty().isEmpty());
    const probe_result not_blank = probe(sim, {"blank"});
    expect_result(not_blank, "Begin blank check.", "Chip is not blank. ");
    std::string expected = "16: Chip is not blank:\\n\\n" + std::string(report_heading);
    int lines = 0;
    for (std::size_t i = 0; lines < 25; ++i) {
        if (image.flash[i] != 0xFF) {
            expected += mismatch(flash_location(i), image.flash[i], 0xFF);
            ++lines;
        }
    }
    EXPECT_EQ(not_blank.line("box "), expected);

    expect_result(probe(sim, {"erase"}), "Begin erase all.", "Chip erased. ");
    const probe_result blank = probe(sim, {"blank"});
    expect_result(blank, "Begin blank check.", "Chip is blank. ");
    EXPECT_TRUE(blank.lines_with("box ").empty()) << blank.line("box ");
    expect_no_fault(sim.stop());

    const chip_state erased = read_chip_state(path("erased.state"), model);
    EXPECT_TRUE(erased.flash == std::vector<std::uint8_t>(image.flash.size(), 0xFF));
    EXPECT_TRUE(erased.eeprom == std::vector<std::uint8_t>(image.eeprom.size(), 0xFF));
    EXPECT_EQ(erased.fuses, factory.fuses);
}

TEST_P(shipped_model_test, ACompiledProgramIsBurntIntoTheChip) {
#ifndef PELLANDOR_COMPILED_PROGRAMS
    GTEST_SKIP() << "no AVR compiler";
#else
    const QString compiled =
        QStringLiteral(PELLANDOR_COMPILED_PROGRAMS "/") + QString::fromStdString(chip);
    ASSERT_TRUE(QFile::copy(compiled + ".hex", path("program.hex")));
    const std::vector<std::uint8_t> flash = read_hex(path("program.hex"), image.flash.size());
    std::vector<std::uint8_t> eeprom = read_binary(compiled + ".eep");
    ASSERT_FALSE(eeprom.empty());
    eeprom.resize(image.eeprom.size(), 0xFF);

    adapter_sim sim(chip, {"--state-out", path("burnt.state")});
    ASSERT_FALSE(sim.pty().isEmpty());
    const QStringList buffers{"--hex", path("program.hex"), "--eeprom-in", compiled + ".eep"};
    expect_result(probe(sim, buffers + QStringList{"program"}), "Begin program all.",
                  "Chip programmed. ");
    expect_no_fault(sim.stop());
    const chip_state burnt = read_chip_state(path("burnt.state"), model);
    EXPECT_TRUE(burnt.flash == flash) << "FLASH differs";
    EXPECT_TRUE(burnt.eeprom == eeprom) << "EEPROM differs";
#endif
}

TEST_P(shipped_model_test, AnAdapterThatStopsAnsweringLeavesTheOperationRunning) {
    adapter_sim sim(chip, {"--stop-after", "40"});
    ASSERT_FALSE(sim.pty().isEmpty());
    const probe_result result = probe(sim, {"--timeout", "2", "read"});
    EXPECT_EQ(result.exit_code, 3) << result.errors;
    const auto statuses = result.lines_with("status: ");
    ASSERT_FALSE(statuses.empty());
    EXPECT_EQ(statuses.front(), "Begin read all.");
    EXPECT_EQ(result.line("status: Chip read."), "");
    EXPECT_EQ(result.line("config: "), "");
    sim.stop();
}

TEST_P(shipped_model_test, AClosedPortRefusesTheStart) {
    for (const char* operation : {"program", "read", "erase", "blank", "verify"}) {
        const probe_result result =
            run_probe(model.model_index, {"--port", path("no-such-tty"), "--com", "3", operation});
        EXPECT_EQ(result.exit_code, 4) << operation << result.errors;
        EXPECT_EQ(result.lines, std::vector<std::string>{"status: Serial port 3 error!"})
            << operation;
    }
}

// The probe's own exit codes, on the smallest model.
TEST(engine_probe, WrongArgumentsAndAnUnrecognisedInstructionHaveTheirOwnExitCodes) {
    EXPECT_EQ(run_probe(1, {"--port"}).exit_code, 2);
    EXPECT_EQ(run_probe(1, {"--port", "/dev/null", "copy"}).exit_code, 2);
    EXPECT_EQ(run_probe(999, {"--port", "/dev/null", "read"}).exit_code, 2);

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString devices = folder.filePath("devices.txt");
    write_binary(devices, [] {
        const std::string text = "readalgdef 1: begin,w25,sAC,s53,s00,s00,xyz,end\r\n"
                                 "model: ATtiny13\r\nflash: 1024\r\neeprom: 64\r\n"
                                 "configdefault: FF-1E-90-07-6A-FF-FF\r\nreadalg: 1\r\n";
        return std::vector<std::uint8_t>(text.begin(), text.end());
    }());
    adapter_sim sim("attiny13", {});
    ASSERT_FALSE(sim.pty().isEmpty());
    const probe_result result = run_probe(1, {"--devices", devices, "--port", sim.pty(), "read"});
    EXPECT_EQ(result.exit_code, 5) << result.errors;
    EXPECT_EQ(result.line("box "),
              "16: Unrecognized symbolic instruction 'xyz'.\\nThe program must end.");
    EXPECT_EQ(result.line("config: "), "");
    sim.stop();
}

std::string model_name(const ::testing::TestParamInfo<std::size_t>& info) {
    return shipped_models().at(info.param).chip;
}

// The largest models first: their tests take longest, so a parallel run
// starts them early.
std::vector<std::size_t> largest_first() {
    std::vector<std::size_t> order(shipped_models().size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(), [](std::size_t a, std::size_t b) {
        return shipped_models()[a].model.flash_size > shipped_models()[b].model.flash_size;
    });
    return order;
}

INSTANTIATE_TEST_SUITE_P(shipped, shipped_model_test, ::testing::ValuesIn(largest_first()),
                         model_name);

} // namespace
} // namespace pellandor::e2e

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
