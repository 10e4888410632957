#include "startup/word_breaking.h"

#include <algorithm>
#include <initializer_list>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>

#include <gtest/gtest.h>

namespace pellandor {
namespace {

// A word of `length` characters, all "a" but for the given ones.
std::string word(std::size_t length, std::initializer_list<std::pair<std::size_t, char>> marks) {
    std::string text(length, 'a');
    for (const auto& [position, mark] : marks) {
        text[position - 1] = mark;
    }
    return text;
}

std::string repeated(const std::string& text, std::size_t times) {
    std::string result;
    for (std::size_t i = 0; i < times; ++i) {
        result += text;
    }
    return result;
}

// Every "\\" of a case stands for the folder separator that the case runs with.
struct breaking_case {
    const char* name;
    std::string text;
    std::string shown;
};

void PrintTo(const breaking_case& c, std::ostream* out) {
    *out << c.name;
}

class BreakLongWords : public ::testing::TestWithParam<std::tuple<char, breaking_case>> {};

TEST_P(BreakLongWords, ShowsTheTextAsTheBoxWraps) {
    const auto& [separator, c] = GetParam();
    const auto with_separator = [separator](std::string text) {
        std::ranges::replace(text, '\\', separator);
        return text;
    };
    EXPECT_EQ(break_long_words(with_separator(c.text), separator), with_separator(c.shown));
}

const std::string path70 = word(70, {{20, '\\'}, {50, '\\'}, {60, '\\'}});
const std::string long120 = word(120, {{10, '\\'}, {70, '\\'}, {110, '\\'}});
// Two-byte and three-byte characters of UTF-8.
const std::string a_umlaut = "ä";
const std::string nihon = "日本";

INSTANTIATE_TEST_SUITE_P(
    Cases, BreakLongWords,
    ::testing::Combine(
        ::testing::Values('\\', '/'),
        ::testing::Values(
            breaking_case{"Empty", "", ""},
            breaking_case{"ShortWordsStay", "Chip verified.", "Chip verified."},
            breaking_case{"FiftyFiveCharactersStay", word(55, {{10, '\\'}}),
                          word(55, {{10, '\\'}})},
            breaking_case{"FiftySixWithoutMarkStay", word(56, {}), word(56, {})},
            breaking_case{"FiftySixBreakAfterBackslash", word(56, {{30, '\\'}}),
                          word(30, {{30, '\\'}}) + "\r\n" + word(26, {})},
            breaking_case{"BackslashAtFiftyFiveEndsTheFirstLine", word(56, {{55, '\\'}}),
                          word(55, {{55, '\\'}}) + "\r\na"},
            breaking_case{"BackslashAtFiftySixTakesTheUnderscore",
                          word(56, {{40, '_'}, {56, '\\'}}),
                          word(40, {{40, '_'}}) + "\r\n" + word(16, {{16, '\\'}})},
            breaking_case{"BackslashAtFiftySixAloneStays", word(56, {{56, '\\'}}),
                          word(56, {{56, '\\'}})},
            breaking_case{"BackslashBeatsALaterUnderscore", word(60, {{10, '\\'}, {50, '_'}}),
                          word(10, {{10, '\\'}}) + "\r\n" + word(50, {{40, '_'}})},
            breaking_case{"LastBackslashWithinFiftyFive", path70,
                          path70.substr(0, 50) + "\r\n" + path70.substr(50)},
            breaking_case{"BrokenOnceOnly", long120,
                          long120.substr(0, 10) + "\r\n" + long120.substr(10)},
            breaking_case{"EachLongWordOfALine", "x " + path70 + " y " + path70,
                          "x " + path70.substr(0, 50) + "\r\n" + path70.substr(50) + " y " +
                              path70.substr(0, 50) + "\r\n" + path70.substr(50)},
            breaking_case{"DoubleSpacesStay", "a  b   c", "a  b   c"},
            breaking_case{"LeadingAndTrailingSpacesStay", " a ", " a "},
            breaking_case{"EmptyLinesStay", "a\r\n\r\nb", "a\r\n\r\nb"},
            breaking_case{"OneTrailingLineBreakDropped", "a\r\n", "a"},
            breaking_case{"OnlyOneTrailingLineBreakDropped", "a\r\n\r\n", "a\r\n"},
            breaking_case{"LoneLineBreakDropped", "\r\n", ""},
            breaking_case{"LongWordBeforeLineBreak", path70 + "\r\nb",
                          path70.substr(0, 50) + "\r\n" + path70.substr(50) + "\r\nb"},
            // A tab, a lone LF and a lone CR are parts of the word they stand in.
            breaking_case{"TabJoinsWords", word(40, {{10, '\\'}}) + "\t" + word(20, {}),
                          word(10, {{10, '\\'}}) + "\r\n" + word(30, {}) + "\t" + word(20, {})},
            breaking_case{"LoneLineFeedJoinsWords", word(40, {{10, '_'}}) + "\n" + word(20, {}),
                          word(10, {{10, '_'}}) + "\r\n" + word(30, {}) + "\n" + word(20, {})},
            breaking_case{"LoneCarriageReturnIsNoLineBreak", "a\rb\n", "a\rb\n"},
            // Lengths count characters, however many bytes each takes.
            breaking_case{"SeparatorAtCharacterFiftyFiveAfterWideCharacters",
                          repeated(a_umlaut, 6) + word(49, {{49, '\\'}}) + "bbbbb",
                          repeated(a_umlaut, 6) + word(49, {{49, '\\'}}) + "\r\nbbbbb"},
            breaking_case{"FiftyFiveWideCharactersStay",
                          repeated(a_umlaut, 20) + "\\" + repeated(a_umlaut, 34),
                          repeated(a_umlaut, 20) + "\\" + repeated(a_umlaut, 34)},
            breaking_case{"UnderscoreAtCharacterFiftyFiveAfterWideCharacters",
                          repeated(nihon, 27) + "_" + nihon, repeated(nihon, 27) + "_\r\n" + nihon},
            breaking_case{"InvalidBytesCountWithTheCharacterBeforeThem",
                          word(54, {}) + "\200\200\\b", word(54, {}) + "\200\200\\\r\nb"})),
    [](const ::testing::TestParamInfo<std::tuple<char, breaking_case>>& param_info) {
        return std::string(std::get<1>(param_info.param).name) +
               (std::get<0>(param_info.param) == '/' ? "_Slash" : "_Backslash");
    });

TEST(BreakLongWordsSeparator, TheOtherSeparatorIsAnOrdinaryCharacter) {
    const std::string both = word(60, {{10, '\\'}, {30, '/'}});
    EXPECT_EQ(break_long_words(both, '/'), both.substr(0, 30) + "\r\n" + both.substr(30));
    EXPECT_EQ(break_long_words(both, '\\'), both.substr(0, 10) + "\r\n" + both.substr(10));
}

} // namespace
} // namespace pellandor
