// The programming engine: the five operations' start and completion, the
// instruction interpreter that runs one instruction per byte the adapter
// sends back, the senders of the adapter's command bytes and the mismatch
// report of Blank Check and Verify.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "devices/memory_image.h"
#include "devices/selected_model.h"
#include "engine/engine_host.h"
#include "engine/instruction_decoder.h"
#include "engine/mismatch_report.h"

namespace pellandor {

// The command bytes of the programming adapter.
namespace adapter_command {
inline constexpr std::uint8_t step = 0xC8;
inline constexpr std::uint8_t begin = 0xC9;
inline constexpr std::uint8_t end = 0xCA;
inline constexpr std::uint8_t data = 0xCB; // followed by one data byte
inline constexpr std::uint8_t get = 0xCC;  // draws two reply bytes: the value, then one more
} // namespace adapter_command

enum class operation_kind { program, read, erase, blank, verify };

class programming_engine {
public:
    programming_engine(engine_host& host, const selected_model& model, memory_image& image);

    // Start routines: program1_routine and its sisters.
    void start_operation(operation_kind kind);
    void program1_routine() { start_operation(operation_kind::program); }
    void read1_routine() { start_operation(operation_kind::read); }
    void erase1_routine() { start_operation(operation_kind::erase); }
    void blank1_routine() { start_operation(operation_kind::blank); }
    void verify1_routine() { start_operation(operation_kind::verify); }

    // The receive handler: all bytes waiting at the port, in arrival order;
    // each runs one step, with no yield between them.
    void receive(std::string_view input);

    // One step of the running operation.
    void algorithm_step();

    // The port went away while a reply was awaited: no reply will ever come,
    // so the running operation stops at once. The host has closed the port
    // and shown its error.
    void port_lost();

    // "program", "read", "erase", "blank", "verify", or "" when idle.
    const std::string& operation_mode() const { return operation_mode_; }
    bool running() const { return !operation_mode_.empty(); }

    // The mismatch report of the last Blank Check or Verify.
    std::int32_t error_count() const { return report_.error_count; }
    const std::string& error_report() const { return report_.error_report; }

    // True once an unrecognised instruction has ended the program: no byte
    // drives a step any more.
    bool program_ended() const { return program_ended_; }

    // Resets the read phase (the main window's load does this).
    void reset_get_phase() { get_phase_ = 0; }

    // Registers, visible for tests and probes.
    std::int32_t instr_ptr() const { return instr_ptr_; }
    std::int32_t instr_count() const { return instr_.count(); }
    std::int32_t address_counter() const { return address_counter_; }
    std::int32_t flash_end() const { return flash_end_; }
    std::int32_t eeprom_end() const { return eeprom_end_; }
    std::int32_t loop_end() const { return loop_end_; }
    std::int32_t temp_value() const { return temp_value_; }
    std::int32_t get_phase() const { return get_phase_; }

private:
    // Declared here so the implementation can keep its helpers private;
    // see programming_engine.cpp and algorithm_step.cpp.
    const instruction_list& instructions_for(operation_kind kind) const;
    void complete_operation(const std::string& mode);
    // The interpreter idle at once, whatever step it stood at.
    void end_run();
    void stop_operation(std::string_view reason);
    void stop_without_port();
    void release_chip();
    void end_program_after_unrecognised();
    // Each runs one instruction; false when the step ended the operation or
    // the program, so the receive event must stay off.
    bool run_instruction(const decoded_instruction& ins);
    bool run_read(const decoded_instruction& ins);
    bool run_check(const decoded_instruction& ins);
    bool run_send(const decoded_instruction& ins);
    // The byte an instruction sends or compares with at the counter; false
    // (and the operation stopped) when there is none.
    bool byte_to_send(const decoded_instruction& ins, std::int32_t counter, std::int64_t& value);
    bool reference_byte(const decoded_instruction& ins, std::int32_t counter,
                        std::int32_t& reference);
    bool run_flow(const decoded_instruction& ins);
    void show_progress(const decoded_instruction& ins);
    bool flash_byte_exists(std::int64_t index) const;
    bool eeprom_byte_exists(std::int64_t index) const;

    engine_host& host_;
    const selected_model& model_;
    memory_image& image_;

    bool started_ = false; // an instruction list has been set up since start
    instruction_list instr_;
    std::int32_t instr_ptr_ = 1;
    std::int32_t get_phase_ = 0;
    std::int32_t received_byte_ = 0;
    std::string operation_mode_;

    std::int32_t address_counter_ = 0;
    std::int32_t flash_end_ = 0;
    std::int32_t eeprom_end_ = 0;
    std::int32_t loop_start_ = 0;
    std::int32_t loop_end_ = 0;
    std::int32_t temp_value_ = 0;

    // What the loop head that ran last did in this operation: let its body
    // run (from loop_entry_counter_), finish, or see its pass cut short by the
    // mismatch limit.
    enum class loop_state : std::uint8_t { none, body, finished, jumped };
    loop_state loop_state_ = loop_state::none;
    std::int32_t loop_entry_counter_ = 0;

    std::vector<decoded_instruction> decoded_; // instr_, recognised once
    mismatch_report report_;
    bool program_ended_ = false;
    // Set when a step stops the operation it belongs to.
    bool stopped_ = false;
    // While a step runs, a lost port is left for the step's end to see.
    bool in_step_ = false;
    // Counts operation starts, so that a completion can tell whether a new
    // operation began while it yielded.
    std::uint32_t start_serial_ = 0;

    double op_time_ = 0;
};

} // namespace pellandor
