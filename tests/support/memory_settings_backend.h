// A settings backend held in memory, for tests of whatever reads and writes
// settings. It can be told to lose every write, as a key without rights does.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "startup/settings_store.h"

namespace pellandor::testing {

class memory_settings_backend : public settings_backend {
public:
    std::map<std::string, std::string> texts;
    std::map<std::string, std::int32_t> numbers;
    bool writes_lost = false;
    int write_count = 0;

    std::optional<std::string> read_text(const std::string& name) override {
        const auto it = texts.find(name);
        if (it == texts.end()) {
            return std::nullopt;
        }
        return it->second;
    }
    std::optional<std::int32_t> read_number(const std::string& name) override {
        const auto it = numbers.find(name);
        if (it == numbers.end()) {
            return std::nullopt;
        }
        return it->second;
    }
    void write_text(const std::string& name, const std::string& value) override {
        ++write_count;
        if (!writes_lost) {
            texts[name] = value;
        }
    }
    void write_number(const std::string& name, std::int32_t value) override {
        ++write_count;
        if (!writes_lost) {
            numbers[name] = value;
        }
    }
};

} // namespace pellandor::testing
