// The checked-in cursor and icon files (resources/crosshair.cur and resources/ombrix.ico), read
// as bytes and checked against what they must be: every field of the headers, and the
// cursor's picture pixel by pixel against a table drawn by hand from its description.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/icon_file.h"

namespace {

#ifdef OMBRIX_ON_WINE
const std::string resourcesDir = std::string("Z:") + OMBRIX_RESOURCES_DIR;  // Wine's view of the host
#else
const std::string resourcesDir = OMBRIX_RESOURCES_DIR;
#endif

std::vector<std::uint8_t> readResource(const char* name) {
    std::ifstream in(resourcesDir + "/" + name, std::ios::binary);
    if (!in) return {};
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

unsigned u8(const std::vector<std::uint8_t>& b, std::size_t at) { return b.at(at); }
unsigned u16(const std::vector<std::uint8_t>& b, std::size_t at) { return b.at(at) | (b.at(at + 1) << 8); }
std::uint32_t u32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return u16(b, at) | (static_cast<std::uint32_t>(u16(b, at + 2)) << 16);
}
std::int32_t s32(const std::vector<std::uint8_t>& b, std::size_t at) { return static_cast<std::int32_t>(u32(b, at)); }

int rowBytes(int width, int bitsPerPixel) { return (width * bitsPerPixel + 31) / 32 * 4; }

// The AND mask bit of pixel (x, y), y downward, of an image whose AND mask starts at `mask`.
bool andBit(const std::vector<std::uint8_t>& b, std::size_t mask, int size, int x, int y) {
    const std::size_t row = mask + static_cast<std::size_t>((size - 1 - y) * rowBytes(size, 1));
    return (b.at(row + static_cast<std::size_t>(x / 8)) >> (7 - x % 8)) & 1;
}

// ---------------------------------------------------------------------------------------------
// The cursor

// The crosshair as described: '#' opaque black, '.' transparent; x to the right, y downward,
// the hotspot at (15, 15). Three rings (inner around the hotspot, radius 7, radius 11), hair
// lines on column 15 and row 15 stopping at the inner ring, and a fork past each line's end.
const char* const crosshair[32] = {
    "................................",  // 0
    "..............#.#...............",  // 1  fork
    "...............#................",  // 2  hair line from row 2
    "...............#................",  // 3
    ".............#####..............",  // 4  outer ring
    "..........###..#..###...........",  // 5
    ".........#.....#.....#..........",  // 6
    "........#......#......#.........",  // 7
    ".......#.....#####.....#........",  // 8  middle ring
    "......#....##..#..##....#.......",  // 9
    ".....#....#....#....#....#......",  // 10
    ".....#...#.....#.....#...#......",  // 11
    ".....#...#.....#.....#...#......",  // 12
    "....#...#.....###.....#...#.....",  // 13 inner ring
    ".#..#...#....#...#....#...#...#.",  // 14
    "..############...#############..",  // 15 the hotspot's row: lines 2-13 and 17-29
    ".#..#...#....#...#....#...#...#.",  // 16
    "....#...#.....###.....#...#.....",  // 17
    ".....#...#.....#.....#...#......",  // 18
    ".....#...#.....#.....#...#......",  // 19
    ".....#....#....#....#....#......",  // 20
    "......#....##..#..##....#.......",  // 21
    ".......#.....#####.....#........",  // 22
    "........#......#......#.........",  // 23
    ".........#.....#.....#..........",  // 24
    "..........###..#..###...........",  // 25
    ".............#####..............",  // 26
    "...............#................",  // 27
    "...............#................",  // 28
    "...............#................",  // 29 hair line to row 29
    "..............#.#...............",  // 30 fork
    "................................",  // 31
};

constexpr std::size_t cursorImage = 22;                  // header 6 + one entry 16
constexpr std::size_t cursorPalette = cursorImage + 40;  // after the BITMAPINFOHEADER
constexpr std::size_t cursorXor = cursorPalette + 1024;  // 256 entries
constexpr std::size_t cursorAnd = cursorXor + 32 * 32;   // 8 bits per pixel

TEST(CursorIconFile, HeaderAndDirectory) {
    const auto file = readResource("crosshair.cur");
    ASSERT_EQ(file.size(), 2238u);
    EXPECT_EQ(u16(file, 0), 0u);      // reserved
    EXPECT_EQ(u16(file, 2), 2u);      // a cursor
    EXPECT_EQ(u16(file, 4), 1u);      // one image
    EXPECT_EQ(u8(file, 6), 32u);      // width
    EXPECT_EQ(u8(file, 7), 32u);      // height
    EXPECT_EQ(u8(file, 8), 0u);       // colour count
    EXPECT_EQ(u8(file, 9), 0u);       // reserved
    EXPECT_EQ(u16(file, 10), 15u);    // hotspot x
    EXPECT_EQ(u16(file, 12), 15u);    // hotspot y
    EXPECT_EQ(u32(file, 14), 2216u);  // bytes of the image
    EXPECT_EQ(u32(file, 18), 22u);    // its offset
}

TEST(CursorIconFile, ReadIconFileSeesOneCursorImage) {
    const auto file = readResource("crosshair.cur");
    const auto parsed = platform::readIconFile(file);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->type, 2);
    ASSERT_EQ(parsed->images.size(), 1u);
    const platform::IconImage& image = parsed->images[0];
    EXPECT_EQ(image.width, 32);
    EXPECT_EQ(image.height, 32);
    EXPECT_EQ(image.colorCount, 0);
    EXPECT_EQ(image.wordA, 15);
    EXPECT_EQ(image.wordB, 15);
    EXPECT_EQ(image.data.size(), 2216u);
    EXPECT_EQ(image.data.data(), file.data() + 22);
}

