#include "mainwindow/small_boxes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/recording_message_box.h"

namespace pellandor {
namespace {

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "the last line is not ended by CR LF";
    return lines;
}

TEST(ProgrammingTime, EntriesFromOneToThirtyRoundHalvesToEven) {
    struct entry_case {
        const char* typed;
        std::int32_t time;
    };
    const std::vector<entry_case> accepted = {
        {"30", 30},   {"1", 1},      {"1.4", 1}, {"2.5", 2},   {"3.5", 4},
        {"29.5", 30}, {"15abc", 15}, {" 7 ", 7}, {"&H1E", 30},
    };
    for (const entry_case& c : accepted) {
        const programming_time_entry entry = read_programming_time(c.typed);
        EXPECT_EQ(entry.outcome, programming_time_entry::new_time) << c.typed;
        EXPECT_EQ(entry.time, c.time) << c.typed;
    }
    for (const char* typed : {"31", "0", "abc", "0.99", "30.01", "-5", " "}) {
        EXPECT_EQ(read_programming_time(typed).outcome, programming_time_entry::wrong_entry)
            << '"' << typed << '"';
    }
    EXPECT_EQ(read_programming_time("").outcome, programming_time_entry::no_change);
}

// An input box that answers with the given text and keeps what it was asked.
class scripted_input_box : public input_box_host {
public:
    std::string answer;
    std::string prompt, title, default_text;

    std::string my_inputbox(const std::string& p, const std::string& t,
                            const std::string& d) override {
        prompt = p;
        title = t;
        default_text = d;
        return answer;
    }
};

TEST(ProgrammingTime, TheCommandAsksWithTheCurrentTimeAndSetsOrRefuses) {
    scripted_input_box inputs;
    testing::recording_message_box boxes;
    std::int32_t time = 9;

    inputs.answer = "7";
    change_programming_time(inputs, boxes, time);
    EXPECT_EQ(inputs.prompt, "Enter new programming time in ms [1-30].");
    EXPECT_EQ(inputs.title, "Quillmere Pellandor");
    EXPECT_EQ(inputs.default_text, "9");
    EXPECT_EQ(time, 7);
    EXPECT_TRUE(boxes.boxes.empty());

    inputs.answer = ""; // Cancel
    change_programming_time(inputs, boxes, time);
    EXPECT_EQ(inputs.default_text, "7");
    EXPECT_EQ(time, 7);
    EXPECT_TRUE(boxes.boxes.empty());

    inputs.answer = "31";
    change_programming_time(inputs, boxes, time);
    EXPECT_EQ(time, 7);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "Wrong entry!");
    EXPECT_EQ(boxes.boxes[0].kind, msgbox_error);
    EXPECT_EQ(boxes.boxes[0].title, "Quillmere Pellandor");
}

TEST(HelpBoxes, PinoutIsFourteenLinesWithTabbedColumns) {
    const std::vector<std::string> lines = lines_of(pinout_text());
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[0], "Serial Port Pinout:");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "Pin\tSignal\tDirection");
    EXPECT_EQ(lines[7], "5\tGND\t-");
    EXPECT_EQ(lines[11], "9\tRI\tInput");
    EXPECT_EQ(lines[12], "");
    EXPECT_EQ(lines[13], "Directions are defined from the viewpoint of the PC.");
}

TEST(HelpBoxes, AboutIsNineLinesWithTitleWarrantyAndNoAddress) {
    const std::vector<std::string> lines = lines_of(about_text());
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0], "Quillmere Pellandor");
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[4], "This software is supplied as is in goodwill that it will successfully "
                        "serve its purpose, but without any warranties.");
    EXPECT_EQ(lines[6], "");
    EXPECT_EQ(lines[7], "Send bug reports and suggestions to:");
    for (const std::string& line : {lines[1], lines[2], lines[5], lines[8]}) {
        EXPECT_FALSE(line.empty());
        EXPECT_EQ(line.find('@'), std::string::npos) << line;
        EXPECT_EQ(line.find("://"), std::string::npos) << line;
        EXPECT_EQ(line.find("www."), std::string::npos) << line;
    }
}

} // namespace
} // namespace pellandor
