#include "hexfile/text_file.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <thread>

#include "hexfile/hex_reader.h"
#include "support/recording_message_box.h"

namespace pellandor {
namespace {

namespace fs = std::filesystem;

class TextFiles : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device seed;
        folder_ = fs::temp_directory_path() /
                  ("pellandor-hexfile-" + std::to_string(seed()) + std::to_string(seed()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string path(const std::string& name) const { return (folder_ / name).string(); }
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(folder_)) {
            found.push_back(entry.path().filename().string());
        }
        std::sort(found.begin(), found.end());
        return found;
    }

    fs::path folder_;
};

// A named pipe whose writer end a thread of its own opens and closes again: a
// read that opens the pipe finds it empty and ended instead of waiting for a
// writer, and when nothing opened it the destructor stands in as the reader
// that releases the thread.
class named_pipe {
public:
    explicit named_pipe(std::string path) : path_(std::move(path)) {
        if (::mkfifo(path_.c_str(), 0600) == 0) {
            writer_ = std::thread([this] { close_if_open(::open(path_.c_str(), O_WRONLY)); });
        }
    }
    ~named_pipe() {
        if (writer_.joinable()) {
            const int reader = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK);
            writer_.join();
            close_if_open(reader);
        }
    }
    named_pipe(const named_pipe&) = delete;
    named_pipe& operator=(const named_pipe&) = delete;

    bool made() const { return writer_.joinable(); }

private:
    static void close_if_open(int descriptor) {
        if (descriptor >= 0) {
            ::close(descriptor);
        }
    }

    std::string path_;
    std::thread writer_;
};

TEST_F(TextFiles, WritesAndReadsEveryByteUnchanged) {
    std::string text = "line\r\nnext\rlast\n";
    text += std::string(1, '\0') + "\xFF\x80";
    EXPECT_EQ(write_text_file_atomically(path("a.hex"), text), std::nullopt);
    EXPECT_EQ(read_whole_file(path("a.hex")), text);
    EXPECT_EQ(names(), std::vector<std::string>{"a.hex"});
}

TEST_F(TextFiles, ReplacesAnExistingFileWhole) {
    ASSERT_EQ(write_text_file_atomically(path("a.hex"), std::string(100000, 'x')), std::nullopt);
    ASSERT_EQ(write_text_file_atomically(path("a.hex"), "short"), std::nullopt);
    EXPECT_EQ(read_whole_file(path("a.hex")), "short");
    EXPECT_EQ(names(), std::vector<std::string>{"a.hex"});
}

TEST_F(TextFiles, LeavesAFileOfTheTemporaryNameAlone) {
    ASSERT_EQ(write_text_file_atomically(path("a.hex.tmp"), "somebody's"), std::nullopt);
    EXPECT_EQ(write_text_file_atomically(path("a.hex"), "ours"), std::nullopt);
    EXPECT_EQ(read_whole_file(path("a.hex.tmp")), "somebody's");
    EXPECT_EQ(read_whole_file(path("a.hex")), "ours");
    EXPECT_EQ(names(), (std::vector<std::string>{"a.hex", "a.hex.tmp"}));
}

TEST_F(TextFiles, AFailedWriteNamesTheFileAndLeavesNoTrace) {
    const std::string missing = path("no such folder/a.hex");
    const auto message = write_text_file_atomically(missing, "data");
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->rfind("The file " + missing + " cannot be written", 0), 0U);
    EXPECT_TRUE(names().empty());

    // A folder or a named pipe in the way is no file to replace; each stays
    // as it was.
    fs::create_directories(path("taken/inside"));
    ASSERT_EQ(::mkfifo(path("pipe.hex").c_str(), 0600), 0);
    EXPECT_EQ(write_text_file_atomically(path("taken"), "data"),
              "The file " + path("taken") + " cannot be written (not a regular file).");
    EXPECT_TRUE(write_text_file_atomically(path("pipe.hex"), "data").has_value());
    EXPECT_TRUE(fs::is_directory(path("taken/inside")));
    EXPECT_TRUE(fs::is_fifo(path("pipe.hex")));
    EXPECT_EQ(names(), (std::vector<std::string>{"pipe.hex", "taken"}));
}

// A pipe would hold the window until another program writes to it and a
// device may never end: only a regular file is read, the rest fails as a
// missing file does. Each pipe is one case, since it ends only once.
TEST_F(TextFiles, ReadingAnythingButARegularFileFailsWithAnErrorBox) {
    EXPECT_EQ(read_whole_file(path("none.hex")), std::nullopt);
    const named_pipe pipe(path("pipe.hex"));
    const named_pipe linked_pipe(path("linked-pipe.hex"));
    ASSERT_TRUE(pipe.made() && linked_pipe.made());
    fs::create_symlink(path("linked-pipe.hex"), path("link.hex"));
    fs::create_directories(path("folder.hex"));
    for (const std::string& refused : {path("none.hex"), path("pipe.hex"), path("link.hex"),
                                       std::string("/dev/null"), path("folder.hex")}) {
        std::vector<std::uint8_t> flash(8192, 255);
        std::int32_t bytes_loaded = 0;
        testing::recording_message_box boxes;
        EXPECT_FALSE(read_hexfile(refused, flash, 8192, bytes_loaded, boxes)) << refused;
        ASSERT_EQ(boxes.boxes.size(), 1U) << refused;
        EXPECT_EQ(boxes.boxes[0].text, "The file " + refused + " cannot be opened.");
        EXPECT_EQ(boxes.boxes[0].kind, msgbox_error);
    }
}

TEST_F(TextFiles, ReadsAHexFileThroughALinkAndAnEmptyOne) {
    std::vector<std::uint8_t> flash(8192, 255);
    std::int32_t bytes_loaded = 0;
    testing::recording_message_box boxes;
    ASSERT_EQ(write_text_file_atomically(path("empty.hex"), ""), std::nullopt);
    EXPECT_TRUE(read_hexfile(path("empty.hex"), flash, 8192, bytes_loaded, boxes));
    ASSERT_EQ(write_text_file_atomically(path("a.hex"), ":020000000C945E\r\n:00000001FF\r\n"),
              std::nullopt);
    fs::create_symlink(path("a.hex"), path("link.hex"));
    EXPECT_TRUE(read_hexfile(path("link.hex"), flash, 8192, bytes_loaded, boxes));
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(flash[1], 0x94);
    EXPECT_EQ(bytes_loaded, 2);
}

} // namespace
} // namespace pellandor