TEST(CursorIconFile, BitmapInfoHeader) {
    const auto file = readResource("crosshair.cur");
    ASSERT_EQ(file.size(), 2238u);
    const std::size_t h = cursorImage;
    EXPECT_EQ(u32(file, h + 0), 40u);     // biSize
    EXPECT_EQ(s32(file, h + 4), 32);      // biWidth
    EXPECT_EQ(s32(file, h + 8), 64);      // biHeight: XOR bitmap and AND mask
    EXPECT_EQ(u16(file, h + 12), 1u);     // biPlanes
    EXPECT_EQ(u16(file, h + 14), 8u);     // biBitCount
    EXPECT_EQ(u32(file, h + 16), 0u);     // biCompression: BI_RGB
    EXPECT_EQ(u32(file, h + 20), 1152u);  // biSizeImage: XOR 1,024 + AND 128
    EXPECT_EQ(u32(file, h + 32), 0u);     // biClrUsed: 0, all 256 entries
    EXPECT_EQ(u32(file, h + 36), 0u);     // biClrImportant
    // Palette entry 0, the one every pixel uses, is black.
    EXPECT_EQ(u8(file, cursorPalette + 0), 0u);
    EXPECT_EQ(u8(file, cursorPalette + 1), 0u);
    EXPECT_EQ(u8(file, cursorPalette + 2), 0u);
    EXPECT_EQ(cursorAnd + 32 * 4, file.size());
}

TEST(CursorIconFile, EveryPixelUsesPaletteIndexZero) {
    const auto file = readResource("crosshair.cur");
    ASSERT_EQ(file.size(), 2238u);
    for (std::size_t i = 0; i < 32 * 32; ++i) ASSERT_EQ(u8(file, cursorXor + i), 0u) << "XOR byte " << i;
}

TEST(CursorIconFile, PixelsMatchTheDescription) {
    const auto file = readResource("crosshair.cur");
    ASSERT_EQ(file.size(), 2238u);
    int opaque = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const bool black = crosshair[y][x] == '#';
            opaque += black;
            EXPECT_EQ(andBit(file, cursorAnd, 32, x, y), !black) << "pixel (" << x << ", " << y << ")";
        }
    // Inner ring 12, middle ring 40, outer ring 60, hair lines 50 of which 12 lie on the rings,
    // forks 8.
    EXPECT_EQ(opaque, 12 + 40 + 60 + 50 - 12 + 8);
}

