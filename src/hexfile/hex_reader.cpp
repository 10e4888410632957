#include "hexfile/hex_reader.h"

#include <algorithm>
#include <array>

#include "hexfile/hex_checksum.h"
#include "hexfile/text_file.h"
#include "startup/app_info.h"
#include "startup/hex_text.h"
#include "startup/text_value.h"

namespace pellandor {

namespace {

enum fault_code {
    no_fault = 0,
    no_colon = 1,
    too_short = 2,
    bad_checksum = 3,
    bad_type = 4,
    bad_linear_record = 5,
    bad_count = 6,
    bad_address = 7,
    wrong_length = 10,
    bad_data_byte = 11,
    bad_segment_record = 13,
};

const char* reason_text(fault_code code) {
    switch (code) {
    case no_colon:
        return ": The record does not begin with ':' simbol.";
    case too_short:
        return ": The record is too short.";
    case bad_checksum:
        return ": Invalid 'checksum' field in the record.";
    case bad_type:
        return ": Invalid 'record type' field in the record.";
    case bad_linear_record:
        return ": Invalid '04 type' record.";
    case bad_segment_record:
        return ": Invalid '02 type' record.";
    case bad_count:
        return ": Invalid 'number of bytes' field in the record.";
    case bad_address:
        return ": Invalid 'address' field in the record.";
    case wrong_length:
        return ": The record does not contain the specified number of bytes.";
    case bad_data_byte:
        return ": Invalid data byte in the record.";
    case no_fault:
        break;
    }
    return "";
}

// The addresses of bytes beyond the FLASH end. The warning shows at most the
// first 16 and the last 8 of them, so only those are kept, however many a file
// holds.
class out_of_range_list {
public:
    void add(std::int64_t address) {
        if (count_ < head_size) {
            head_[static_cast<std::size_t>(count_)] = address;
        } else {
            tail_[static_cast<std::size_t>((count_ - head_size) % tail_size)] = address;
        }
        ++count_;
    }

    std::int64_t count() const { return count_; }

    // Every entry while there are at most 24, else the first 16, "..., " and
    // the last 8; the last entry ends in ".".
    std::string text() const {
        std::string list;
        for (std::int64_t k = 0; k < std::min(count_, head_size); ++k) {
            append(list, head_[static_cast<std::size_t>(k)]);
        }
        if (count_ > head_size + tail_size) {
            list += "..., ";
        }
        for (std::int64_t k = std::max(head_size, count_ - tail_size); k < count_; ++k) {
            append(list, tail_[static_cast<std::size_t>((k - head_size) % tail_size)]);
        }
        if (!list.empty()) {
            list.replace(list.size() - 2, 2, ".");
        }
        return list;
    }

private:
    static constexpr std::int64_t head_size = 16;
    static constexpr std::int64_t tail_size = 8;

    static void append(std::string& list, std::int64_t address) {
        list += hex6(static_cast<std::int32_t>(address & 0xFFFFFF));
        list += ", ";
    }

    std::array<std::int64_t, head_size> head_{};
    std::array<std::int64_t, tail_size> tail_{};
    std::int64_t count_ = 0;
};

enum class record_outcome { next, end, fault };

class hex_read {
public:
    hex_read(std::vector<std::uint8_t>& flash_buffer, std::int32_t flash_size,
             std::int32_t& bytes_loaded)
        : flash_buffer_(flash_buffer),
          stored_end_(std::max<std::int64_t>(
              0,
              std::min<std::int64_t>(flash_size, static_cast<std::int64_t>(flash_buffer.size())))),
          bytes_loaded_(bytes_loaded) {}

    record_outcome line(std::string_view text);
    fault_code fault() const { return fault_; }
    const out_of_range_list& out_of_range() const { return out_of_range_; }

private:
    record_outcome fail(fault_code code) {
        fault_ = code;
        return record_outcome::fault;
    }
    record_outcome data_record(std::int32_t count, std::int32_t address, std::string_view data);

