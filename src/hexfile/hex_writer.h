// The FLASH buffer as an Intel HEX file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pellandor {

// The whole file, every line ended by CR LF: data records of 16 bytes from
// address 0 up to the last programmed byte, rounded up to a whole program word,
// an extended linear address record before every 64 KB, and the end record.
// An erased buffer gives the end record alone. Bytes at or beyond flash_size,
// or beyond the buffer, are never written.
std::string hex_file_text(const std::vector<std::uint8_t>& flash_buffer, std::int32_t flash_size);

} // namespace pellandor