TEST(CursorIconFile, HotspotAndItsSquareAreTransparent) {
    const auto file = readResource("crosshair.cur");
    ASSERT_EQ(file.size(), 2238u);
    for (int y = 14; y <= 16; ++y)
        for (int x = 14; x <= 16; ++x) EXPECT_TRUE(andBit(file, cursorAnd, 32, x, y)) << x << ", " << y;
}

// ---------------------------------------------------------------------------------------------
// The application icon

struct IconExpectation {
    int size;
    int bitsPerPixel;
    std::uint32_t bytes;
};

const IconExpectation iconImages[] = {
    {48, 8, 3752},  {32, 8, 2216},  {24, 8, 1736},  {16, 8, 1384},  {64, 32, 16936},
    {48, 32, 9640}, {32, 32, 4264}, {24, 32, 2440}, {16, 32, 1128},
};

std::uint32_t offsetOf(std::size_t image) {
    std::uint32_t offset = 6 + 16 * 9;
    for (std::size_t i = 0; i < image; ++i) offset += iconImages[i].bytes;
    return offset;
}

TEST(ApplicationIconFile, HeaderAndSize) {
    const auto file = readResource("ombrix.ico");
    ASSERT_EQ(file.size(), 43646u);
    EXPECT_EQ(u16(file, 0), 0u);     // reserved
    EXPECT_EQ(u16(file, 2), 1u);     // an icon
    EXPECT_EQ(u16(file, 4), 9u);     // nine images
    EXPECT_EQ(offsetOf(9), 43646u);  // the images fill the file, back to back
}

TEST(ApplicationIconFile, Directory) {
    const auto file = readResource("ombrix.ico");
    ASSERT_EQ(file.size(), 43646u);
    for (std::size_t i = 0; i < std::size(iconImages); ++i) {
        SCOPED_TRACE("image " + std::to_string(i + 1));
        const IconExpectation& definition = iconImages[i];
        const std::size_t e = 6 + 16 * i;
        EXPECT_EQ(static_cast<int>(u8(file, e + 0)), definition.size);
        EXPECT_EQ(static_cast<int>(u8(file, e + 1)), definition.size);
        EXPECT_EQ(u8(file, e + 2), 0u);   // colour count
        EXPECT_EQ(u8(file, e + 3), 0u);   // reserved
        EXPECT_EQ(u16(file, e + 4), 1u);  // planes
        EXPECT_EQ(static_cast<int>(u16(file, e + 6)), definition.bitsPerPixel);
        EXPECT_EQ(u32(file, e + 8), definition.bytes);
        EXPECT_EQ(u32(file, e + 12), offsetOf(i));
    }
}

TEST(ApplicationIconFile, BitmapInfoHeaders) {
    const auto file = readResource("ombrix.ico");
    ASSERT_EQ(file.size(), 43646u);
    for (std::size_t i = 0; i < std::size(iconImages); ++i) {
        SCOPED_TRACE("image " + std::to_string(i + 1));
        const IconExpectation& definition = iconImages[i];
        const std::size_t h = offsetOf(i);
        EXPECT_EQ(u32(file, h + 0), 40u);                  // biSize
        EXPECT_EQ(s32(file, h + 4), definition.size);      // biWidth
        EXPECT_EQ(s32(file, h + 8), 2 * definition.size);  // biHeight, doubled
        EXPECT_EQ(u16(file, h + 12), 1u);                  // biPlanes
        EXPECT_EQ(static_cast<int>(u16(file, h + 14)), definition.bitsPerPixel);
        EXPECT_EQ(u32(file, h + 16), 0u);  // BI_RGB
        const std::uint32_t clrUsed = u32(file, h + 32);
        EXPECT_TRUE(clrUsed == 0 || (definition.bitsPerPixel == 8 && clrUsed == 256)) << clrUsed;
        // The parts: header, palette (8 bits only, 256 entries), XOR bitmap, AND mask.
        const int palette = definition.bitsPerPixel == 8 ? 256 * 4 : 0;
        const int xorBytes = rowBytes(definition.size, definition.bitsPerPixel) * definition.size;
        const int andBytes = rowBytes(definition.size, 1) * definition.size;
        EXPECT_EQ(static_cast<std::uint32_t>(40 + palette + xorBytes + andBytes), definition.bytes);
        const std::uint32_t sizeImage = u32(file, h + 20);
        EXPECT_TRUE(sizeImage == 0 || sizeImage == static_cast<std::uint32_t>(xorBytes + andBytes)) << sizeImage;
    }
}

