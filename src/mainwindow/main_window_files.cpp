// Opening a HEX file into the FLASH buffer and saving the buffer as one.
#include <QDir>

#include <filesystem>
#include <system_error>

#include "hexfile/hex_reader.h"
#include "hexfile/hex_writer.h"
#include "hexfile/load_status.h"
#include "hexfile/shorten_path.h"
#include "hexfile/text_file.h"
#include "mainwindow/main_window.h"
#include "startup/app_info.h"
#include "startup/controls_widget.h"

namespace pellandor {

namespace {

// The folder of a chosen file becomes the last folder, remembered at once so
// that it stays even when the file then fails.
chosen_path remember_folder(const std::string& chosen, std::string& last_path,
                            settings_store& settings) {
    chosen_path path = split_chosen_path(chosen, QDir::separator().toLatin1());
    last_path = path.folder;
    settings.save_string_setting(setting::last_path, last_path);
    return path;
}

bool file_exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::path(path), error);
}

} // namespace

void Form1::menuopen_Click() {
    const std::string chosen = files_.show_open(last_path_);
    if (chosen.empty()) {
        return;
    }
    load_hexfile(remember_folder(chosen, last_path_, settings_).name);
}

void Form1::load_hexfile(const std::string& name) {
    disable();
    reset_memory_image(state_.image, state_.model);
    std::int32_t bytes_loaded = 0;
    const std::string path = last_path_ + name;
    if (read_hexfile(path, state_.image.flash_buffer, state_.model.flash_size, bytes_loaded,
                     *this)) {
        updatedisplay();
        label_hex->setText(to_qstring(shorten_path(path)));
        set_status(load_status_text(bytes_loaded));
    } else {
        // Nothing of a faulty file stays in the buffer.
        reset_memory_image(state_.image, state_.model);
        updatedisplay();
        label_hex->clear();
        set_status(hex_not_loaded_text);
    }
    enable();
}

void Form1::menusave_Click() {
    const std::string chosen = files_.show_save(last_path_);
    if (chosen.empty()) {
        return;
    }
    const std::string path = last_path_ + remember_folder(chosen, last_path_, settings_).name;
    if (file_exists(path) &&
        my_msgbox(overwrite_question(path), msgbox_yes_no, app_title) == msgbox_no) {
        return;
    }
    disable();
    const QString shown_before = label_hex->text();
    label_hex->setText(to_qstring(shorten_path(path)));
    // The file is replaced only once the new one is complete: a failure
    // leaves the old file as it was and is never reported as saved, nor left
    // under the status of an earlier save.
    const auto failure = write_text_file_atomically(
        path, hex_file_text(state_.image.flash_buffer, state_.model.flash_size));
    if (failure) {
        label_hex->setText(shown_before);
        set_status(hex_not_saved_text);
        enable();
        my_msgbox(*failure, msgbox_error, app_title);
        return;
    }
    enable();
    set_status(hex_saved_text);
}

} // namespace pellandor