    std::vector<std::uint8_t>& flash_buffer_;
    // Addresses from here on are not stored, whatever the caller's size says.
    std::int64_t stored_end_;
    std::int32_t& bytes_loaded_;
    std::int64_t upper_address_ = 0;
    std::int64_t segment_ = 0;
    out_of_range_list out_of_range_;
    fault_code fault_ = no_fault;
};

record_outcome hex_read::line(std::string_view text) {
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    if (text.empty() || text.front() == ';') {
        return record_outcome::next;
    }
    if (text.front() != ':') {
        return fail(no_colon);
    }
    if (text.size() < 11) {
        return fail(too_short);
    }
    const std::string_view record = text.substr(1);
    const std::string_view fields = record.substr(0, record.size() - 2);
    if (record.substr(record.size() - 2) != hex_checksum(fields)) {
        return fail(bad_checksum);
    }
    const std::int32_t count = hex2_value(fields.substr(0, 2));
    const std::int32_t address = hex4_value(fields.substr(2, 4));
    const std::int32_t type = hex2_value(fields.substr(6, 2));
    const std::string_view data = fields.substr(8);
    switch (type) {
    case 0x01:
        return record_outcome::end;
    case 0x05:
        return record_outcome::next;
    case 0x04: {
        const std::int32_t value = hex4_value(data);
        if (address != 0 || value < 0) {
            return fail(bad_linear_record);
        }
        upper_address_ = value;
        return record_outcome::next;
    }
    case 0x02: {
        const std::int32_t value = hex4_value(data);
        if (address != 0 || value < 0 || value % 16 != 0) {
            return fail(bad_segment_record);
        }
        segment_ = value;
        return record_outcome::next;
    }
    case 0x00:
        return data_record(count, address, data);
    default:
        return fail(bad_type);
    }
}

record_outcome hex_read::data_record(std::int32_t count, std::int32_t address,
                                     std::string_view data) {
    if (data.empty()) {
        return record_outcome::next;
    }
    if (count < 0) {
        return fail(bad_count);
    }
    if (address < 0) {
        return fail(bad_address);
    }
    if (data.size() != 2 * static_cast<std::size_t>(count)) {
        return fail(wrong_length);
    }
    // 64 bits: an upper address of 8000 or more reaches beyond every signed
    // 32-bit address, and such bytes simply lie out of range.
    const std::int64_t first = upper_address_ * 65536 + segment_ * 16 + address;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int64_t at = first + i;
        if (at >= stored_end_) {
            out_of_range_.add(at);
            continue;
        }
        const std::int32_t value = hex2_value(data.substr(2 * static_cast<std::size_t>(i), 2));
        if (value < 0) {
            return fail(bad_data_byte);
        }
        flash_buffer_[static_cast<std::size_t>(at)] = static_cast<std::uint8_t>(value);
        bytes_loaded_ = std::max(bytes_loaded_, static_cast<std::int32_t>(at + 1));
    }
    return record_outcome::next;
}

bool is_line_break(char c) {
    return c == '\r' || c == '\n';
}

} // namespace

bool read_hextext(std::string_view text, std::vector<std::uint8_t>& flash_buffer,
                  std::int32_t flash_size, std::int32_t& bytes_loaded, message_box_host& boxes) {
    hex_read read(flash_buffer, flash_size, bytes_loaded);
    // A run of n line-break characters, CR and LF in any mix, counts as n / 4
    // line breaks rounded up; the line numbers in the messages count so.
    std::int64_t line_number = 1;
    std::size_t start = 0;
    record_outcome outcome = record_outcome::next;
    for (;;) {
        std::size_t end = start;
        while (end < text.size() && !is_line_break(text[end])) {
            ++end;
        }
        outcome = read.line(text.substr(start, end - start));
        if (outcome != record_outcome::next || end == text.size()) {
            break;
        }
        start = end;
        while (start < text.size() && is_line_break(text[start])) {
            ++start;
        }
        line_number += static_cast<std::int64_t>(start - end + 3) / 4;
    }

    if (outcome == record_outcome::fault) {
        boxes.my_msgbox(std::string("Input program file in Intel Hex Format contains errors.") +
                            crlf + "Line number " + decimal_text(line_number) +
                            reason_text(read.fault()),
                        msgbox_error, app_title);
        return false;
    }
    const out_of_range_list& out_of_range = read.out_of_range();
    if (out_of_range.count() > 0) {
        boxes.my_msgbox(std::string("Warning!") + crlf +
                            "Input program file in Intel Hex Format contains errors." + crlf +
                            "There are data for " + decimal_text(out_of_range.count()) +
                            " addresses out of range:" + crlf + out_of_range.text() + crlf,
                        msgbox_information, app_title);
    }
    return true;
}

bool read_hexfile(const std::string& path, std::vector<std::uint8_t>& flash_buffer,
                  std::int32_t flash_size, std::int32_t& bytes_loaded, message_box_host& boxes) {
    const std::optional<std::string> text = read_whole_file(path);
    if (!text) {
        boxes.my_msgbox("The file " + path + " cannot be opened.", msgbox_error, app_title);
        return false;
    }
    return read_hextext(*text, flash_buffer, flash_size, bytes_loaded, boxes);
}

} // namespace pellandor
