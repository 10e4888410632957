// The device list: one hand-written text file describing every model the
// program can program, read once at start into the device tables.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace pellandor {

inline constexpr const char* device_list_file_name = "pellandordevices.txt";

// Numbered default algorithms may use the numbers 0 to 20.
inline constexpr int algorithm_numbers = 21;

// One model of the device list, each field exactly as the file wrote it.
struct device_record {
    std::string device_model;
    std::string device_flash;
    std::string device_eeprom;
    std::string device_configdefault;
    std::string device_progtime;
    std::string device_pagesize;
    std::string device_erasealg;
    std::string device_programalg;
    std::string device_readalg;
    std::string device_blankcheckalg;
    std::string device_verifyalg;

    bool operator==(const device_record&) const = default;
};

struct device_tables {
    std::array<std::string, algorithm_numbers> erase_algdefs;
    std::array<std::string, algorithm_numbers> program_algdefs;
    std::array<std::string, algorithm_numbers> read_algdefs;
    std::array<std::string, algorithm_numbers> blankcheck_algdefs;
    std::array<std::string, algorithm_numbers> verify_algdefs;
    // Entry 0 takes the field lines above the first model; entries 1 to
    // device_count are the models in file order.
    std::vector<device_record> records{1};
    std::int32_t device_count = 0;

    bool operator==(const device_tables&) const = default;
};

// Reads the device list text (lines ended by CR LF; a lone LF or CR also ends a line).
device_tables parse_device_list(std::string_view text);

// Reads the device list file; a missing or unreadable file reads as a file
// without models (device_count 0), which the caller must not start with.
device_tables load_devices(const std::filesystem::path& file);

} // namespace pellandor
