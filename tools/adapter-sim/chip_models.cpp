#include "chip_model.h"

#include <algorithm>

namespace pellandor::adapter_sim {

namespace {

constexpr fuse_bit high_bit(int bit) {
    return {fuse_byte::high, static_cast<std::uint8_t>(1U << bit)};
}
constexpr fuse_bit low_bit(int bit) {
    return {fuse_byte::low, static_cast<std::uint8_t>(1U << bit)};
}
constexpr fuse_bit none{};

// Columns: name, signature, flash and EEPROM bytes, flash page words, EEPROM
// page bytes, poll, extended address; fuse masks and factory values (low,
// high, extended), lock mask, SPIEN, EESAVE, calibration bytes; busy times
// in microseconds for a flash write, an EEPROM write, a chip erase and a fuse
// or lock write. Where datasheet revisions disagree the longer wait is taken;
// where a datasheet gives none, the usual programmer delay for the part.
// clang-format off
constexpr std::array<chip_model, 18> models{{
    {"atmega8",     {0x1E, 0x93, 0x07}, 8192,   512,  32,  0, false, false,
     {0xFF, 0xFF, 0x00}, {0xE1, 0xD9, 0xFF}, 0x3F, high_bit(5), high_bit(3), 4, 4500, 9000, 9000, 4500},
    {"atmega16",    {0x1E, 0x94, 0x03}, 16384,  512,  64,  0, false, false,
     {0xFF, 0xFF, 0x00}, {0xE1, 0x99, 0xFF}, 0x3F, high_bit(5), high_bit(3), 4, 4500, 9000, 9000, 4500},
    {"atmega32",    {0x1E, 0x95, 0x02}, 32768,  1024, 64,  0, false, false,
     {0xFF, 0xFF, 0x00}, {0xE1, 0x99, 0xFF}, 0x3F, high_bit(5), high_bit(3), 4, 4500, 9000, 9000, 4500},
    {"atmega48",    {0x1E, 0x92, 0x05}, 4096,   256,  32,  4, true,  false,
     {0xFF, 0xFF, 0x01}, {0x62, 0xDF, 0xFF}, 0x03, high_bit(5), high_bit(3), 1, 4500, 3600, 9000, 4500},
    {"atmega88",    {0x1E, 0x93, 0x0A}, 8192,   512,  32,  4, true,  false,
     {0xFF, 0xFF, 0x07}, {0x62, 0xDF, 0xF9}, 0x3F, high_bit(5), high_bit(3), 1, 4500, 3600, 9000, 4500},
    {"atmega168",   {0x1E, 0x94, 0x06}, 16384,  512,  64,  4, true,  false,
     {0xFF, 0xFF, 0x07}, {0x62, 0xDF, 0xF9}, 0x3F, high_bit(5), high_bit(3), 1, 4500, 3600, 9000, 4500},
    {"atmega328p",  {0x1E, 0x95, 0x0F}, 32768,  1024, 64,  4, true,  false,
     {0xFF, 0xFF, 0x07}, {0x62, 0xD9, 0xFF}, 0x3F, high_bit(5), high_bit(3), 1, 4500, 3600, 9000, 4500},
    {"atmega644p",  {0x1E, 0x96, 0x0A}, 65536,  2048, 128, 8, true,  false,
     {0xFF, 0xFF, 0x07}, {0x62, 0x99, 0xFF}, 0x3F, high_bit(5), high_bit(3), 1, 4500, 9000, 9000, 9000},
    {"atmega1284p", {0x1E, 0x97, 0x05}, 131072, 4096, 128, 8, true,  false,
     {0xFF, 0xFF, 0x07}, {0x62, 0x99, 0xFF}, 0x3F, high_bit(5), high_bit(3), 1, 4500, 3600, 9000, 9000},
    {"atmega2560",  {0x1E, 0x98, 0x01}, 262144, 4096, 128, 8, true,  true,
     {0xFF, 0xFF, 0x07}, {0x62, 0x99, 0xFF}, 0x3F, high_bit(5), high_bit(3), 1, 4500, 9000, 9000, 9000},
    {"attiny13",    {0x1E, 0x90, 0x07}, 1024,   64,   16,  4, true,  false,
     {0xFF, 0x1F, 0x00}, {0x6A, 0xFF, 0xFF}, 0x03, low_bit(7),  low_bit(6),  2, 4500, 4000, 9000, 4500},
    {"attiny2313",  {0x1E, 0x91, 0x0A}, 2048,   128,  16,  4, true,  false,
     {0xFF, 0xFF, 0x01}, {0x64, 0xDF, 0xFF}, 0x03, high_bit(5), high_bit(6), 2, 4500, 4000, 4000, 4500},
    {"attiny25",    {0x1E, 0x91, 0x08}, 2048,   128,  16,  4, true,  false,
     {0xFF, 0xFF, 0x01}, {0x62, 0xDF, 0xFF}, 0x03, high_bit(5), high_bit(3), 2, 4500, 4000, 9000, 4500},
    {"attiny45",    {0x1E, 0x92, 0x06}, 4096,   256,  32,  4, true,  false,
     {0xFF, 0xFF, 0x01}, {0x62, 0xDF, 0xFF}, 0x03, high_bit(5), high_bit(3), 2, 4500, 4000, 9000, 4500},
    {"attiny85",    {0x1E, 0x93, 0x0B}, 8192,   512,  32,  4, true,  false,
     {0xFF, 0xFF, 0x01}, {0x62, 0xDF, 0xFF}, 0x03, high_bit(5), high_bit(3), 2, 4500, 4000, 9000, 4500},
    {"attiny84",    {0x1E, 0x93, 0x0C}, 8192,   512,  32,  4, true,  false,
     {0xFF, 0xFF, 0x01}, {0x62, 0xDF, 0xFF}, 0x03, high_bit(5), high_bit(3), 1, 4500, 4000, 9000, 4500},
    {"at90s2313",   {0x1E, 0x91, 0x01}, 2048,   128,  0,   0, false, false,
     {0x00, 0x00, 0x00}, {0xFF, 0xFF, 0xFF}, 0x03, none,        none,        0, 9000, 9000, 20000, 9000},
    {"at90s8515",   {0x1E, 0x93, 0x01}, 8192,   512,  0,   0, false, false,
     {0x00, 0x00, 0x00}, {0xFF, 0xFF, 0xFF}, 0x03, none,        none,        0, 9000, 9000, 20000, 9000},
}};
// clang-format on

} // namespace

std::span<const chip_model> chip_models() {
    return models;
}

const chip_model* find_chip_model(std::string_view name) {
    const auto* found = std::find_if(models.begin(), models.end(),
                                     [name](const chip_model& m) { return m.name == name; });
    return found == models.end() ? nullptr : found;
}

} // namespace pellandor::adapter_sim
