#include "startup/settings_store.h"

#include <gtest/gtest.h>

#include "support/memory_settings_backend.h"

namespace pellandor {
namespace {

using testing::memory_settings_backend;

TEST(SettingsStore, ReturnsStoredTextsUpToTheLengthLimit) {
    memory_settings_backend backend;
    settings_store store(backend);
    const std::string longest(max_setting_text, 'x');
    backend.texts["Empty"] = "";
    backend.texts["Longest"] = longest;

    EXPECT_EQ(store.get_string_setting("Empty", "default"), "");
    EXPECT_EQ(store.get_string_setting("Longest", "default"), longest);
    EXPECT_EQ(backend.write_count, 0);
}

TEST(SettingsStore, GivesTheDefaultForTooLongATextAndKeepsTheStoredOne) {
    memory_settings_backend backend;
    settings_store store(backend);
    const std::string too_long(max_setting_text + 1, 'x');
    backend.texts["Last Path"] = too_long;

    EXPECT_EQ(store.get_string_setting("Last Path", "/opt/"), "/opt/");
    EXPECT_EQ(backend.texts["Last Path"], too_long);
    EXPECT_EQ(backend.write_count, 0);
}

TEST(SettingsStore, ReturnsAStoredZeroRatherThanTheDefault) {
    memory_settings_backend backend;
    settings_store store(backend);
    backend.numbers["Mouse Wheel Enabled"] = 0;
    backend.numbers["Serial Port Number"] = -3;

    EXPECT_EQ(store.get_long_setting("Mouse Wheel Enabled", 1), 0);
    EXPECT_EQ(store.get_long_setting("Serial Port Number", 1), -3);
    EXPECT_EQ(backend.write_count, 0);
}

TEST(SettingsStore, WritesAMissingValueWithItsDefaultOnlyOnTheFirstRead) {
    memory_settings_backend backend;
    settings_store store(backend);

    EXPECT_EQ(store.get_string_setting("Color Theme", "Original Lite"), "Original Lite");
    EXPECT_EQ(store.get_long_setting("Mouse Wheel Enabled", 1), 1);
    EXPECT_EQ(backend.write_count, 2);
    EXPECT_EQ(backend.texts["Color Theme"], "Original Lite");
    EXPECT_EQ(backend.numbers["Mouse Wheel Enabled"], 1);

    // The stored value now wins over another default.
    EXPECT_EQ(store.get_string_setting("Color Theme", "other"), "Original Lite");
    EXPECT_EQ(store.get_long_setting("Mouse Wheel Enabled", 7), 1);
    EXPECT_EQ(backend.write_count, 2);
}

TEST(SettingsStore, WritesADeletedValueAgainOnItsNextRead) {
    memory_settings_backend backend;
    settings_store store(backend);
    store.save_string_setting("Serial Port Baud Rate", "9600");
    store.save_long_setting("Serial Port Number", 4);
    EXPECT_EQ(store.get_string_setting("Serial Port Baud Rate", "56000"), "9600");
    EXPECT_EQ(store.get_long_setting("Serial Port Number", 1), 4);

    backend.texts.clear();
    backend.numbers.clear();

    EXPECT_EQ(store.get_string_setting("Serial Port Baud Rate", "56000"), "56000");
    EXPECT_EQ(store.get_long_setting("Serial Port Number", 1), 1);
    EXPECT_EQ(backend.texts["Serial Port Baud Rate"], "56000");
    EXPECT_EQ(backend.numbers["Serial Port Number"], 1);
}

TEST(SettingsStore, ReturnsDefaultsWhenEveryWriteIsLost) {
    memory_settings_backend backend;
    backend.writes_lost = true;
    settings_store store(backend);

    store.save_string_setting("Microcontroller Model", "5");
    EXPECT_EQ(store.get_string_setting("Microcontroller Model", "1"), "1");
    EXPECT_EQ(store.get_string_setting("Microcontroller Model", "1"), "1");
    EXPECT_EQ(store.get_long_setting("Serial Port Number", 2), 2);
    EXPECT_TRUE(backend.texts.empty());
    EXPECT_TRUE(backend.numbers.empty());
}

} // namespace
} // namespace pellandor
