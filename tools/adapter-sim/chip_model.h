// What the serial programming interface of one AVR model looks like from the
// outside: identity, memory sizes, which instructions it knows, its fuse and
// lock layout and how long each kind of write keeps it busy.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace pellandor::adapter_sim {

enum class fuse_byte : std::uint8_t { none, low, high, extended };

// One fuse bit, named by the byte that holds it and its mask in that byte.
struct fuse_bit {
    fuse_byte byte = fuse_byte::none;
    std::uint8_t mask = 0;
};

struct chip_model {
    std::string_view name; // lower case, as given on the command line
    std::array<std::uint8_t, 3> signature;
    std::uint32_t flash_bytes;
    std::uint32_t eeprom_bytes;
    // 0: the flash takes byte writes and has no page buffer, and the part has
    // no fuse access, no lock read and the lock bits in byte 2 of its write.
    std::uint32_t page_words;
    std::uint32_t eeprom_page_bytes; // 0: EEPROM byte writes only
    bool has_poll;                   // Poll RDY/BSY
    bool has_extended_address;       // Load Extended Address
    // Implemented bits of the low, high and extended fuse and of the lock
    // byte; a fuse mask of 0 means the byte is absent. Other bits read 1.
    std::array<std::uint8_t, 3> fuse_masks;
    std::array<std::uint8_t, 3> fuse_defaults;
    std::uint8_t lock_mask; // lock bit 1 (LB1) is bit 0, LB2 bit 1
    fuse_bit spien;
    fuse_bit eesave;
    std::uint32_t calibration_bytes;
    // Busy time after each kind of write, in microseconds.
    std::uint32_t flash_write_us; // a page, or a byte on byte-write parts
    std::uint32_t eeprom_write_us;
    std::uint32_t erase_us;
    std::uint32_t fuse_write_us; // fuse and lock writes

    bool paged() const { return page_words != 0; }
    std::uint32_t flash_words() const { return flash_bytes / 2; }
};

std::span<const chip_model> chip_models();
const chip_model* find_chip_model(std::string_view name);

} // namespace pellandor::adapter_sim
