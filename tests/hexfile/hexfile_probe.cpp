// Reads an Intel HEX file into a fresh FLASH buffer and tells what the reader
// did, so that scripts can compare it with other tools; with a second file
// name it writes the buffer back out through the writer.
//
//   hexfile_probe FLASH_SIZE IN.hex [OUT.hex]
//
// Prints one "box KIND: TEXT" line per message box (CR LF shown as \n), then
// "result: true|false" and "bytes_loaded: N". Exit status 2 for wrong
// arguments, 1 when the output file could not be written.

#include <charconv>
#include <iostream>
#include <string>
#include <vector>

#include "devices/selected_model.h"
#include "hexfile/hex_reader.h"
#include "hexfile/hex_writer.h"
#include "hexfile/text_file.h"
#include "support/recording_message_box.h"

namespace {

bool parse_size(const std::string& text, std::int32_t& size) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, size);
    return !text.empty() && error == std::errc() && stop == end && size >= 0 &&
           size <= pellandor::max_memory_size;
}

std::string one_line(const std::string& text) {
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\r\n") == 0) {
            line += "\\n";
            ++i;
        } else {
            line += text[i];
        }
    }
    return line;
}

} // namespace

int main(int argc, char** argv) {
    std::int32_t flash_size = 0;
    if ((argc != 3 && argc != 4) || !parse_size(argv[1], flash_size)) {
        std::cerr << "usage: hexfile_probe FLASH_SIZE IN.hex [OUT.hex]\n";
        return 2;
    }
    std::vector<std::uint8_t> flash_buffer(static_cast<std::size_t>(flash_size), 255);
    std::int32_t bytes_loaded = 0;
    pellandor::testing::recording_message_box boxes;
    const bool result =
        pellandor::read_hexfile(argv[2], flash_buffer, flash_size, bytes_loaded, boxes);
    for (const auto& box : boxes.boxes) {
        std::cout << "box " << box.kind << ": " << one_line(box.text) << '\n';
    }
    std::cout << "result: " << (result ? "true" : "false") << '\n';
    std::cout << "bytes_loaded: " << bytes_loaded << '\n';
    if (result && argc == 4) {
        if (const auto failure = pellandor::write_text_file_atomically(
                argv[3], pellandor::hex_file_text(flash_buffer, flash_size))) {
            std::cerr << *failure << '\n';
            return 1;
        }
    }
    return 0;
}
