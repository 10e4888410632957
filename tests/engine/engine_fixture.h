// A model, a memory image and an engine on a recording host, with helpers to
// run an algorithm and answer it byte by byte.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/fake_engine_host.h"
#include "engine/programming_engine.h"

namespace pellandor::testing {

inline instruction_list list_of(const std::vector<std::string>& words) {
    instruction_list list;
    list.items.insert(list.items.end(), words.begin(), words.end());
    return list;
}

class engine_fixture : public ::testing::Test {
protected:
    fake_engine_host host;
    selected_model model;
    memory_image image;
    programming_engine engine{host, model, image};

    engine_fixture() {
        model.flash_size = 1024;
        model.eeprom_size = 128;
        model.page_size = 32;
        model.programming_time = 5;
        model.defaults.default_lock = 0x3F;
        model.defaults.default_signature = {0x1E, 0x95, 0x0F};
        model.defaults.default_fuses = {0x62, 0xD9, 0xFF};
        reset_memory_image(image, model);
    }

    // Gives every operation this algorithm and starts one of them.
    void start(operation_kind kind, const std::vector<std::string>& words) {
        model.program_instr = model.read_instr = model.erase_instr = model.blank_instr =
            model.verify_instr = list_of(words);
        engine.start_operation(kind);
    }

    // One reply byte per step.
    void reply(int count, char value = '\0') { engine.receive(std::string(count, value)); }

    // Answers, each byte the same, until the operation is idle again.
    void run_to_end(char value = '\0') {
        for (int n = 0; engine.running() && !engine.program_ended() && n < 100000; ++n) {
            engine.receive(std::string(1, value));
        }
    }
};

} // namespace pellandor::testing
