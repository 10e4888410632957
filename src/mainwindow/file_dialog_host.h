// The open and save dialogs of the main window as the commands see them. The
// forms show the platform's file dialogs; tests answer with a chosen path.
#pragma once

#include <string>

namespace pellandor {

class file_dialog_host {
public:
    virtual ~file_dialog_host() = default;
    // The full path chosen in the open dialog that starts in the folder, ""
    // when the user cancelled.
    virtual std::string show_open(const std::string& folder) = 0;
    // The same for the save dialog, which neither asks before replacing a
    // file nor adds an extension.
    virtual std::string show_save(const std::string& folder) = 0;
};

} // namespace pellandor
