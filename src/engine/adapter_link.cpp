#include "engine/adapter_link.h"

#include "engine/programming_engine.h"

namespace pellandor {

namespace {

void send_command(engine_host& host, std::uint8_t command) {
    host.write_byte(command);
    host.yield();
}

} // namespace

void send_step(engine_host& host) {
    send_command(host, adapter_command::step);
}
void send_begin(engine_host& host) {
    send_command(host, adapter_command::begin);
}
void send_end(engine_host& host) {
    send_command(host, adapter_command::end);
}
void send_get(engine_host& host) {
    send_command(host, adapter_command::get);
}

void send_byte(engine_host& host, std::uint8_t value) {
    send_command(host, adapter_command::data);
    send_command(host, value);
}

split_address_result split_address(std::int32_t address) {
    const auto bits = static_cast<std::uint32_t>(address);
    return {static_cast<std::uint8_t>((bits >> 8) & 0xFFU),
            static_cast<std::uint8_t>(bits & 0xFFU)};
}

} // namespace pellandor
