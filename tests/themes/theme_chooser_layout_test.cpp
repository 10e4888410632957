#include "themes/theme_chooser_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace pellandor {
namespace {

TEST(ThemeChooserLayout, ListsEveryThemeOnce) {
    std::vector<std::string> listed(theme_chooser_names().begin(), theme_chooser_names().end());
    std::vector<std::string> themes;
    for (const theme_row& row : theme_table()) {
        themes.emplace_back(row.name);
    }
    std::sort(listed.begin(), listed.end());
    std::sort(themes.begin(), themes.end());
    EXPECT_EQ(listed, themes);
}

} // namespace
} // namespace pellandor
