#include "platform/settings_backend_qt.h"

#include <QDir>
#include <QSettings>
#include <QVariant>

#include "platform/config_folder.h"

namespace pellandor {

namespace {

QString key(const std::string& name) {
    return QString::fromLocal8Bit(name);
}

// Every call opens the store anew and the QSettings destructor syncs it, so
// nothing stays open between calls and an edit by hand is seen at once.
template <typename Action> auto with_settings(Action action) {
#ifdef Q_OS_WIN
    QSettings settings(QStringLiteral("HKEY_CURRENT_USER\\Software\\Quillmere Pellandor"),
                       QSettings::NativeFormat);
#else
    QDir().mkpath(program_config_folder());
    QSettings settings(settings_file_path(), QSettings::IniFormat);
#endif
    return action(settings);
}

} // namespace

#ifndef Q_OS_WIN
QString settings_file_path() {
    return program_config_folder() + QStringLiteral("/settings.ini");
}
#endif

std::optional<std::string> settings_backend_qt::read_text(const std::string& name) {
    return with_settings([&](QSettings& settings) -> std::optional<std::string> {
        const QVariant value = settings.value(key(name));
        if (!value.isValid()) {
            return std::nullopt;
        }
        return value.toString().toLocal8Bit().toStdString();
    });
}

std::optional<std::int32_t> settings_backend_qt::read_number(const std::string& name) {
    return with_settings([&](QSettings& settings) -> std::optional<std::int32_t> {
        // An INI file holds every value as text; the registry gives a DWORD
        // as a number. Either way only a 32-bit whole number counts.
        bool ok = false;
        const int number = settings.value(key(name)).toString().toInt(&ok);
        if (!ok) {
            return std::nullopt;
        }
        return number;
    });
}

void settings_backend_qt::write_text(const std::string& name, const std::string& value) {
    with_settings(
        [&](QSettings& settings) { settings.setValue(key(name), QString::fromLocal8Bit(value)); });
}

void settings_backend_qt::write_number(const std::string& name, std::int32_t value) {
    with_settings([&](QSettings& settings) { settings.setValue(key(name), int{value}); });
}

} // namespace pellandor
