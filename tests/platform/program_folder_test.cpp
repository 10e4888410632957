#include "platform/program_folder.h"

#include <QCoreApplication>
#include <filesystem>
#include <gtest/gtest.h>

namespace pellandor {
namespace {

TEST(ProgramFolder, IsTheExecutablesFolderWithItsCaseAndASeparator) {
    int argc = 1;
    char name[] = "program_folder_test";
    char* argv[] = {name, nullptr};
    const QCoreApplication app(argc, argv);
    const auto executable = std::filesystem::read_symlink("/proc/self/exe");

    EXPECT_EQ(program_app_path(), executable.parent_path().string() + '/');
}

} // namespace
} // namespace pellandor
