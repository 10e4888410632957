#include "startup/local_text.h"

#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace pellandor {
namespace {

struct characters_case {
    const char* name;
    std::string text;
    std::vector<std::size_t> starts; // the byte at which each character begins
};

void PrintTo(const characters_case& c, std::ostream* out) {
    *out << c.name;
}

class LocalText : public ::testing::TestWithParam<characters_case> {};

TEST_P(LocalText, CharactersBeginWhereTheEncodingSays) {
    const std::string& text = GetParam().text;
    const std::vector<std::size_t>& starts = GetParam().starts;
    EXPECT_EQ(character_count(text), starts.size());
    for (std::size_t index = 0; index < starts.size(); ++index) {
        EXPECT_EQ(character_offset(text, index), starts[index]) << index;
    }
    EXPECT_EQ(character_offset(text, starts.size()), text.size());
    EXPECT_EQ(character_offset(text, starts.size() + 5), text.size());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LocalText,
    ::testing::Values(characters_case{"Empty", "", {}}, characters_case{"Ascii", "a/b", {0, 1, 2}},
                      characters_case{"TwoBytes", "ä/", {0, 2}},
                      characters_case{"ThreeBytes", "日本", {0, 3}},
                      characters_case{"FourBytes", "a𝄞b", {0, 1, 5}},
                      // Bytes that are not valid UTF-8 never make a character
                      // of their own inside another, nor reach past the end.
                      characters_case{"StrayContinuationJoinsTheOneBefore", "a\200\277b", {0, 3}},
                      characters_case{"StrayContinuationFirst", "\200a", {0, 1}},
                      characters_case{"LeadingByteCutShort", "\346\227a\360", {0, 2, 3}}),
    [](const ::testing::TestParamInfo<characters_case>& param_info) {
        return param_info.param.name;
    });

} // namespace
} // namespace pellandor
