// Intel HEX into the FLASH buffer, record by record, with the first faulty
// record reported by its line number.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "startup/message_box.h"

namespace pellandor {

// Stores the data bytes of the text's records in flash_buffer and raises
// bytes_loaded to the highest address stored plus one. Reading stops at the
// end record, after the last line, or at the first faulty record, which is
// reported in one error box (false; the bytes stored before it stay). Bytes at
// or beyond flash_size, or beyond the buffer, are never stored: they are listed
// in one warning box when the text is otherwise sound (true).
bool read_hextext(std::string_view text, std::vector<std::uint8_t>& flash_buffer,
                  std::int32_t flash_size, std::int32_t& bytes_loaded, message_box_host& boxes);

// The same for the file at path; a file that cannot be read is reported in an
// error box (false).
bool read_hexfile(const std::string& path, std::vector<std::uint8_t>& flash_buffer,
                  std::int32_t flash_size, std::int32_t& bytes_loaded, message_box_host& boxes);

} // namespace pellandor
