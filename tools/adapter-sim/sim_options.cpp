#include "sim_options.h"

#include <charconv>
#include <string_view>

namespace pellandor::adapter_sim {

const char* const usage_text =
    "usage: adapter-sim --chip NAME [--link PATH] [--state-in FILE] [--state-out FILE]\n"
    "                   [--baud N] [--latency-us N] [--stop-after N] [--drop-reply N]\n"
    "                   [--extra-reply N] [--list]\n"
    "SIGUSR1 makes it send one byte (0x55) that no command asked for.\n";

namespace {

bool parse_count(std::string_view text, std::uint64_t& value) {
    const auto* last = text.data() + text.size();
    const auto [end, status] = std::from_chars(text.data(), last, value);
    return status == std::errc{} && end == last && !text.empty();
}

} // namespace

std::optional<sim_options> parse_options(std::span<const char* const> args, std::string& error) {
    sim_options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view name = args[i];
        if (name == "--list") {
            options.list = true;
            continue;
        }
        if (i + 1 == args.size()) {
            error = "missing value after " + std::string(name);
            return std::nullopt;
        }
        const std::string_view value = args[++i];
        std::uint64_t* count = nullptr;
        if (name == "--chip") {
            options.chip = find_chip_model(value);
            if (options.chip == nullptr) {
                error = "unknown chip " + std::string(value) + " (--list names them)";
                return std::nullopt;
            }
        } else if (name == "--link") {
            options.link = value;
        } else if (name == "--state-in") {
            options.state_in = value;
        } else if (name == "--state-out") {
            options.state_out = value;
        } else if (name == "--baud") {
            count = &options.baud;
        } else if (name == "--latency-us") {
            count = &options.latency_us;
        } else if (name == "--stop-after") {
            count = &options.injected.stop_after;
        } else if (name == "--drop-reply") {
            count = &options.injected.drop_reply;
        } else if (name == "--extra-reply") {
            count = &options.injected.extra_reply;
        } else {
            error = "unknown option " + std::string(name);
            return std::nullopt;
        }
        if (count != nullptr && !parse_count(value, *count)) {
            error = std::string(name) + " needs a whole number, not " + std::string(value);
            return std::nullopt;
        }
    }
    if (!options.list && options.chip == nullptr) {
        error = "--chip is missing";
        return std::nullopt;
    }
    return options;
}

} // namespace pellandor::adapter_sim
