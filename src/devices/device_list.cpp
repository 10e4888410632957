#include "devices/device_list.h"

#include "startup/letter_case.h"
#include "startup/text_value.h"

#include <exception>
#include <fstream>
#include <iterator>

namespace pellandor {

namespace {

using definition_table = std::array<std::string, algorithm_numbers>;

struct definition_key {
    std::string_view word;
    definition_table device_tables::*table;
};

struct text_field_key {
    std::string_view key;
    std::string device_record::*field;
};

struct reference_key {
    std::string_view key;
    std::string device_record::*field;
    definition_table device_tables::*table;
};

// The order of these tables is the order in which keys are tried.
constexpr std::array<definition_key, 5> definition_keys{{
    {"erasealgdef", &device_tables::erase_algdefs},
    {"programalgdef", &device_tables::program_algdefs},
    {"readalgdef", &device_tables::read_algdefs},
    {"blankcheckalgdef", &device_tables::blankcheck_algdefs},
    {"verifyalgdef", &device_tables::verify_algdefs},
}};

constexpr std::string_view model_key = "model:";

constexpr std::array<text_field_key, 5> text_field_keys{{
    {"flash:", &device_record::device_flash},
    {"eeprom:", &device_record::device_eeprom},
    {"configdefault:", &device_record::device_configdefault},
    {"progtime:", &device_record::device_progtime},
    {"pagesize:", &device_record::device_pagesize},
}};

constexpr std::array<reference_key, 5> reference_keys{{
    {"erasealg:", &device_record::device_erasealg, &device_tables::erase_algdefs},
    {"programalg:", &device_record::device_programalg, &device_tables::program_algdefs},
    {"readalg:", &device_record::device_readalg, &device_tables::read_algdefs},
    {"blankcheckalg:", &device_record::device_blankcheckalg, &device_tables::blankcheck_algdefs},
    {"verifyalg:", &device_record::device_verifyalg, &device_tables::verify_algdefs},
}};

// The algorithm number written after a key; -1 when it lies outside the
// tables, so that no number can reach beyond them.
int algorithm_number(std::string_view text) {
    const std::int32_t number = round_half_even(text_value(text));
    return number >= 0 && number < algorithm_numbers ? number : -1;
}

void read_line(device_tables& tables, std::string_view line) {
    const std::size_t blank = line.find(' ');
    if (blank == std::string_view::npos) {
        // Every line the format knows holds a blank; without one no position
        // below would mean anything.
        return;
    }
    const std::string lower = lower_case(line);
    const std::string_view lower_view = lower;
    const std::size_t colon = line.find(':');
    const std::string_view after_blank = line.substr(blank + 1);

    const std::string_view word = lower_view.substr(0, blank);
    for (const definition_key& key : definition_keys) {
        if (word != key.word) {
            continue;
        }
        const int number = algorithm_number(after_blank);
        if (number >= 0) {
            // The character right after the colon only separates the text.
            const std::size_t start = colon == std::string_view::npos ? 1 : colon + 2;
            (tables.*key.table)[static_cast<std::size_t>(number)] =
                start < line.size() ? std::string(line.substr(start)) : std::string();
        }
        return;
    }

    if (colon == std::string_view::npos) {
        return;
    }
    const std::string_view key = lower_view.substr(0, colon + 1);
    if (key == model_key) {
        tables.records.emplace_back().device_model = after_blank;
        ++tables.device_count;
        return;
    }
    device_record& record = tables.records.back();
    for (const text_field_key& field_key : text_field_keys) {
        if (key == field_key.key) {
            record.*field_key.field = after_blank;
            return;
        }
    }
    for (const reference_key& reference : reference_keys) {
        if (key == reference.key) {
            const int number = algorithm_number(after_blank);
            // A copy: a later definition with the same number leaves it alone.
            record.*reference.field =
                number >= 0 ? (tables.*reference.table)[static_cast<std::size_t>(number)]
                            : std::string();
            return;
        }
    }
}

} // namespace

device_tables parse_device_list(std::string_view text) {
    device_tables tables;
    // Editors that save UTF-8 may put a byte-order mark first; left there it
    // would hide the first line's key and so, perhaps, the first model.
    constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";
    if (text.substr(0, byte_order_mark.size()) == byte_order_mark) {
        text.remove_prefix(byte_order_mark.size());
    }
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            read_line(tables, text.substr(start));
            break;
        }
        if (end > start) {
            read_line(tables, text.substr(start, end - start));
        }
        const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        start = end + (crlf ? 2 : 1);
    }
    return tables;
}

device_tables load_devices(const std::filesystem::path& file) {
    std::string text;
    try {
        std::ifstream stream(file, std::ios::binary);
        if (!stream) {
            return device_tables{};
        }
        text.assign(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
        if (stream.bad()) {
            return device_tables{};
        }
    } catch (const std::exception&) {
        // The stream library reports some read errors (a folder, a failing
        // disk) by throwing; they count as a list without models.
        return device_tables{};
    }
    return parse_device_list(text);
}

} // namespace pellandor