TEST(ApplicationIconFile, ReadIconFileAndTheTrayChoice) {
    const auto file = readResource("ombrix.ico");
    const auto parsed = platform::readIconFile(file);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->type, 1);
    ASSERT_EQ(parsed->images.size(), std::size(iconImages));
    for (std::size_t i = 0; i < std::size(iconImages); ++i) {
        SCOPED_TRACE("image " + std::to_string(i + 1));
        const platform::IconImage& image = parsed->images[i];
        EXPECT_EQ(image.width, iconImages[i].size);
        EXPECT_EQ(image.height, iconImages[i].size);
        EXPECT_EQ(image.colorCount, 0);
        EXPECT_EQ(image.wordA, 1);
        EXPECT_EQ(image.wordB, iconImages[i].bitsPerPixel);
        EXPECT_EQ(image.data.size(), iconImages[i].bytes);
        EXPECT_EQ(image.data.data(), file.data() + offsetOf(i));
    }
    // No entry has a colour count of 16 or more, so the tray takes the last: 16 x 16, 32 bits.
    EXPECT_EQ(platform::chooseTrayImage(parsed->images), 8);
}

TEST(ApplicationIconFile, AndMasksAgreeWithAlpha) {
    const auto file = readResource("ombrix.ico");
    ASSERT_EQ(file.size(), 43646u);
    for (std::size_t i = 0; i < std::size(iconImages); ++i) {
        const IconExpectation& definition = iconImages[i];
        if (definition.bitsPerPixel != 32) continue;
        SCOPED_TRACE("image " + std::to_string(i + 1));
        const std::size_t pixels = offsetOf(i) + 40;
        const std::size_t mask = pixels + static_cast<std::size_t>(definition.size * definition.size * 4);
        int mismatches = 0;
        for (int y = 0; y < definition.size; ++y)
            for (int x = 0; x < definition.size; ++x) {
                const std::size_t at =
                    pixels + static_cast<std::size_t>(((definition.size - 1 - y) * definition.size + x) * 4);
                const bool clear = u8(file, at + 3) == 0;
                mismatches += andBit(file, mask, definition.size, x, y) != clear;
            }
        EXPECT_EQ(mismatches, 0);
    }
}

TEST(ApplicationIconFile, CornersTransparentCentreOpaque) {
    const auto file = readResource("ombrix.ico");
    ASSERT_EQ(file.size(), 43646u);
    for (std::size_t i = 0; i < std::size(iconImages); ++i) {
        const IconExpectation& definition = iconImages[i];
        SCOPED_TRACE("image " + std::to_string(i + 1));
        const std::size_t mask =
            offsetOf(i) + 40 + (definition.bitsPerPixel == 8 ? 1024 : 0) +
            static_cast<std::size_t>(rowBytes(definition.size, definition.bitsPerPixel) * definition.size);
        const int last = definition.size - 1;
        EXPECT_TRUE(andBit(file, mask, definition.size, 0, 0));
        EXPECT_TRUE(andBit(file, mask, definition.size, last, 0));
        EXPECT_TRUE(andBit(file, mask, definition.size, 0, last));
        EXPECT_TRUE(andBit(file, mask, definition.size, last, last));
        EXPECT_FALSE(andBit(file, mask, definition.size, definition.size / 2, definition.size / 2));
    }
}

}  // namespace
