#include "hexfile/text_file.h"

#include <cerrno>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <system_error>

namespace pellandor {

namespace {

struct file_closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using file_handle = std::unique_ptr<std::FILE, file_closer>;

// A failed call that left errno unset still counts as a failure.
std::error_code last_error() {
    return errno != 0 ? std::error_code(errno, std::generic_category())
                      : std::make_error_code(std::errc::io_error);
}

std::string cannot_write(const std::string& path, const std::string& reason) {
    return "The file " + path + " cannot be written (" + reason + ").";
}

std::string cannot_write(const std::string& path, std::error_code error) {
    return cannot_write(path, error.message());
}

// Creates a file of a name not yet taken beside the target; "x" never reuses
// a file that exists, whoever made it.
std::FILE* create_temporary(const std::string& path, std::string& temporary) {
    constexpr int attempts = 100;
    for (int n = 0; n < attempts; ++n) {
        temporary = path + ".tmp" + (n == 0 ? std::string() : std::to_string(n));
        errno = 0;
        if (std::FILE* file = std::fopen(temporary.c_str(), "wbx")) {
            return file;
        }
        if (errno != EEXIST) {
            return nullptr;
        }
    }
    return nullptr;
}

} // namespace

std::optional<std::string> read_whole_file(const std::string& path) {
    // A named pipe would hold the caller until some other program writes to
    // it, and a device such as /dev/zero never ends. Asking the file system
    // what the name is (through any links) never waits on the file itself.
    std::error_code error;
    if (!std::filesystem::is_regular_file(std::filesystem::path(path), error)) {
        return std::nullopt;
    }
    const file_handle file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return std::nullopt;
    }
    std::string content;
    char chunk[65536];
    std::size_t got = 0;
    try {
        while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
            content.append(chunk, got);
        }
    } catch (const std::exception&) {
        // A file larger than memory can hold is a file that cannot be read,
        // not the end of the program.
        return std::nullopt;
    }
    if (std::ferror(file.get()) != 0) {
        return std::nullopt;
    }
    return content;
}

std::optional<std::string> write_text_file_atomically(const std::string& path,
                                                      std::string_view text) {
    // The rename would put a plain file in place of a device or a named pipe
    // (a serial port gone until the system starts again, for a user who
    // runs the program as root); only a regular file is replaced.
    std::error_code ignored_status;
    const auto status = std::filesystem::status(std::filesystem::path(path), ignored_status);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        return cannot_write(path, "not a regular file");
    }
    std::string temporary;
    std::FILE* file = create_temporary(path, temporary);
    if (file == nullptr) {
        return cannot_write(path, last_error());
    }
    std::error_code error;
    if (std::fwrite(text.data(), 1, text.size(), file) != text.size() || std::fflush(file) != 0) {
        error = last_error();
    }
    if (std::fclose(file) != 0 && !error) {
        error = last_error();
    }
    if (!error) {
        std::filesystem::rename(temporary, path, error);
        if (!error) {
            return std::nullopt;
        }
    }
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return cannot_write(path, error);
}

} // namespace pellandor
