#include "platform/text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace {

struct TextCase {
    std::string text;
    std::int32_t value;
};

class TextToInt : public testing::TestWithParam<TextCase> {};

TEST_P(TextToInt, ReadsLikeTheHiddenListExpects) { EXPECT_EQ(platform::textToInt(GetParam().text), GetParam().value); }

INSTANTIATE_TEST_SUITE_P(Cases, TextToInt,
                         testing::Values(TextCase{"", 0}, TextCase{"0", 0}, TextCase{"42", 42}, TextCase{"-42", -42},
                                         TextCase{"+7", 7}, TextCase{"  \t\n12", 12}, TextCase{"12abc", 12},
                                         TextCase{"abc", 0}, TextCase{"-", 0}, TextCase{"+-3", 0}, TextCase{" - 3", 0},
                                         TextCase{"3 4", 3}, TextCase{"007", 7}, TextCase{"2147483647", 2147483647},
                                         TextCase{"-2147483648", std::numeric_limits<std::int32_t>::min()},
                                         // Wraps modulo 2^32, as a handle written from its low 32 bits must.
                                         TextCase{"2147483648", std::numeric_limits<std::int32_t>::min()},
                                         TextCase{"4294967295", -1}, TextCase{"4294967296", 0},
                                         TextCase{"4294967297", 1}, TextCase{"-4294967295", 1},
                                         TextCase{"99999999999999999999", static_cast<std::int32_t>(1661992959)},
                                         TextCase{std::string("12\0"
                                                              "34",
                                                              5),
                                                  12}));

TEST(TextToInt, StopsAtTheEndOfTheViewWithoutReadingPastIt) {
    const char digits[] = {'1', '2', '3', '4'};
    EXPECT_EQ(platform::textToInt(std::string_view(digits, 2)), 12);
}

TEST(IntToText, IsSignedDecimalThatReadsBack) {
    for (std::int32_t value : {0, 1, -1, 65538, -65538, std::numeric_limits<std::int32_t>::max(),
                               std::numeric_limits<std::int32_t>::min()}) {
        EXPECT_EQ(platform::textToInt(platform::intToText(value)), value) << value;
        EXPECT_EQ(platform::intToText(value), std::to_string(value));
    }
}

}  // namespace
