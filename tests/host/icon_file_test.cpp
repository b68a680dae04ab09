// platform::readIconFile and platform::chooseTrayImage on small hand-made files: damaged ones
// must give nullopt without reading past the end (the host build runs this under ASan).
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/icon_file.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& b, unsigned v) {
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void put32(Bytes& b, std::uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

struct Entry {
    std::uint8_t width = 16, height = 16, colours = 0;
    unsigned wordA = 1, wordB = 32;
    std::uint32_t size = 0, offset = 0;
};

// A file: the header (reserved, type, count), the given directory entries, then `tail` bytes
// numbered 0, 1, 2... so that where an image's data starts can be seen.
Bytes file(unsigned reserved, unsigned type, unsigned count, const std::vector<Entry>& entries, std::size_t tail) {
    Bytes b;
    put16(b, reserved);
    put16(b, type);
    put16(b, count);
    for (const Entry& e : entries) {
        b.push_back(e.width);
        b.push_back(e.height);
        b.push_back(e.colours);
        b.push_back(0);
        put16(b, e.wordA);
        put16(b, e.wordB);
        put32(b, e.size);
        put32(b, e.offset);
    }
    for (std::size_t i = 0; i < tail; ++i) b.push_back(static_cast<std::uint8_t>(i));
    return b;
}

Entry at(std::uint32_t offset, std::uint32_t size) {
    Entry e;
    e.offset = offset;
    e.size = size;
    return e;
}

Bytes withoutLast(Bytes b) {
    b.pop_back();
    return b;
}

// One directory entry is 16 bytes: a file with one entry and 4 bytes of data is 26 bytes long and
// its data starts at offset 22.
struct ReadCase {
    std::string name;
    Bytes bytes;
    bool valid;
    std::size_t images;  // when valid
};

std::vector<ReadCase> readCases() {
    return {
        {"empty", {}, false, 0},
        {"header_cut_short", {0, 0, 1, 0, 0}, false, 0},
        {"no_images", file(0, 1, 0, {}, 0), true, 0},
        {"reserved_not_zero", file(1, 1, 0, {}, 0), false, 0},
        {"type_zero", file(0, 0, 0, {}, 0), false, 0},
        {"type_three", file(0, 3, 0, {}, 0), false, 0},
        {"cursor_type", file(0, 2, 1, {at(22, 4)}, 4), true, 1},
        {"one_image", file(0, 1, 1, {at(22, 4)}, 4), true, 1},
        {"directory_cut_short", file(0, 1, 2, {at(22, 4)}, 4), false, 0},
        {"directory_entry_cut_short", withoutLast(file(0, 1, 1, {at(22, 0)}, 0)), false, 0},
        {"count_far_beyond_file", file(0, 1, 0xFFFF, {at(22, 4)}, 4), false, 0},
        {"image_ends_at_file_end", file(0, 1, 1, {at(24, 2)}, 4), true, 1},
        {"empty_image_at_file_end", file(0, 1, 1, {at(26, 0)}, 4), true, 1},
        {"offset_past_end", file(0, 1, 1, {at(27, 0)}, 4), false, 0},
        {"offset_far_past_end", file(0, 1, 1, {at(0xFFFFFFFF, 1)}, 4), false, 0},
        {"size_past_end", file(0, 1, 1, {at(22, 5)}, 4), false, 0},
        {"size_overflows_with_offset", file(0, 1, 1, {at(22, 0xFFFFFFFF)}, 4), false, 0},
        {"size_wraps_to_small", file(0, 1, 1, {at(23, 0xFFFFFFFE)}, 4), false, 0},
        {"second_image_damaged", file(0, 1, 2, {at(38, 2), at(40, 3)}, 4), false, 0},
        {"two_images_sharing_data", file(0, 1, 2, {at(38, 4), at(38, 4)}, 4), true, 2},
    };
}

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class IconFileRead : public testing::TestWithParam<ReadCase> {};

TEST_P(IconFileRead, ValidOrNullopt) {
    const ReadCase& c = GetParam();
    const auto parsed = platform::readIconFile(c.bytes);
    ASSERT_EQ(parsed.has_value(), c.valid);
    if (!c.valid) return;
    EXPECT_EQ(parsed->images.size(), c.images);
    for (const platform::IconImage& image : parsed->images) {
        // The data lies within the file.
        if (image.data.empty()) continue;
        EXPECT_GE(image.data.data(), c.bytes.data());
        EXPECT_LE(image.data.data() + image.data.size(), c.bytes.data() + c.bytes.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, IconFileRead, testing::ValuesIn(readCases()),
                         [](const testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

TEST(IconFileFields, EntryFieldsAndData) {
    Entry e = at(22, 3);
    e.width = 32;
    e.height = 48;
    e.colours = 16;
    e.wordA = 1;
    e.wordB = 4;
    const Bytes b = file(0, 1, 1, {e}, 4);
    const auto parsed = platform::readIconFile(b);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->type, 1);
    ASSERT_EQ(parsed->images.size(), 1u);
    const platform::IconImage& image = parsed->images[0];
    EXPECT_EQ(image.width, 32);
    EXPECT_EQ(image.height, 48);
    EXPECT_EQ(image.colorCount, 16);
    EXPECT_EQ(image.wordA, 1);
    EXPECT_EQ(image.wordB, 4);
    ASSERT_EQ(image.data.size(), 3u);
    EXPECT_EQ(image.data.data(), b.data() + 22);
    EXPECT_EQ(image.data[0], 0);  // the tail's bytes count up from 0
    EXPECT_EQ(image.data[2], 2);
}

TEST(IconFileFields, ZeroWidthAndHeightMean256) {
    Entry e = at(22, 4);
    e.width = 0;
    e.height = 0;
    const auto parsed = platform::readIconFile(file(0, 1, 1, {e}, 4));
    ASSERT_TRUE(parsed.has_value());
    ASSERT_EQ(parsed->images.size(), 1u);
    EXPECT_EQ(parsed->images[0].width, 256);
    EXPECT_EQ(parsed->images[0].height, 256);
}

TEST(IconFileFields, CursorHotspotWords) {
    Entry e = at(22, 4);
    e.wordA = 7;
    e.wordB = 300;
    const auto parsed = platform::readIconFile(file(0, 2, 1, {e}, 4));
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->type, 2);
    ASSERT_EQ(parsed->images.size(), 1u);
    EXPECT_EQ(parsed->images[0].wordA, 7);
    EXPECT_EQ(parsed->images[0].wordB, 300);
}

// chooseTrayImage: the first image 16 wide with a colour count of 16 or more, else the last.
struct TrayCase {
    std::string name;
    std::vector<std::pair<int, int>> images;  // width, colour count
    int expected;
};

std::vector<TrayCase> trayCases() {
    return {
        {"no_images", {}, -1},
        {"one_image", {{48, 0}}, 0},
        {"first_16_wide_with_16_colours", {{32, 16}, {16, 16}, {16, 255}}, 1},
        {"first_of_two_that_qualify", {{16, 255}, {16, 16}}, 0},
        {"fifteen_colours_is_too_few", {{16, 15}, {32, 0}}, 1},
        {"colour_count_zero_does_not_qualify", {{16, 0}, {32, 0}, {24, 0}}, 2},
        {"not_16_wide", {{32, 16}, {48, 16}, {24, 256}}, 2},
        {"256_wide_from_a_zero_byte", {{256, 16}, {16, 0}}, 1},
    };
}

void PrintTo(const TrayCase& c, std::ostream* os) { *os << c.name; }

class IconTrayChoice : public testing::TestWithParam<TrayCase> {};

TEST_P(IconTrayChoice, PicksTheExpectedImage) {
    const TrayCase& c = GetParam();
    std::vector<platform::IconImage> images;
    for (const auto& [width, colours] : c.images) {
        platform::IconImage image;
        image.width = width;
        image.height = width;
        image.colorCount = colours;
        images.push_back(image);
    }
    EXPECT_EQ(platform::chooseTrayImage(images), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, IconTrayChoice, testing::ValuesIn(trayCases()),
                         [](const testing::TestParamInfo<TrayCase>& info) { return info.param.name; });

TEST(IconTrayChoice, OnAParsedFile) {
    Entry big = at(54, 1);
    big.width = 32;
    big.colours = 16;
    Entry small = at(55, 1);
    small.colours = 16;
    Entry last = at(56, 1);
    last.colours = 0;
    const auto parsed = platform::readIconFile(file(0, 1, 3, {big, small, last}, 3));
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(platform::chooseTrayImage(parsed->images), 1);
}

}  // namespace
