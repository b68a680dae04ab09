// Reading the directory of an icon (.ico) or cursor (.cur) file held in memory. Pure code: no
// windows.h. Every offset is checked against the data, so a damaged file gives nullopt, never a
// read past the end.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace platform {

using Bytes = std::span<const std::uint8_t>;

struct IconImage {
    int width = 0;  // a stored 0 means 256
    int height = 0;
    int colorCount = 0;
    // In an icon file these two words are planes and bits per pixel; in a cursor file, the hotspot.
    int wordA = 0;
    int wordB = 0;
    Bytes data;  // the image itself: a BITMAPINFOHEADER bitmap with its AND mask, or a PNG
};

struct IconFile {
    int type = 0;  // 1 icon, 2 cursor
    std::vector<IconImage> images;
};

std::optional<IconFile> readIconFile(Bytes file);

// The tray's choice: the first image 16 pixels wide with a colour count of 16 or more, otherwise the
// last image. -1 for a file without images.
int chooseTrayImage(const std::vector<IconImage>& images);

}  // namespace platform
