#include "screen.h"

#include <cstring>
#include <stdexcept>

#include "handles.h"

namespace harness {

COLORREF ScreenPixels::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width() || y >= height()) throw std::out_of_range("pixel outside the capture");
    const uint32_t pixel = pixels_[static_cast<size_t>(y) * width() + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

namespace {

// The icon drawn over a solid background, as top-down 0x00RRGGBB rows.
std::vector<uint32_t> drawnIcon(HICON icon, int width, int height, COLORREF background) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    void* bits = nullptr;
    UniqueGdiObject bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dc || !bitmap || !bits) throw std::runtime_error("cannot make a bitmap to draw an icon");
    HGDIOBJ previous = SelectObject(dc.get(), bitmap.get());
    UniqueGdiObject brush(CreateSolidBrush(background));
    const RECT whole{0, 0, width, height};
    FillRect(dc.get(), &whole, static_cast<HBRUSH>(brush.get()));
    DrawIconEx(dc.get(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
    GdiFlush();
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    std::memcpy(pixels.data(), bits, pixels.size() * sizeof(uint32_t));
    SelectObject(dc.get(), previous);
    for (auto& pixel : pixels) pixel &= 0x00FFFFFF;
    return pixels;
}

}  // namespace

std::optional<POINT> findIcon(const ScreenPixels& pixels, HICON icon, int width, int height) {
    // A pixel that comes out the same over black and over white is opaque.
    const auto overBlack = drawnIcon(icon, width, height, RGB(0, 0, 0));
    const auto overWhite = drawnIcon(icon, width, height, RGB(255, 255, 255));
    std::vector<std::pair<POINT, COLORREF>> opaque;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t pixel = overBlack[static_cast<size_t>(y) * width + x];
            if (pixel == overWhite[static_cast<size_t>(y) * width + x])
                opaque.push_back({{x, y}, RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF)});
        }
    if (opaque.empty()) return std::nullopt;
    for (int top = 0; top + height <= pixels.height(); ++top)
        for (int left = 0; left + width <= pixels.width(); ++left) {
            bool all = true;
            for (const auto& [point, colour] : opaque)
                if (pixels.at(left + point.x, top + point.y) != colour) {
                    all = false;
                    break;
                }
            if (all) return POINT{left, top};
        }
    return std::nullopt;
}

bool ScreenPixels::operator==(const ScreenPixels& other) const {
    return EqualRect(&area_, &other.area_) && pixels_ == other.pixels_;
}

ScreenPixels captureScreen(const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) throw std::invalid_argument("empty capture area");

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    WindowDC screen(nullptr);
    UniqueMemoryDC memory(CreateCompatibleDC(screen.get()));
    void* bits = nullptr;
    UniqueGdiObject bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap || !bits) throw std::runtime_error("cannot make a bitmap for the capture");
    HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
    const BOOL copied = BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY);
    GdiFlush();
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    std::memcpy(pixels.data(), bits, pixels.size() * sizeof(uint32_t));
    SelectObject(memory.get(), previous);
    if (!copied) throw std::runtime_error("BitBlt from the screen failed");
    for (auto& pixel : pixels) pixel &= 0x00FFFFFF;  // the unused byte is not part of the colour
    return ScreenPixels(area, std::move(pixels));
}

}  // namespace harness
