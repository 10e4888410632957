#include "hexfile/load_status.h"

#include <gtest/gtest.h>

#include <vector>

namespace pellandor {
namespace {

TEST(LoadStatus, CountAndKilobytesCutToFourCharacters) {
    struct count_case {
        std::int32_t bytes;
        const char* shown;
    };
    const std::vector<count_case> cases = {
        {1536, "Total 1536 (1.5K)"},
        {3000, "Total 3000 (2.92K)"},
        {8192, "Total 8192 (8K)"},
        {0, "Total 0 (0K)"},
        {512, "Total 512 (0.5K)"},
        {272, "Total 272 (0.26K)"},
        {1, "Total 1 (0.00K)"},
        {131072, "Total 131072 (128K)"},
        {10239, "Total 10239 (9.99K)"},
        {1048576, "Total 1048576 (1024K)"},
        {10485760, "Total 10485760 (1024K)"}, // 10240: the cut keeps four characters
    };
    for (const count_case& c : cases) {
        EXPECT_EQ(load_status_text(c.bytes),
                  std::string("Operation completed. ") + c.shown + " program bytes loaded.");
    }
}

TEST(LoadStatus, ChosenPathSplitsAtItsLastSeparator) {
    EXPECT_EQ(split_chosen_path("C:\\work\\avr\\blink.hex", '\\').folder, "C:\\work\\avr\\");
    EXPECT_EQ(split_chosen_path("C:\\work\\avr\\blink.hex", '\\').name, "blink.hex");
    EXPECT_EQ(split_chosen_path("/home/u/a.b/blink", '/').folder, "/home/u/a.b/");
    EXPECT_EQ(split_chosen_path("/home/u/a.b/blink", '/').name, "blink");
    // The other platform's separator is part of the name.
    EXPECT_EQ(split_chosen_path("/home/u/x\\y.hex", '/').name, "x\\y.hex");
    EXPECT_EQ(split_chosen_path("blink.hex", '/').folder, "");
    EXPECT_EQ(split_chosen_path("blink.hex", '/').name, "blink.hex");
}

} // namespace
} // namespace pellandor
