#include "startup/app_path.h"

#include <gtest/gtest.h>

namespace pellandor {
namespace {

TEST(AppPath, EndsInExactlyOneSeparator) {
    EXPECT_EQ(make_app_path("C:\\", '\\', true), "c:\\");
    EXPECT_EQ(make_app_path("/", '/', false), "/");
    EXPECT_EQ(make_app_path("/opt/Quill/bin", '/', false), "/opt/Quill/bin/");
}

TEST(AppPath, LowerCasesOnlyWhereFileNamesIgnoreCase) {
    EXPECT_EQ(make_app_path("D:\\Tools\\AVR", '\\', true), "d:\\tools\\avr\\");
    EXPECT_EQ(make_app_path("/home/Ann/AVR", '/', false), "/home/Ann/AVR/");
    // Bytes of a multi-byte name are left as they are.
    EXPECT_EQ(make_app_path("D:\\\xC3\x9C"
                            "BUNG",
                            '\\', true),
              "d:\\\xC3\x9C"
              "bung\\");
}

} // namespace
} // namespace pellandor
