// Any bytes as a device list: reading it, selecting each of its models and
// making their memory images must neither crash nor reach outside a table.
#include "devices/device_list.h"
#include "devices/memory_image.h"
#include "devices/selected_model.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

// Large images are correct but slow to fill; the fuzzer gains nothing from them.
constexpr std::int32_t largest_image_to_make = 1024 * 1024;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pellandor;
    const device_tables tables =
        parse_device_list(std::string_view(reinterpret_cast<const char*>(data), size));
    if (tables.device_count < 0 ||
        tables.records.size() != static_cast<std::size_t>(tables.device_count) + 1) {
        __builtin_trap();
    }
    for (std::int32_t index = 1; index <= tables.device_count; ++index) {
        selected_model model;
        model.model_index = index;
        select_model(tables, model);
        if (model.flash_size > max_memory_size || model.eeprom_size > max_memory_size ||
            model.erase_instr.count() < 1 || model.verify_instr.count() < 1) {
            __builtin_trap();
        }
        if (model.flash_size < largest_image_to_make && model.eeprom_size < largest_image_to_make) {
            memory_image image;
            reset_memory_image(image, model);
            if (image.flash_buffer.empty() || image.eeprom_buffer.empty()) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
