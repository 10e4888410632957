#include "platform/settings_backend_qt.h"

#include <QFile>
#include <QSettings>
#include <QString>
#include <gtest/gtest.h>
#include <vector>

#include "support/temporary_config_folder.h"

namespace pellandor {
namespace {

using testing::temporary_config_folder;

QString settings_file(const temporary_config_folder& config) {
    return config.path() + QStringLiteral("/Quillmere Pellandor/settings.ini");
}

QByteArray file_content(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void replace_file_content(const QString& path, const QByteArray& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

TEST(SettingsBackend, KeepsItsValuesInTheIniFileOfTheConfigurationFolder) {
    const temporary_config_folder config;
    settings_backend_qt backend;
    const std::string umlaut_folder =
        QStringLiteral("/home/j\u00FCrgen/\u00DCbung/").toLocal8Bit().toStdString();
    const std::string long_text(400, 'x');

    backend.write_text("Last Path", umlaut_folder);
    backend.write_text("Baud", "");
    backend.write_text("Long", long_text);
    backend.write_number("Mouse Wheel Enabled", 0);
    backend.write_number("Offset", -2147483647 - 1);

    EXPECT_EQ(settings_file_path(), settings_file(config));
    ASSERT_TRUE(QFile::exists(settings_file(config)));

    settings_backend_qt reader;
    EXPECT_EQ(reader.read_text("Last Path"), umlaut_folder);
    EXPECT_EQ(reader.read_text("Baud"), "");
    EXPECT_EQ(reader.read_text("Long"), long_text);
    EXPECT_EQ(reader.read_number("Mouse Wheel Enabled"), 0);
    EXPECT_EQ(reader.read_number("Offset"), -2147483647 - 1);
    EXPECT_EQ(reader.read_text("Missing"), std::nullopt);
    EXPECT_EQ(reader.read_number("Missing"), std::nullopt);

    // Every value lies directly in the program's key.
    QSettings file(settings_file(config), QSettings::IniFormat);
    EXPECT_TRUE(file.childGroups().isEmpty());
    EXPECT_TRUE(file.contains(QStringLiteral("Last Path")));
}

TEST(SettingsBackend, TakesANumberThatIsNoWhole32BitNumberAsMissing) {
    const temporary_config_folder config;
    settings_backend_qt backend;
    settings_store store(backend);
    backend.write_text("Serial Port Number", "abc");
    backend.write_text("Mouse Wheel Enabled", "4294967296");

    EXPECT_EQ(backend.read_number("Serial Port Number"), std::nullopt);
    EXPECT_EQ(store.get_long_setting("Serial Port Number", 3), 3);
    EXPECT_EQ(backend.read_number("Serial Port Number"), 3);
    EXPECT_EQ(store.get_long_setting("Mouse Wheel Enabled", 1), 1);
    EXPECT_EQ(backend.read_number("Mouse Wheel Enabled"), 1);
}

TEST(SettingsBackend, CreatesTheFoldersOnTheFirstWrite) {
    const temporary_config_folder config(QStringLiteral("not/yet/there"));
    settings_backend_qt backend;
    settings_store store(backend);

    EXPECT_EQ(store.get_string_setting("Color Theme", "Original Lite"), "Original Lite");
    EXPECT_TRUE(QFile::exists(settings_file(config)));
    EXPECT_EQ(backend.read_text("Color Theme"), "Original Lite");
}

TEST(SettingsBackend, SeesAValueDeletedByHandAndWritesItsDefaultAgain) {
    const temporary_config_folder config;
    settings_backend_qt backend;
    settings_store store(backend);
    store.save_string_setting("Color Theme", "Night");
    store.save_long_setting("Serial Port Number", 5);
    EXPECT_EQ(store.get_string_setting("Color Theme", "Original Lite"), "Night");

    QByteArray content = file_content(settings_file(config));
    const qsizetype start = content.indexOf("Color%20Theme=");
    ASSERT_GE(start, 0);
    content.remove(start, content.indexOf('\n', start) + 1 - start);
    replace_file_content(settings_file(config), content);

    EXPECT_EQ(store.get_string_setting("Color Theme", "Original Lite"), "Original Lite");
    EXPECT_EQ(store.get_long_setting("Serial Port Number", 1), 5);
    EXPECT_TRUE(file_content(settings_file(config)).contains("Color%20Theme=Original Lite"));
}

TEST(SettingsBackend, GivesBackEveryTextAsWritten) {
    // Folder names and theme names may hold what the INI syntax gives a
    // meaning to: list commas, quotes, comment marks, Qt's "@" type prefixes.
    const temporary_config_folder config;
    settings_backend_qt backend;
    const std::vector<std::string> texts{"/home/a, b/",   " lead", "trail ", "@Invalid()",
                                         "@ByteArray(x)", "\"q\"", "x;y",    "#z",
                                         "c:\\dir\\",     "a=b",   "1,2,3",  "tab\there"};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string name = "Text " + std::to_string(i);
        backend.write_text(name, texts[i]);
        EXPECT_EQ(settings_backend_qt().read_text(name), texts[i]) << texts[i];
    }
}

} // namespace
} // namespace pellandor
