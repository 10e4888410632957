// The settings store's values where the user's settings belong: the registry
// key HKEY_CURRENT_USER\Software\Quillmere Pellandor on Windows, the INI file
// "Quillmere Pellandor/settings.ini" under the user's configuration folder
// elsewhere.
#pragma once

#include <QString>

#include "startup/settings_store.h"

namespace pellandor {

class settings_backend_qt final : public settings_backend {
public:
    std::optional<std::string> read_text(const std::string& name) override;
    std::optional<std::int32_t> read_number(const std::string& name) override;
    void write_text(const std::string& name, const std::string& value) override;
    void write_number(const std::string& name, std::int32_t value) override;
};

#ifndef Q_OS_WIN
// The INI file's full path.
QString settings_file_path();
#endif

} // namespace pellandor
