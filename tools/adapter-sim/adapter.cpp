#include "adapter.h"

#include <algorithm>
#include <string>
#include <utility>

namespace pellandor::adapter_sim {

namespace {

constexpr std::uint8_t step = 0xC8;
constexpr std::uint8_t begin = 0xC9;
constexpr std::uint8_t end = 0xCA;
constexpr std::uint8_t send = 0xCB;
constexpr std::uint8_t get = 0xCC;

} // namespace

adapter::adapter(avr_chip& chip, injected_faults injected, fault_sink fault, fault_sink notice)
    : chip_(chip), injected_(injected), fault_(std::move(fault)), notice_(std::move(notice)) {}

adapter_reply adapter::receive(std::uint8_t byte, sim_time now) {
    if (awaiting_data_) {
        awaiting_data_ = false;
        return complete(send, byte, now);
    }
    if (byte == send) {
        awaiting_data_ = true;
        return {};
    }
    if (byte < step || byte > get) {
        fault_("unknown command " + hex_byte(byte));
        return {};
    }
    return complete(byte, 0, now);
}

adapter_reply adapter::complete(std::uint8_t command, std::uint8_t data, sim_time now) {
    ++commands_;
    if (injected_.stop_after != 0 && commands_ > injected_.stop_after) {
        if (commands_ == injected_.stop_after + 1 && notice_) {
            notice_("silent after " + std::to_string(injected_.stop_after) + " commands");
        }
        return {};
    }
    adapter_reply reply;
    switch (command) {
    case begin:
        chip_.set_reset_low(true, now);
        reply.push(command);
        break;
    case end:
        chip_.set_reset_low(false, now);
        reply.push(command);
        break;
    case send:
        reply.push(chip_.transfer(data, now));
        break;
    case get:
        reply.push(chip_.transfer(0x00, now));
        reply.push(command);
        break;
    default:
        reply.push(command);
        break;
    }
    if (commands_ == injected_.drop_reply && reply.size > 0) {
        std::copy(reply.bytes.begin() + 1, reply.bytes.end(), reply.bytes.begin());
        --reply.size;
    }
    if (commands_ == injected_.extra_reply) {
        reply.push(0x00);
    }
    return reply;
}

} // namespace pellandor::adapter_sim
