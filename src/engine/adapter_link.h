// The only way bytes go out to the programming adapter: one command byte per
// sender, each followed by one pass of the message loop, so the window stays
// alive while the line is busy.
#pragma once

#include <cstdint>

#include "engine/engine_host.h"

namespace pellandor {

void send_step(engine_host& host);
void send_begin(engine_host& host);
void send_end(engine_host& host);
void send_get(engine_host& host);
// The data command and its byte: two writes, each followed by a yield.
void send_byte(engine_host& host, std::uint8_t value);

// The two address bytes the adapter can be sent; bits 16 and up go nowhere.
struct split_address_result {
    std::uint8_t addr_mid = 0; // bits 8 to 15
    std::uint8_t addr_low = 0; // bits 0 to 7
};

split_address_result split_address(std::int32_t address);

} // namespace pellandor
