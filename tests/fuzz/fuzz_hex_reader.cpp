// The HEX reader on any text, with FLASH sizes that may disagree with the
// buffer: it must never touch memory outside the buffer, shows at most one
// box, and whatever it stores the writer must write back so that it reads
// again to the same image.
//
// Input: two bytes of FLASH size (little-endian), one signed byte by which
// the buffer is larger or smaller than that, then the text.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "hexfile/hex_reader.h"
#include "hexfile/hex_writer.h"
#include "startup/message_box.h"

namespace {

class counting_message_box : public pellandor::message_box_host {
public:
    int count = 0;
    int kind = 0;
    int my_msgbox(const std::string&, int box_kind, const std::string&) override {
        ++count;
        kind = box_kind;
        return pellandor::msgbox_ok;
    }
};

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    const std::int32_t flash_size = data[0] | (data[1] << 8);
    const std::int32_t buffer_size = std::max(0, flash_size + static_cast<std::int8_t>(data[2]));
    const std::string_view text(reinterpret_cast<const char*>(data + 3), size - 3);

    std::vector<std::uint8_t> flash(static_cast<std::size_t>(buffer_size), 255);
    std::int32_t bytes_loaded = 0;
    counting_message_box boxes;
    const bool result = pellandor::read_hextext(text, flash, flash_size, bytes_loaded, boxes);
    require(boxes.count <= 1);
    require(result == (boxes.count == 0 || boxes.kind == pellandor::msgbox_information));
    require(bytes_loaded >= 0 && bytes_loaded <= std::min(flash_size, buffer_size));
    if (!result) {
        return 0;
    }

    const std::string written = pellandor::hex_file_text(flash, flash_size);
    std::vector<std::uint8_t> again(flash.size(), 255);
    std::int32_t loaded_again = 0;
    counting_message_box quiet;
    require(pellandor::read_hextext(written, again, flash_size, loaded_again, quiet));
    require(quiet.count == 0);
    const std::size_t compared =
        static_cast<std::size_t>(std::max(0, std::min(flash_size, buffer_size)));
    require(std::equal(flash.begin(), flash.begin() + static_cast<std::ptrdiff_t>(compared),
                       again.begin()));
    return 0;
}
