// The program's fixed texts are compiled to CP936, the ANSI code page its windows and message boxes
// use; a wrong source or execution charset would show as mojibake.
#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Charset, FixedTextsAreCp936Bytes) {
    struct Case {
        std::string text;
        std::string bytes;
    } cases[] = {
        {"信息：", "\xD0\xC5\xCF\xA2\xA3\xBA"},
        {"确定要退出吗？", "\xC8\xB7\xB6\xA8\xD2\xAA\xCD\xCB\xB3\xF6\xC2\xF0\xA3\xBF"},
        {"【", "\xA1\xBE"},
        {"←", "\xA1\xFB"},
        {"Ombrix", "Ombrix"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.text, c.bytes);
}

}  // namespace
